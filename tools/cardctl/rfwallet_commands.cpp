// The rf-info, rf-add and rf-deduct commands of cardctl (rfwallet exports).
#include "command.h"

namespace cardctl {

std::span<const Command> rfwalletCommands() { return {}; }

}  // namespace cardctl
