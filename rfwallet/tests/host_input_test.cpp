#include "host_input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace rfwallet {
namespace {

TEST(HostInput, AcceptsFieldsAndTakesTheirFirstCharacters) {
    HostInput input;
    EXPECT_EQ(input.hexText("hostFieldC", "0aF9c3", 6), "0aF9c3");
    EXPECT_EQ(input.hexText("hostFieldC", "ABCDEF0123", 6), "ABCDEF");
    // Only the field's characters are checked; what follows is not sent.
    EXPECT_EQ(input.decimalText("digits12", "123456789012xyz", 12), "123456789012");
    EXPECT_EQ(input.sixHexDigits("hostHex6", 0), 0);
    EXPECT_EQ(input.sixHexDigits("hostHex6", 16777215), 16777215);
    EXPECT_TRUE(input.accepted());
    EXPECT_EQ(input.refusal(), "");
}

TEST(HostInput, RefusesTextsThatWouldMakeAMalformedFrame) {
    struct Case {
        const char* text;
        std::size_t length;
        bool decimal;
        const char* reason;
    };
    const Case cases[] = {
        {nullptr, 6, false, "hostFieldX is a null pointer"},
        {"", 6, false, "hostFieldX has 0 characters, needs 6"},
        {"ABCDE", 6, false, "hostFieldX has 5 characters, needs 6"},
        {"ABCDEG", 6, false, "not a hexadecimal digit at position 5"},
        {"AB CDE", 6, false, "not a hexadecimal digit at position 2"},
        {"ABCD\x01"
         "F",
         6, false, "not a hexadecimal digit at position 4"},
        {"12345678901A", 12, true, "not a decimal digit at position 11"},
        {"-12345678901", 12, true, "not a decimal digit at position 0"},
    };
    for (const Case& c : cases) {
        HostInput input;
        if (c.decimal) {
            EXPECT_TRUE(input.decimalText("hostFieldX", c.text, c.length).empty());
        } else {
            EXPECT_TRUE(input.hexText("hostFieldX", c.text, c.length).empty());
        }
        EXPECT_FALSE(input.accepted()) << (c.text ? c.text : "null");
        EXPECT_NE(input.refusal().find(c.reason), std::string::npos) << input.refusal();
    }
}

TEST(HostInput, RefusesHostHex6OutsideSixDigits) {
    for (std::int32_t value : {-1, 16777216, INT32_MIN, INT32_MAX}) {
        HostInput input;
        input.sixHexDigits("hostHex6", value);
        EXPECT_FALSE(input.accepted()) << value;
    }
}

TEST(HostInput, NeverReadsPastAShortText) {
    // A heap block of exactly the text's size: reading on to the field's
    // length would be caught by the address sanitizer.
    const std::string text = "0123";
    const auto buffer = std::make_unique<char[]>(text.size() + 1);
    text.copy(buffer.get(), text.size());
    buffer[text.size()] = '\0';
    HostInput input;
    EXPECT_TRUE(input.hexText("hostFieldA", buffer.get(), 28).empty());
    EXPECT_FALSE(input.accepted());
}

}  // namespace
}  // namespace rfwallet
