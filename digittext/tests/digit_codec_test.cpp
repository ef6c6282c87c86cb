// Digit values and classes of single characters, and the texts of numbers.
#include "digittext/digit_codec.h"

#include <gtest/gtest.h>

namespace digittext {
namespace {

TEST(DigitCodec, ValueAndClassOfEachCharacter) {
    struct Case {
        char character;
        int value;
        bool hex;
        bool decimal;
    };
    const Case cases[] = {
        {'0', 0, true, true},
        {'9', 9, true, true},
        {'A', 10, true, false},
        {'F', 15, true, false},
        {'a', 10, true, false},
        {'f', 15, true, false},
        // Neighbours of the digit ranges are not digits: their own code.
        {'G', 'G', false, false},
        {'g', 'g', false, false},
        {'@', '@', false, false},
        {'`', '`', false, false},
        {'/', '/', false, false},
        {':', ':', false, false},
        // Control characters have values below 16 but are no digits.
        {'\0', 0, false, false},
        {'\x0F', 15, false, false},
        // Codes above 127 stay positive.
        {'\xE9', 0xE9, false, false},
        {'\xFF', 255, false, false},
    };
    for (const Case& c : cases) {
        const int code = static_cast<unsigned char>(c.character);
        EXPECT_EQ(HexDigitValue(c.character), c.value) << "value of code " << code;
        EXPECT_EQ(isHexDigit(c.character), c.hex) << "hexadecimal digit class of code " << code;
        EXPECT_EQ(isDecimalDigit(c.character), c.decimal) << "decimal digit class of code " << code;
    }
}

TEST(DigitCodec, FieldValuesReadTheSameInBothCasesAndRefuseOtherCharacters) {
    EXPECT_EQ(hexFieldValue("fffff"), 1048575u);
    EXPECT_EQ(hexFieldValue("FFFFF"), 1048575u);
    EXPECT_EQ(hexFieldValue("345678"), 0x345678u);
    EXPECT_EQ(hexFieldValue("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(hexFieldValue(""), 0u);
    EXPECT_EQ(hexFieldValue("00G0"), std::nullopt);
    EXPECT_EQ(hexFieldValue("0 10"), std::nullopt);
    EXPECT_EQ(hexFieldValue(std::string_view("0\x01", 2)), std::nullopt);
}

TEST(DigitCodec, TextsArePaddedToTheirWidthInTheAskedCase) {
    EXPECT_EQ(hexText(0xABC, 5), "00ABC");
    EXPECT_EQ(hexText(0xABC, 5, LetterCase::Lower), "00abc");
    EXPECT_EQ(hexText(0xFFFFFFFF, 8), "FFFFFFFF");
    EXPECT_EQ(hexText(0, 2), "00");
    EXPECT_EQ(hexDigitOut(10), 'A');
    EXPECT_EQ(decimalText(0, 7), "0000000");
    EXPECT_EQ(decimalText(1048575, 7), "1048575");
    EXPECT_EQ(decimalText(16777215, 6), "16777215");  // wider than the width: all digits kept
}

}  // namespace
}  // namespace digittext
