// The argument checks: what each takes from the host's texts and numbers,
// what it refuses and why.
#include "digittext/host_arguments.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace digittext {
namespace {

TEST(HostArguments, DigitTextsTakeTheFieldOrGiveTheReason) {
    struct Case {
        const char* text;
        std::size_t length;
        Digits digits;
        Fit fit;
        const char* field;   // what is taken; nullptr when refused
        const char* reason;  // part of the refusal
    };
    constexpr Digits hex = Digits::Hexadecimal, dec = Digits::Decimal;
    constexpr Fit atLeast = Fit::AtLeast, exact = Fit::Exact;
    const Case cases[] = {
        {"0aF9c3", 6, hex, atLeast, "0aF9c3", ""},
        {"ABCDEF0123", 6, hex, atLeast, "ABCDEF", ""},
        // Only the field's characters are checked; what follows is not sent.
        {"123456789012xyz", 12, dec, atLeast, "123456789012", ""},
        {"05", 2, dec, exact, "05", ""},
        {nullptr, 6, hex, atLeast, nullptr, "hostFieldX is a null pointer"},
        {"", 6, hex, atLeast, nullptr, "hostFieldX has 0 characters, needs 6"},
        {"ABCDE", 6, hex, atLeast, nullptr, "hostFieldX has 5 characters, needs 6"},
        {"5", 2, dec, exact, nullptr, "hostFieldX has 1 characters, needs exactly 2"},
        {"005", 2, dec, exact, nullptr, "has more than 2 characters, needs exactly 2"},
        {"ABCDEG", 6, hex, atLeast, nullptr, "not a hexadecimal digit at position 5"},
        {"AB CDE", 6, hex, atLeast, nullptr, "not a hexadecimal digit at position 2"},
        {"ABCD\x01"
         "F",
         6, hex, atLeast, nullptr, "not a hexadecimal digit at position 4"},
        {"0A", 2, dec, exact, nullptr, "not a decimal digit at position 1"},
        {"12345678901A", 12, dec, atLeast, nullptr, "not a decimal digit at position 11"},
        {"-12345678901", 12, dec, atLeast, nullptr, "not a decimal digit at position 0"},
    };
    for (const Case& c : cases) {
        const std::string label = c.text ? c.text : "null";
        HostArguments arguments;
        const std::string_view field = arguments.digitText("hostFieldX", c.text, c.length, c.digits, c.fit);
        if (c.field != nullptr) {
            EXPECT_EQ(field, c.field) << label;
            EXPECT_TRUE(arguments.accepted()) << label << ": " << arguments.refusal();
        } else {
            EXPECT_TRUE(field.empty()) << label;
            EXPECT_FALSE(arguments.accepted()) << label;
            EXPECT_NE(arguments.refusal().find(c.reason), std::string::npos) << label << ": " << arguments.refusal();
        }
    }
}

TEST(HostArguments, NumbersAndBuffersOutsideTheirLimitsAreRefused) {
    struct Case {
        std::int64_t value;
        std::int64_t minimum;
        std::int64_t maximum;
        bool accepted;
    };
    const Case cases[] = {
        {0, 0, 0xFFFFFF, true},
        {0xFFFFFF, 0, 0xFFFFFF, true},
        {-1, 0, 0xFFFFFF, false},
        {0x1000000, 0, 0xFFFFFF, false},
        {INT32_MIN, 0, 255, false},
        {INT32_MAX, 0, 255, false},
        {1, 1, 9, true},
        {0, 1, 9, false},
        {10, 1, 9, false},
    };
    for (const Case& c : cases) {
        HostArguments arguments;
        EXPECT_EQ(arguments.number("hostHex6", c.value, c.minimum, c.maximum), c.accepted ? c.value : 0) << c.value;
        EXPECT_EQ(arguments.accepted(), c.accepted) << c.value << " in " << c.minimum << ".." << c.maximum;
    }
    char buffer[8];
    HostArguments arguments;
    EXPECT_EQ(arguments.outputBuffer("infoNumberA", buffer), buffer);
    EXPECT_TRUE(arguments.accepted());
    EXPECT_EQ(arguments.outputBuffer("infoNumberB", nullptr), nullptr);
    EXPECT_EQ(arguments.refusal(), "infoNumberB is a null pointer");
}

TEST(HostArguments, TheFirstRefusalStandsAndLaterChecksAreSkipped) {
    HostArguments arguments;
    EXPECT_TRUE(arguments.digitText("sector", "1x", 2, Digits::Decimal, Fit::Exact).empty());
    EXPECT_TRUE(arguments.digitText("block", "05", 2, Digits::Decimal, Fit::Exact).empty());
    EXPECT_EQ(arguments.number("level", 5, 1, 9), 0);
    EXPECT_EQ(arguments.outputBuffer("out", nullptr), nullptr);
    EXPECT_EQ(arguments.refusal(), "sector has a character that is not a decimal digit at position 1");
    EXPECT_TRUE(arguments.refused("digittext", "ReadCardBlank"));
    EXPECT_FALSE(HostArguments().refused("digittext", "ReadCardBlank"));
}

TEST(HostArguments, NeverReadsPastAShortText) {
    // A heap block of exactly the text's size: reading on to the field's
    // length would be caught by the address sanitizer.
    for (const Fit fit : {Fit::AtLeast, Fit::Exact}) {
        const std::string text = "0123";
        const auto buffer = std::make_unique<char[]>(text.size() + 1);
        text.copy(buffer.get(), text.size());
        buffer[text.size()] = '\0';
        HostArguments arguments;
        EXPECT_TRUE(arguments.digitText("hostFieldA", buffer.get(), 28, Digits::Hexadecimal, fit).empty());
        EXPECT_FALSE(arguments.accepted());
    }
}

}  // namespace
}  // namespace digittext
