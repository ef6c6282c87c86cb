#pragma once
// Edits of a block text: putting a field, the check byte of the purse and
// limits blocks, the all-zero block of a card out of service.

#include <cstdint>
#include <string>
#include <string_view>

#include "card_layout.h"

namespace cardpurse {

// XOR of the 15 bytes that characters 0-29 encode (two hexadecimal digits
// each, high digit first).
std::uint8_t BlockCheck(std::string_view blockText);

// Writes BlockCheck of the text as two upper-case digits into characters 30-31.
void putBlockCheck(std::string& blockText);

// Replaces the characters of `field` with `text` (exactly field.length long).
void putField(std::string& blockText, Field field, std::string_view text);

// The characters of `field`.
std::string_view fieldOf(std::string_view blockText, Field field);

// 32 zeros.
std::string zeroBlock();

}  // namespace cardpurse
