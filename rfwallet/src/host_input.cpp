#include "host_input.h"

#include <cstring>
#include <utility>

#include "nibble_text.h"
#include "request_frames.h"

namespace rfwallet {

std::string_view HostInput::hexText(const char* name, const char* text, std::size_t length) {
    return digitText(name, text, length, isHexDigit, "hexadecimal");
}

std::string_view HostInput::decimalText(const char* name, const char* text, std::size_t length) {
    return digitText(name, text, length, isDecimalDigit, "decimal");
}

std::int32_t HostInput::sixHexDigits(const char* name, std::int32_t value) {
    if (!accepted()) return 0;
    if (value < 0 || value > kLargestHostHex6) {
        refuse(std::string(name) + " is " + std::to_string(value) + ", outside 0.." + std::to_string(kLargestHostHex6));
        return 0;
    }
    return value;
}

char* HostInput::outputBuffer(const char* name, char* buffer) {
    if (accepted() && buffer == nullptr) refuse(std::string(name) + " is a null pointer");
    return buffer;
}

std::string_view HostInput::digitText(const char* name, const char* text, std::size_t length, bool (*isDigit)(char),
                                      const char* digitKind) {
    if (!accepted()) return {};
    if (text == nullptr) {
        refuse(std::string(name) + " is a null pointer");
        return {};
    }
    // strnlen looks at no more than the field's length, so a short text is
    // never read past its terminator.
    const std::size_t available = strnlen(text, length);
    if (available < length) {
        refuse(std::string(name) + " has " + std::to_string(available) + " characters, needs " +
               std::to_string(length));
        return {};
    }
    const std::string_view field(text, length);
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (!isDigit(field[i])) {
            refuse(std::string(name) + " has a character that is not a " + digitKind + " digit at position " +
                   std::to_string(i));
            return {};
        }
    }
    return field;
}

void HostInput::refuse(std::string reason) { refusal_ = std::move(reason); }

}  // namespace rfwallet
