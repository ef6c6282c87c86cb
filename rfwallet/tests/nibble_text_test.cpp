#include "nibble_text.h"

#include <gtest/gtest.h>

#include <string>

namespace rfwallet {
namespace {

TEST(HexDigitValue, DigitsOfBothCasesAndOtherCharacters) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('f'), 15);
    EXPECT_EQ(HexDigitValue('F'), HexDigitValue('f'));
    // Characters next to the digit ranges are not digits: their own code.
    EXPECT_EQ(HexDigitValue('G'), 'G');
    EXPECT_EQ(HexDigitValue('g'), 'g');
    EXPECT_EQ(HexDigitValue('@'), '@');
    EXPECT_EQ(HexDigitValue(':'), ':');
    EXPECT_EQ(HexDigitValue('\xE9'), 0xE9);  // never a negative code
}

TEST(HexDigitValue, DigitClassesFollowIt) {
    EXPECT_TRUE(isHexDigit('a'));
    EXPECT_FALSE(isHexDigit('g'));
    // Control characters have values below 16 but are no digits.
    EXPECT_FALSE(isHexDigit('\0'));
    EXPECT_FALSE(isHexDigit('\x0F'));
    EXPECT_TRUE(isDecimalDigit('0'));
    EXPECT_FALSE(isDecimalDigit('A'));
}

TEST(NibbleText, BytesUseTheLowFourBitsOfEachCharacter) {
    EXPECT_EQ(nibbleBytes("?>0:"), (std::vector<std::uint8_t>{0xFE, 0x0A}));
    // Letters carry their low four bits too ('A' is 0x41).
    EXPECT_EQ(nibbleBytes("AA"), (std::vector<std::uint8_t>{0x11}));
    EXPECT_EQ(nibbleBytes("123"), (std::vector<std::uint8_t>{0x12}));
}

}  // namespace
}  // namespace rfwallet
