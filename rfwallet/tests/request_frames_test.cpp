#include "request_frames.h"

#include <gtest/gtest.h>

#include <string>

namespace rfwallet {
namespace {

// Host values with every hexadecimal digit in both cases, and their nibble
// text as the reader must receive it.
constexpr std::string_view kFieldA = "0123456789ABCDEFabcdef012345";
constexpr std::string_view kFieldANibbles = "0123456789:;<=>?:;<=>?012345";
constexpr std::string_view kFieldB = "FEDCBA9876543210FEDCBA9876";
constexpr std::string_view kFieldBNibbles = "?>=<;:9876543210?>=<;:9876";
constexpr std::string_view kFieldC = "00A0ff";
constexpr std::string_view kFieldD = "11223344556677889900AABBCCDDEEFF";
constexpr std::string_view kFieldDNibbles = "11223344556677889900::;;<<==>>??";
constexpr std::string_view kDigits12 = "100902034504";

MoneyFields money(std::int32_t hostHex8, std::int32_t hostHex6) {
    return MoneyFields{kFieldD, hostHex8, kDigits12, hostHex6};
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text += part;
    return text;
}

TEST(RequestFrames, ReadCardInfo) {
    const std::string frame = readCardInfoFrame({kFieldA, kFieldB});
    EXPECT_EQ(frame, joined({"Dd", kFieldANibbles, kFieldBNibbles, "!"}));
    EXPECT_EQ(frame.size(), kReadCardInfoFrameLength);
}

TEST(RequestFrames, AddMoney) {
    const std::string frame = addMoneyFrame({kFieldA, kFieldB, kFieldC, money(26, 0xABCDEF)});
    EXPECT_EQ(frame, joined({"De", kFieldANibbles, kFieldBNibbles, "00:0??", kFieldDNibbles, "0000001:", "0:0902032=04",
                             ":;<=>?", "!"}));
    EXPECT_EQ(frame.size(), kAddMoneyFrameLength);
}

TEST(RequestFrames, Deductions) {
    const std::string frame = deductionsFrame({kFieldA, kFieldB, money(26, 1)});
    EXPECT_EQ(frame, joined({"Dg", kFieldANibbles, kFieldBNibbles, kFieldDNibbles, "0000001:", "0:0902032=04", "000001",
                             "!"}));
    EXPECT_EQ(frame.size(), kDeductionsFrameLength);
}

TEST(RequestFrames, IntegersAtTheEndsOfTheirRanges) {
    // A negative hostHex8 travels as its 32-bit two's complement.
    const std::string negative = deductionsFrame({kFieldA, kFieldB, money(-1, 0)});
    EXPECT_EQ(negative.substr(88, 8), "????????");
    EXPECT_EQ(negative.substr(108, 6), "000000");

    const std::string largest = deductionsFrame({kFieldA, kFieldB, money(INT32_MIN, 0xFFFFFF)});
    EXPECT_EQ(largest.substr(88, 8), "80000000");
    EXPECT_EQ(largest.substr(108, 6), "??????");
}

}  // namespace
}  // namespace rfwallet
