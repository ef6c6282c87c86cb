#include "digittext/host_arguments.h"

#include <cstring>
#include <utility>

#include "common/debug_log.h"
#include "digittext/digit_codec.h"

namespace digittext {

std::string_view HostArguments::digitText(const char* name, const char* text, std::size_t length, Digits digits,
                                          Fit fit) {
    if (!accepted()) return {};
    if (text == nullptr) {
        refuse(std::string(name) + " is a null pointer");
        return {};
    }
    // strnlen looks no further than one character beyond the field, so a
    // short text is never read past its terminator, and "too long" still
    // shows.
    const std::size_t available = strnlen(text, length + 1);
    if (available < length) {
        refuse(std::string(name) + " has " + std::to_string(available) + " characters, needs " +
               (fit == Fit::Exact ? "exactly " : "") + std::to_string(length));
        return {};
    }
    if (fit == Fit::Exact && available > length) {
        refuse(std::string(name) + " has more than " + std::to_string(length) + " characters, needs exactly " +
               std::to_string(length));
        return {};
    }
    const bool hexadecimal = digits == Digits::Hexadecimal;
    const std::string_view field(text, length);
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (!(hexadecimal ? isHexDigit(field[i]) : isDecimalDigit(field[i]))) {
            refuse(std::string(name) + " has a character that is not a " + (hexadecimal ? "hexadecimal" : "decimal") +
                   " digit at position " + std::to_string(i));
            return {};
        }
    }
    return field;
}

std::int64_t HostArguments::number(const char* name, std::int64_t value, std::int64_t minimum, std::int64_t maximum) {
    if (!accepted()) return 0;
    if (value < minimum || value > maximum) {
        refuse(std::string(name) + " is " + std::to_string(value) + ", outside " + std::to_string(minimum) + ".." +
               std::to_string(maximum));
        return 0;
    }
    return value;
}

char* HostArguments::outputBuffer(const char* name, char* buffer) {
    if (accepted() && buffer == nullptr) refuse(std::string(name) + " is a null pointer");
    return buffer;
}

bool HostArguments::refused(const char* component, const char* operation) const {
    if (accepted()) return false;
    common::debugLog(component, "%s: refused before sending: %s", operation, refusal_.c_str());
    return true;
}

void HostArguments::refuse(std::string reason) { refusal_ = std::move(reason); }

}  // namespace digittext
