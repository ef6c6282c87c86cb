#pragma once
// Whether standard error is a terminal (a person watches it), one file per
// platform: terminal_posix.cpp, terminal_windows.cpp.

namespace serverconf {

bool standardErrorIsTerminal();

}  // namespace serverconf
