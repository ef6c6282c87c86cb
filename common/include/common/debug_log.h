#pragma once
// Debug-level log of the card libraries and tools.
//
// The libraries report outcomes to their host only as numbers; this log is
// where they say why an operation failed. It is silent unless the
// environment variable CARDPAYMENT_DEBUG is set to a value other than "0",
// and then writes one line per message to standard error.

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace common {

inline bool debugLogEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv("CARDPAYMENT_DEBUG");
        return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
    }();
    return enabled;
}

// MinGW's own "printf" check is that of the old Microsoft runtime, which knows
// no %zu; the C99 formatting that the C++ runtime selects there is gnu_printf.
#if defined(__MINGW_PRINTF_FORMAT)
__attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)))
#elif defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline void
debugLog(const char* component, const char* format, ...) {
    if (!debugLogEnabled()) return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(stderr, "[%s] %s\n", component, line);
}

}  // namespace common
