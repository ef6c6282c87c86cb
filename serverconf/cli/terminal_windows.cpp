#include "terminal.h"

#include <io.h>
#include <cstdio>

namespace serverconf {

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace serverconf
