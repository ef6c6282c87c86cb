// The host's arguments that must never reach the card.
#include <gtest/gtest.h>

#include "argument_checks.h"

namespace cardpurse {
namespace {

TEST(ArgumentChecks, SectorAndBlockAreExactlyTwoDecimalDigits) {
    EXPECT_EQ(twoDigitArgument("05", "block"), "05");
    EXPECT_FALSE(twoDigitArgument(nullptr, "block"));
    EXPECT_FALSE(twoDigitArgument("5", "block"));
    EXPECT_FALSE(twoDigitArgument("005", "block"));
    EXPECT_FALSE(twoDigitArgument("0A", "block"));
    EXPECT_FALSE(twoDigitArgument("", "block"));
}

TEST(ArgumentChecks, FieldTextsUseTheirFirstCharactersWhichMustBeHexadecimal) {
    EXPECT_EQ(fieldTextArgument("0123456789abcdef", 16, "name"), "0123456789abcdef");
    // Longer texts are cut to their field; what lies beyond is not looked at.
    EXPECT_EQ(fieldTextArgument("241231 and more", 6, "limit time"), "241231");
    EXPECT_FALSE(fieldTextArgument("24123", 6, "limit time"));
    EXPECT_FALSE(fieldTextArgument(nullptr, 2, "GB code"));
    EXPECT_FALSE(fieldTextArgument("0123456789abcdeg", 16, "name"));
    EXPECT_FALSE(fieldTextArgument("ab\xC4\xE3", 4, "department"));
}

TEST(ArgumentChecks, BlockTextsAndKeysHaveExactlyTheirLength) {
    const std::string block(32, 'A');
    EXPECT_EQ(exactHexArgument(block.c_str(), 32, "text"), block);
    EXPECT_FALSE(exactHexArgument((block + "0").c_str(), 32, "text"));
    EXPECT_FALSE(exactHexArgument(block.substr(1).c_str(), 32, "text"));
    EXPECT_EQ(exactHexArgument("7c3a19e5b04d", 12, "key"), "7c3a19e5b04d");
    EXPECT_FALSE(exactHexArgument("7C3A19E5B04", 12, "key"));
    EXPECT_FALSE(exactHexArgument("7C3A19E5B04D0", 12, "key"));
    EXPECT_FALSE(exactHexArgument("7C3A19E5B0-D", 12, "key"));
}

TEST(ArgumentChecks, NumbersWithinInclusiveBoundsAndOutputsPresent) {
    EXPECT_TRUE(rangeArgument(0, 0, 255, "count"));
    EXPECT_TRUE(rangeArgument(255, 0, 255, "count"));
    EXPECT_FALSE(rangeArgument(256, 0, 255, "count"));
    EXPECT_FALSE(rangeArgument(-1, 0, 255, "count"));
    char buffer[1];
    EXPECT_TRUE(outputArgument(buffer, "out"));
    EXPECT_FALSE(outputArgument(nullptr, "out"));
}

}  // namespace
}  // namespace cardpurse
