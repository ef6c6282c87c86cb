#include "block_text.h"

#include <cassert>

#include "digittext/digit_codec.h"

namespace cardpurse {

using digittext::HexDigitValue;
using digittext::hexText;

std::uint8_t BlockCheck(std::string_view blockText) {
    assert(blockText.size() >= kCheckField.position);
    unsigned check = 0;
    for (std::size_t i = 0; i < kCheckField.position; i += 2) {
        check ^= static_cast<unsigned>(HexDigitValue(blockText[i]) * 16 + HexDigitValue(blockText[i + 1]));
    }
    return static_cast<std::uint8_t>(check);
}

void putBlockCheck(std::string& blockText) {
    putField(blockText, kCheckField, hexText(BlockCheck(blockText), kCheckField.length));
}

void putField(std::string& blockText, Field field, std::string_view text) {
    assert(text.size() == field.length && field.position + field.length <= blockText.size());
    blockText.replace(field.position, field.length, text);
}

std::string_view fieldOf(std::string_view blockText, Field field) {
    return blockText.substr(field.position, field.length);
}

std::string zeroBlock() { return std::string(kBlockTextLength, '0'); }

}  // namespace cardpurse
