#pragma once
// Replies of the reader to the three card operations.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rfwallet {

inline constexpr std::size_t kCardInfoReplyLength = 25;
inline constexpr std::size_t kMoneyReplyLength = 9;

// Buffer sizes the host provides for the two numbers' texts.
inline constexpr std::size_t kInfoNumberAOutputSize = 7;   // "%06d", 0..262143
inline constexpr std::size_t kInfoNumberBOutputSize = 12;  // "%d" of a signed 32-bit value

struct CardInfo {
    std::int32_t infoNumberA;  // 0..262143
    std::int32_t infoNumberB;  // signed
};

// Decodes the 25-character card information reply. Its characters 0-23 are
// twelve bytes in nibble text: infoNumberA is the low 18 bits of bytes 5-7,
// infoNumberB bytes 8-11 as a signed 32-bit number, high byte first. The
// other characters are not checked. Nothing when the reply is shorter than
// 24 characters.
std::optional<CardInfo> decodeCardInfoReply(std::string_view reply);

// Decodes the 9-character reply to adding or deducting money: "DONE" and a
// 16-bit value in four nibble characters. Nothing when it does not start
// with "DONE".
std::optional<std::uint16_t> decodeMoneyReply(std::string_view reply);

}  // namespace rfwallet
