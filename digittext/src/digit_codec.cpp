#include "digittext/digit_codec.h"

#include <cassert>

namespace digittext {

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

std::optional<std::uint32_t> hexFieldValue(std::string_view digits) {
    assert(digits.size() <= 8);
    std::uint32_t value = 0;
    for (char digit : digits) {
        if (!isHexDigit(digit)) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(HexDigitValue(digit));
    }
    return value;
}

char hexDigitOut(unsigned value) { return "0123456789ABCDEF"[value & 0xF]; }

std::string hexText(std::uint32_t value, std::size_t width, LetterCase letters) {
    assert(width <= 8 && (width == 8 || value >> (4 * width) == 0));
    std::string text(width, '0');
    for (std::size_t i = width; i-- > 0; value >>= 4) {
        const char digit = hexDigitOut(value & 0xF);
        text[i] = letters == LetterCase::Lower && digit >= 'A' ? static_cast<char>(digit - 'A' + 'a') : digit;
    }
    return text;
}

std::string decimalText(std::uint32_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    return digits.size() >= width ? digits : std::string(width - digits.size(), '0') + digits;
}

}  // namespace digittext
