#include "terminal.h"

#include <unistd.h>

namespace serverconf {

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace serverconf
