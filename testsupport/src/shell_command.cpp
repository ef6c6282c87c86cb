#include "testsupport/shell_command.h"

#include <sys/wait.h>

#include <cstdio>

namespace testsupport {

CommandOutcome runShellCommand(const std::string& command) {
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, "popen failed"};
    CommandOutcome outcome;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) outcome.output += chunk;
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace testsupport
