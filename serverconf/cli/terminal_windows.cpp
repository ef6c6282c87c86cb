#include "terminal.h"

#include <cstdio>
#include <io.h>

namespace serverconf {

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace serverconf
