#include "reply_decoding.h"

#include <gtest/gtest.h>

namespace rfwallet {
namespace {

TEST(CardInfoReply, NumbersFromTheirBytes) {
    // Bytes 5-7 = FD E2 40: only the low two bits of byte 5 count, 0x1E240.
    // Bytes 8-11 = 00 00 03 E8. Bytes 0-4 and character 24 are not used.
    const auto info = decodeCardInfoReply("::::::::::?=>240000003>8#");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->infoNumberA, 123456);
    EXPECT_EQ(info->infoNumberB, 1000);
}

TEST(CardInfoReply, LargestNumberAAndNegativeNumberB) {
    const auto info = decodeCardInfoReply(
        "0000000000??????80000001"
        "!");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->infoNumberA, 262143);
    EXPECT_EQ(info->infoNumberB, -2147483647);

    const auto allOnes = decodeCardInfoReply(
        "0000000000000000????????"
        "!");
    ASSERT_TRUE(allOnes);
    EXPECT_EQ(allOnes->infoNumberB, -1);
}

TEST(CardInfoReply, TooShortGivesNothing) { EXPECT_FALSE(decodeCardInfoReply("0000000000??????8000000")); }

TEST(MoneyReply, ValueAfterDone) {
    EXPECT_EQ(decodeMoneyReply("DONE????"
                               "!"),
              65535);
    EXPECT_EQ(decodeMoneyReply("DONE0000!"), 0);
    EXPECT_EQ(decodeMoneyReply("DONE1:3?!"), 0x1A3F);
}

TEST(MoneyReply, AnyOtherStartIsRefusedEvenWithAValue) {
    EXPECT_FALSE(decodeMoneyReply("FAIL0000!"));
    EXPECT_FALSE(decodeMoneyReply("done1234!"));
    EXPECT_FALSE(decodeMoneyReply("DONX1234!"));
    EXPECT_FALSE(decodeMoneyReply("#########"));
    EXPECT_FALSE(decodeMoneyReply("DONE123"));
}

}  // namespace
}  // namespace rfwallet
