// Block texts of an opened account, of every field update, and the texts the
// host is shown for them.
#include <gtest/gtest.h>

#include "account_blocks.h"
#include "block_text.h"
#include "card_information.h"

namespace cardpurse {
namespace {

const std::string kZeros(32, '0');
const std::string kAllF(32, 'F');

// 305419896 is 12345678 in hexadecimal.
const AccountValues kAccount{0x12AB34, 305419896, "0123456789ABCDEF", "FEDCBA9876543210", 0xFFFFF, 10, 50000, "241231",
                             "86",     0xBEEF};

TEST(OpenedAccountBlocks, FixedCharactersFieldsAndChecks) {
    EXPECT_EQ(openedDepartmentBlock(kAllF, kAccount), "FEDCBA9876543210" + std::string(16, '0'));
    // Characters 26-31 of the holder block belong to the card and stay as read.
    EXPECT_EQ(openedHolderBlock("99999999999999999999999999ABCDEF", kAccount),
              "00"
              "0123456789ABCDEF"
              "12345678"
              "ABCDEF");
    // Opening writes the purse numbers in lower case.
    EXPECT_EQ(openedPurseBlock(kAllF, kAccount), "8" + std::string(16, '0') +
                                                     "fffff"
                                                     "0000"
                                                     "beef"
                                                     "DE");
    EXPECT_EQ(openedLimitsBlock(kAllF, kAccount),
              "80"
              "12AB34"
              "86"
              "241231"
              "00C350"
              "0A"
              "000000"
              "15");
}

TEST(OpenedAccountBlocks, ReadBackAsTheValuesThatWereWritten) {
    const auto purse = purseOutputs(openedPurseBlock(kZeros, kAccount));
    ASSERT_TRUE(purse);
    EXPECT_EQ(purse->balance, "1048575");
    EXPECT_EQ(purse->lssjCount, "48879");

    const auto limits = limitsOutputs(openedLimitsBlock(kZeros, kAccount));
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->accountNo, "1223476");  // seven digits do not fit "%06d" and are all kept
    EXPECT_EQ(limits->limitMoney, "00050000");
    EXPECT_EQ(limits->limitCount, "010");
    EXPECT_EQ(limits->limitTime, "241231");
    EXPECT_EQ(limits->gbCode, "86");

    EXPECT_EQ(departmentOutput(openedDepartmentBlock(kZeros, kAccount)), "FEDCBA987654321000");
}

TEST(OpenedAccountBlocks, CardNumberShowsOnlyItsLastSixDigits) {
    const auto holder = holderOutputs(openedHolderBlock(kZeros, kAccount));
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->cardNo, "03430008");          // 0x345678
    EXPECT_EQ(holder->name, "0123456789ABCDEF12");  // the 18-character output ends in the card number's first digits
}

TEST(CardInformation, ClearedCardShowsZerosInEveryWidth) {
    EXPECT_EQ(departmentOutput(kZeros), std::string(18, '0'));
    EXPECT_EQ(holderOutputs(kZeros)->cardNo, "00000000");
    const auto limits = limitsOutputs(kZeros);
    EXPECT_EQ(limits->accountNo, "000000");
    EXPECT_EQ(limits->limitMoney, "00000000");
    EXPECT_EQ(limits->limitCount, "000");
    EXPECT_EQ(limits->limitTime, "000000");
    EXPECT_EQ(limits->gbCode, "00");
    const auto purse = purseOutputs(kZeros);
    EXPECT_EQ(purse->balance, "0000000");
    EXPECT_EQ(purse->lssjCount, "00000");
}

TEST(CardInformation, DamagedNumberFieldsAreRefusedAndCopiedFieldsShownAsHeld) {
    // A number field holding non-digits would otherwise print beyond its buffer.
    std::string holder = kZeros;
    holder.replace(20, 6, "zzzzzz");
    EXPECT_FALSE(holderOutputs(holder));
    std::string purse = kZeros;
    purse[29] = '?';
    EXPECT_FALSE(purseOutputs(purse));
    std::string limits = kZeros;
    limits[22] = ' ';
    EXPECT_FALSE(limitsOutputs(limits));

    // Copied fields are shown as the card holds them.
    std::string named = kZeros;
    named.replace(2, 16, "Holder name ++++");
    ASSERT_TRUE(holderOutputs(named));
    EXPECT_EQ(holderOutputs(named)->name, "Holder name ++++00");
}

TEST(FieldUpdates, OnlyTheFieldChangesAndChecksAreRenewedWhereTheBlockHasOne) {
    const std::string limits = openedLimitsBlock(kZeros, kAccount);
    EXPECT_EQ(withField(limits, kLimitsBlock, kLimitCountField, "FF"),
              "80"
              "12AB34"
              "86"
              "241231"
              "00C350"
              "FF"
              "000000"
              "E0");

    // Sector 2 blocks and trailers carry no check: characters 30-31 stay.
    const std::string holder =
        "00"
        "0123456789ABCDEF"
        "12345678"
        "ABCDEF";
    EXPECT_EQ(withField(holder, kHolderBlock, kCardNumberField, "FFFFFFFF"),
              "00"
              "0123456789ABCDEF"
              "FFFFFFFF"
              "ABCDEF");
    EXPECT_EQ(withField("7C3A19E5B04D"
                        "FF078069FFFFFFFFFFFF",
                        sectorTrailer(2), kTrailerKeyField, "A0A1A2A3A4A5"),
              "A0A1A2A3A4A5"
              "FF078069FFFFFFFFFFFF");
    // The purse backup block carries a check like the purse block.
    EXPECT_EQ(withField(kZeros, kPurseBackupBlock, kLssjCountField, "0001"), std::string(29, '0') + "101");
}

std::string purseWithBalance(const std::string& digits) {
    std::string block = "8" + std::string(16, '0') + digits +
                        "0000"
                        "0000"
                        "00";
    putBlockCheck(block);
    return block;
}

TEST(AddedMoney, BalanceStaysWithinItsBounds) {
    const std::string hundred = purseWithBalance("00064");
    EXPECT_FALSE(withAddedMoney(hundred, -101));
    EXPECT_EQ(withAddedMoney(hundred, -100), purseWithBalance("00000"));
    EXPECT_EQ(withAddedMoney(hundred, 1048475), purseWithBalance("FFFFF"));
    EXPECT_FALSE(withAddedMoney(hundred, 1048476));
    EXPECT_FALSE(withAddedMoney(purseWithBalance("FFFFF"), 1));
    EXPECT_FALSE(withAddedMoney(purseWithBalance("00000"), INT32_MIN));
    EXPECT_FALSE(withAddedMoney(purseWithBalance("0G000"), 1));  // a damaged balance is not a number
}

TEST(AddedMoney, RewritesALowerCaseBalanceInUpperCaseWithAFreshCheck) {
    const std::string opened = "8" + std::string(16, '0') +
                               "00abc"
                               "0000"
                               "beef";
    const auto updated = withAddedMoney(opened + "XX", 1);
    ASSERT_TRUE(updated);
    EXPECT_EQ(*updated, opened.substr(0, 17) +
                            "00ABD"
                            "0000"
                            "beef"
                            "66");
}

}  // namespace
}  // namespace cardpurse
