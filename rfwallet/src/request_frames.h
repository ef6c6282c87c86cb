#pragma once
// Request frames of the three card operations.
//
// A frame is "D", a command letter, the fields in nibble text and "!". The
// host fields are passed through uninterpreted; each field takes exactly its
// length in characters from the text it is given.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rfwallet {

inline constexpr std::size_t kHostFieldALength = 28;
inline constexpr std::size_t kHostFieldBLength = 26;
inline constexpr std::size_t kHostFieldCLength = 6;
inline constexpr std::size_t kHostFieldDLength = 32;
inline constexpr std::size_t kDigits12Length = 12;
// The largest hostHex6 whose "%06X" text has six digits.
inline constexpr std::int64_t kLargestHostHex6 = 0xFFFFFF;

inline constexpr std::size_t kReadCardInfoFrameLength = 57;
inline constexpr std::size_t kAddMoneyFrameLength = 121;
inline constexpr std::size_t kDeductionsFrameLength = 115;

// The value fields shared by adding and deducting money.
struct MoneyFields {
    std::string_view hostFieldD;  // 32 hexadecimal digits
    std::int32_t hostHex8;        // sent as its "%08X" text
    std::string_view digits12;    // 12 decimal digits, sent as six byte values
    std::int32_t hostHex6;        // sent as the first six characters of "%06X"
};

struct ReadCardInfoRequest {
    std::string_view hostFieldA;  // 28 hexadecimal digits
    std::string_view hostFieldB;  // 26 hexadecimal digits
};

struct AddMoneyRequest {
    std::string_view hostFieldA;
    std::string_view hostFieldB;
    std::string_view hostFieldC;  // 6 hexadecimal digits
    MoneyFields money;
};

struct DeductionsRequest {
    std::string_view hostFieldA;
    std::string_view hostFieldB;
    MoneyFields money;
};

std::string readCardInfoFrame(const ReadCardInfoRequest& request);  // "Dd..."
std::string addMoneyFrame(const AddMoneyRequest& request);          // "De..."
std::string deductionsFrame(const DeductionsRequest& request);      // "Dg..."

}  // namespace rfwallet
