#include "nibble_text.h"

#include <gtest/gtest.h>

#include <string>

namespace rfwallet {
namespace {

TEST(NibbleText, BytesUseTheLowFourBitsOfEachCharacter) {
    EXPECT_EQ(nibbleBytes("?>0:"), (std::vector<std::uint8_t>{0xFE, 0x0A}));
    // Letters carry their low four bits too ('A' is 0x41).
    EXPECT_EQ(nibbleBytes("AA"), (std::vector<std::uint8_t>{0x11}));
    EXPECT_EQ(nibbleBytes("123"), (std::vector<std::uint8_t>{0x12}));
}

}  // namespace
}  // namespace rfwallet
