#include "card_layout.h"

#include "digittext/digit_codec.h"

namespace cardpurse {

using digittext::decimalText;

std::string BlockAddress::sectorText() const { return decimalText(static_cast<std::uint32_t>(sector), 2); }

std::string BlockAddress::blockText() const { return decimalText(static_cast<std::uint32_t>(block), 2); }

}  // namespace cardpurse
