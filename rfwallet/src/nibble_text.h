#pragma once
// Nibble text: the character encoding of the RF SAM reader's frames.
//
// Every 4-bit value v travels as the character with the code 48 + v, that is
// "0".."9" for 0..9 and ":" ";" "<" "=" ">" "?" for 10..15. A byte travels as
// two such characters, high half first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rfwallet {

// The character that carries `value` (48 + value, modulo 256).
char nibbleCharacter(unsigned value);

// Appends hexadecimal text one character for one: x becomes the character
// 48 + HexDigitValue(x) (digittext/digit_codec.h).
void appendHexAsNibbles(std::string& frame, std::string_view hexText);

// Appends decimal text two digits at a time: the pair x y is the number
// 10 * HexDigitValue(x) + HexDigitValue(y), sent as one byte (two nibble
// characters). The pairs travel as one-byte numbers, not as digits.
void appendDigitPairsAsNibbles(std::string& frame, std::string_view digits);

// The bytes of nibble text, two characters each; of each character only its
// low four bits count. A trailing odd character is ignored.
std::vector<std::uint8_t> nibbleBytes(std::string_view text);

}  // namespace rfwallet
