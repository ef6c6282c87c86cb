#pragma once
// Checks of the host's arguments, made before the port is touched.
//
// The host passes its texts as plain C strings and its numbers as integers. A
// null pointer, a text shorter than its field, a character the field cannot
// carry or a number that does not fit its field would send a malformed frame,
// read past the host's buffer or reach the card cut short, so such arguments
// are refused before anything is sent.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace digittext {

enum class Digits { Decimal, Hexadecimal };

// Whether a text may be longer than its field (the field takes its first
// characters, the rest is neither checked nor sent) or must fill it exactly.
enum class Fit { AtLeast, Exact };

// Collects the arguments of one call. The first refused argument is kept as
// the refusal; the checks after it are skipped and give empty values.
class HostArguments {
public:
    // The first `length` characters of `text`, all of them `digits`.
    std::string_view digitText(const char* name, const char* text, std::size_t length, Digits digits,
                               Fit fit = Fit::AtLeast);

    // `value` when it lies within minimum..maximum, else 0.
    std::int64_t number(const char* name, std::int64_t value, std::int64_t minimum, std::int64_t maximum);

    // A buffer the library writes its result into; never null.
    char* outputBuffer(const char* name, char* buffer);

    bool accepted() const { return refusal_.empty(); }
    // Why an argument was refused; empty when accepted.
    const std::string& refusal() const { return refusal_; }

    // True when an argument was refused; the reason then goes to the debug log
    // of `component` as "<operation>: refused before sending: <reason>".
    bool refused(const char* component, const char* operation) const;

private:
    void refuse(std::string reason);

    std::string refusal_;
};

}  // namespace digittext
