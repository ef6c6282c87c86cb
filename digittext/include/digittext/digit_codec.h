#pragma once
// Conversions between digit characters and numbers: the hexadecimal fields
// of card blocks and frames, and the decimal texts shown to the host.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace digittext {

// 0-9 for "0"-"9", 10-15 for "A"-"F" and "a"-"f"; any other character yields
// its own character code (0-255, never negative).
int HexDigitValue(char character);

// "0"-"9", "A"-"F", "a"-"f"; control characters below 16 are no digits even
// though HexDigitValue gives them a value below 16.
bool isHexDigit(char character);
bool isDecimalDigit(char character);

// Value of a run of hexadecimal digits, first digit most significant (at most
// eight digits). Nothing when a character is not a hexadecimal digit, so that
// a damaged field is never taken for a number.
std::optional<std::uint32_t> hexFieldValue(std::string_view digits);

// Character 0-15 of "0123456789ABCDEF".
char hexDigitOut(unsigned value);

enum class LetterCase { Upper, Lower };

// `value` as exactly `width` hexadecimal digits ("%05X" / "%05x"); the caller
// guarantees that the value fits.
std::string hexText(std::uint32_t value, std::size_t width, LetterCase letters = LetterCase::Upper);

// `value` in decimal, zero-padded to `width` digits ("%07d").
std::string decimalText(std::uint32_t value, std::size_t width);

}  // namespace digittext
