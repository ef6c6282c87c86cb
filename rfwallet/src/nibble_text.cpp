#include "nibble_text.h"

namespace rfwallet {

namespace {
constexpr unsigned kNibbleBase = '0';
}  // namespace

int HexDigitValue(char character) {
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'A' && character <= 'F') return character - 'A' + 10;
    if (character >= 'a' && character <= 'f') return character - 'a' + 10;
    return static_cast<unsigned char>(character);
}

bool isHexDigit(char character) {
    return isDecimalDigit(character) || (character >= 'A' && character <= 'F') ||
           (character >= 'a' && character <= 'f');
}

bool isDecimalDigit(char character) { return character >= '0' && character <= '9'; }

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
