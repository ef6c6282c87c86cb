#include "argument_checks.h"

#include <cstring>

#include "common/debug_log.h"
#include "hex_codec.h"

namespace cardpurse {

namespace {

constexpr const char* kComponent = "cardpurse";

// The text when it is not null, else nothing; looks at most `limit` characters far.
std::optional<std::string_view> present(const char* text, std::size_t limit, const char* what) {
    if (text == nullptr) {
        common::debugLog(kComponent, "%s: null pointer", what);
        return std::nullopt;
    }
    return std::string_view(text, strnlen(text, limit));
}

bool hasLength(std::string_view text, std::size_t length, bool exact, const char* what) {
    if (text.size() < length || (exact && text.size() > length)) {
        common::debugLog(kComponent, "%s: %s%zu characters needed", what, exact ? "exactly " : "", length);
        return false;
    }
    return true;
}

bool allMatch(std::string_view text, bool (*accepted)(char), const char* kind, const char* what) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!accepted(text[i])) {
            common::debugLog(kComponent, "%s: character %zu (code %d) is not a %s", what, i,
                             static_cast<unsigned char>(text[i]), kind);
            return false;
        }
    }
    return true;
}

bool isDecimalDigit(char character) { return character >= '0' && character <= '9'; }

std::optional<std::string_view> checkedText(const char* text, std::size_t length, bool exact, bool (*accepted)(char),
                                            const char* kind, const char* what) {
    // One character beyond the field is enough to tell "too long" from "exact".
    auto view = present(text, length + 1, what);
    if (!view || !hasLength(*view, length, exact, what)) return std::nullopt;
    view = view->substr(0, length);
    if (!allMatch(*view, accepted, kind, what)) return std::nullopt;
    return view;
}

}  // namespace

std::optional<std::string_view> twoDigitArgument(const char* text, const char* what) {
    return checkedText(text, 2, true, isDecimalDigit, "decimal digit", what);
}

std::optional<std::string_view> fieldTextArgument(const char* text, std::size_t length, const char* what) {
    return checkedText(text, length, false, isHexDigit, "hexadecimal digit", what);
}

std::optional<std::string_view> exactHexArgument(const char* text, std::size_t length, const char* what) {
    return checkedText(text, length, true, isHexDigit, "hexadecimal digit", what);
}

bool rangeArgument(std::int64_t value, std::int64_t minimum, std::int64_t maximum, const char* what) {
    if (value >= minimum && value <= maximum) return true;
    common::debugLog(kComponent, "%s: %lld is outside %lld..%lld", what, static_cast<long long>(value),
                     static_cast<long long>(minimum), static_cast<long long>(maximum));
    return false;
}

bool outputArgument(const char* buffer, const char* what) {
    if (buffer != nullptr) return true;
    common::debugLog(kComponent, "%s: null output buffer", what);
    return false;
}

}  // namespace cardpurse
