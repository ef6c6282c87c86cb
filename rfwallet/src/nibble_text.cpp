#include "nibble_text.h"

#include "digittext/digit_codec.h"

namespace rfwallet {

using digittext::HexDigitValue;

namespace {
constexpr unsigned kNibbleBase = '0';
}  // namespace

char nibbleCharacter(unsigned value) { return static_cast<char>(static_cast<std::uint8_t>(kNibbleBase + value)); }

void appendHexAsNibbles(std::string& frame, std::string_view hexText) {
    for (char character : hexText) {
        frame += nibbleCharacter(static_cast<unsigned>(HexDigitValue(character)));
    }
}

void appendDigitPairsAsNibbles(std::string& frame, std::string_view digits) {
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        const auto number = static_cast<unsigned>(10 * HexDigitValue(digits[i]) + HexDigitValue(digits[i + 1]));
        frame += nibbleCharacter(number / 16);
        frame += nibbleCharacter(number % 16);
    }
}

std::vector<std::uint8_t> nibbleBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const auto high = static_cast<unsigned char>(text[i]) & 0x0Fu;
        const auto low = static_cast<unsigned char>(text[i + 1]) & 0x0Fu;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

}  // namespace rfwallet
