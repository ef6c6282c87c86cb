// The cardpurse commands of cardctl.
#include "command.h"

namespace cardctl {

std::span<const Command> cardpurseCommands() { return {}; }

}  // namespace cardctl
