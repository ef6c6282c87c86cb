// The check byte and the reader frames, against fixed texts.
#include <gtest/gtest.h>

#include "block_text.h"
#include "reader_frames.h"

namespace cardpurse {
namespace {

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
