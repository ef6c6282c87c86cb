// Digit codecs, the check byte and the reader frames, against fixed texts.
#include <gtest/gtest.h>

#include "block_text.h"
#include "hex_codec.h"
#include "reader_frames.h"

namespace cardpurse {
namespace {

TEST(HexCodec, DigitValuesOfBothCasesAndOfOtherCharacters) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('f'), 15);
    EXPECT_EQ(HexDigitValue('G'), 'G');
    EXPECT_EQ(HexDigitValue('\xFF'), 255);  // its code as an unsigned character, never negative
    EXPECT_FALSE(isHexDigit('g'));
    EXPECT_TRUE(isHexDigit('a'));
}

TEST(HexCodec, FieldValuesReadTheSameInBothCasesAndRefuseOtherCharacters) {
    EXPECT_EQ(hexFieldValue("fffff"), 1048575u);
    EXPECT_EQ(hexFieldValue("FFFFF"), 1048575u);
    EXPECT_EQ(hexFieldValue("345678"), 0x345678u);
    EXPECT_EQ(hexFieldValue("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(hexFieldValue(""), 0u);
    EXPECT_EQ(hexFieldValue("00G0"), std::nullopt);
    EXPECT_EQ(hexFieldValue("0 10"), std::nullopt);
}

TEST(HexCodec, TextsArePaddedToTheirWidthInTheAskedCase) {
    EXPECT_EQ(hexText(0xABC, 5), "00ABC");
    EXPECT_EQ(hexText(0xABC, 5, LetterCase::Lower), "00abc");
    EXPECT_EQ(hexText(0xFFFFFFFF, 8), "FFFFFFFF");
    EXPECT_EQ(hexText(0, 2), "00");
    EXPECT_EQ(decimalText(0, 7), "0000000");
    EXPECT_EQ(decimalText(1048575, 7), "1048575");
    EXPECT_EQ(decimalText(16777215, 6), "16777215");  // wider than the width: all digits kept
}

TEST(BlockCheck, XorOfTheFifteenBytesBeforeTheCheck) {
    EXPECT_EQ(BlockCheck(std::string(32, '0')), 0x00);
    EXPECT_EQ(BlockCheck("01" + std::string(30, '0')), 0x01);
    EXPECT_EQ(BlockCheck("FF" + std::string(30, '0')), 0xFF);
    EXPECT_EQ(BlockCheck("ff" + std::string(30, '0')), 0xFF);
    // The old check characters are not part of it.
    EXPECT_EQ(BlockCheck("80" + std::string(16, '0') + "1234" + "000000" + "01" + "99"), 0xA7);
}

TEST(BlockCheck, WrittenAsTwoUpperCaseDigitsAtTheEnd) {
    std::string block = "800abcd0" + std::string(22, '0') + "XX";
    putBlockCheck(block);
    EXPECT_EQ(block, "800abcd0" + std::string(22, '0') + "E6");  // 80 ^ 0A ^ BC ^ D0
}

TEST(ReaderFrames, EachRequestCharacterByCharacter) {
    EXPECT_EQ(readBlockFrame("01", "05"), "Da0105!");
    const std::string text = "0123456789ABCDEF0123456789abcdef";
    EXPECT_EQ(writeBlockFrame("15", "63", text), "Db15630123456789ABCDEF0123456789abcdef!");
    EXPECT_EQ(loadReaderKeyFrame("7C3A19E5B04D"), "DG7C3A19E5B04D!");
    EXPECT_EQ(setSoundFrame(9), "Dc9!");
    EXPECT_EQ(setSoundFrame(1), "Dc1!");
}

}  // namespace
}  // namespace cardpurse
