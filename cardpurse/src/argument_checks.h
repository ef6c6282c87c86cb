#pragma once
// Checks of the host's arguments, made before the port is touched so that a
// bad argument can never reach the card. Each check logs why it refuses;
// `what` names the argument in that message ("WriteName: name").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace cardpurse {

// Sector or block number: exactly two decimal digits.
std::optional<std::string_view> twoDigitArgument(const char* text, const char* what);

// A text that fills a field of `length` characters: at least that long, and
// its first `length` characters (the ones used) all hexadecimal digits.
std::optional<std::string_view> fieldTextArgument(const char* text, std::size_t length, const char* what);

// A text of exactly `length` hexadecimal digits (block text, key).
std::optional<std::string_view> exactHexArgument(const char* text, std::size_t length, const char* what);

// `value` within [minimum, maximum].
bool rangeArgument(std::int64_t value, std::int64_t minimum, std::int64_t maximum, const char* what);

// Output buffer pointers given by the host.
bool outputArgument(const char* buffer, const char* what);

}  // namespace cardpurse
