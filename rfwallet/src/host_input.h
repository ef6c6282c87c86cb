#pragma once
// Checks of the host's arguments before a request is built.
//
// The host passes its texts as plain C strings. A null pointer, a text
// shorter than its field or a character the field cannot carry would send a
// malformed frame or read past the host's buffer, so such arguments are
// refused before the port is touched. Longer texts are accepted; a field takes
// its first characters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rfwallet {

// Collects the arguments of one call. The first refused argument is kept as
// the refusal; the checks after it are skipped and give empty values.
class HostInput {
public:
    // The first `length` characters of a text of hexadecimal digits.
    std::string_view hexText(const char* name, const char* text, std::size_t length);

    // The first `length` characters of a text of decimal digits.
    std::string_view decimalText(const char* name, const char* text, std::size_t length);

    // An integer sent as six hexadecimal digits: 0..16777215.
    std::int32_t sixHexDigits(const char* name, std::int32_t value);

    // A buffer the library writes its result into.
    char* outputBuffer(const char* name, char* buffer);

    bool accepted() const { return refusal_.empty(); }
    // Why an argument was refused, for the debug log; empty when accepted.
    const std::string& refusal() const { return refusal_; }

private:
    std::string_view digitText(const char* name, const char* text, std::size_t length, bool (*isDigit)(char),
                               const char* digitKind);
    void refuse(std::string reason);

    std::string refusal_;
};

}  // namespace rfwallet
