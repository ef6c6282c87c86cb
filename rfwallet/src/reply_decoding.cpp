#include "reply_decoding.h"

#include <vector>

#include "nibble_text.h"

namespace rfwallet {

namespace {
constexpr std::string_view kMoneyReplyStart = "DONE";
}  // namespace

std::optional<CardInfo> decodeCardInfoReply(std::string_view reply) {
    const std::vector<std::uint8_t> bytes = nibbleBytes(reply.substr(0, 24));
    if (bytes.size() < 12) return std::nullopt;
    const std::int32_t numberA = (bytes[5] & 0x03) << 16 | bytes[6] << 8 | bytes[7];
    const std::uint32_t numberB =
        std::uint32_t{bytes[8]} << 24 | std::uint32_t{bytes[9]} << 16 | std::uint32_t{bytes[10]} << 8 | bytes[11];
    return CardInfo{numberA, static_cast<std::int32_t>(numberB)};
}

std::optional<std::uint16_t> decodeMoneyReply(std::string_view reply) {
    if (reply.size() < 8 || !reply.starts_with(kMoneyReplyStart)) return std::nullopt;
    const std::vector<std::uint8_t> bytes = nibbleBytes(reply.substr(4, 4));
    return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

}  // namespace rfwallet
