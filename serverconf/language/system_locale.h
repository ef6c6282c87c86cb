#pragma once
// The name of the locale in which the system shows its messages to the user:
// on POSIX systems the locale variables, on Windows the user's UI language.

#include <QString>

namespace serverconf {

// "zh_CN.UTF-8", "en-GB", "C"...; empty when nothing is set (the C locale).
QString systemLocaleName();

}  // namespace serverconf
