#include "readersim/card_image_file.h"

#include <gtest/gtest.h>

namespace readersim {
namespace {

TEST(CardImageFileTest, DumpReloadsToTheSameState) {
    ReaderState state = ReaderState::fresh();
    state.blocks[8] = std::string("00\\name\r\n\x01\xB0\xA1 ") + std::string(19, ' ');
    state.blocks[9] = " leading and trailing spaces    ";
    state.readerKey = "A1B2C3D4E5F6";
    state.sound = 4;
    state.rfPurse = {123456, -5, 65535};
    ASSERT_EQ(state.blocks[8].size(), 32u);

    ReaderState reloaded;
    std::string error;
    ASSERT_TRUE(parseImageText(formatImageText(state), reloaded, error)) << error;
    EXPECT_EQ(reloaded, state);
}

TEST(CardImageFileTest, ItemsNotGivenKeepFreshValues) {
    ReaderState state;
    std::string error;
    ASSERT_TRUE(parseImageText("# two items\r\nblock 05 8000000000000000000003E8000000AB\r\n\r\nrf.balance 1000\r\n",
                               state, error))
        << error;
    ReaderState expected = ReaderState::fresh();
    expected.blocks[5] = "8000000000000000000003E8000000AB";
    expected.rfPurse.balance = 1000;
    EXPECT_EQ(state, expected);
}

TEST(CardImageFileTest, BadLinesAreNamedByNumber) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"block 64 " + std::string(32, '0'), "line 1: block number must be 0 to 63"},
        {"\nblock 05 0000", "line 2: block text must have 32 characters"},
        {"block 05 \\xG0" + std::string(28, '0'), "line 1: bad \\x escape in block text"},
        {"sound 10", "line 1: sound must be 1 to 9"},
        {"readerkey 7C3A", "line 1: reader key must have 12 characters"},
        {"rf.cardnumber 262144", "line 1: card number must be 0 to 262143"},
        {"rf.transaction -1", "line 1: transaction number must be 0 to 65535"},
        {"colour blue", "line 1: unknown item \"colour\""},
        {"sound", "line 1: expected a name and a value"},
    };
    for (const auto& c : cases) {
        ReaderState state;
        std::string error;
        EXPECT_FALSE(parseImageText(c.text, state, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

}  // namespace
}  // namespace readersim
