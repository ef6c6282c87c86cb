#pragma once
// Runs a command line through the shell, as a user types it, and collects
// what it writes on standard output; redirections in the command decide
// where its standard error goes. For tests of the command-line programs.

#include <string>

namespace testsupport {

struct CommandOutcome {
    int status = -1;  // exit status; -1 when it did not exit normally or could not start
    std::string output;
};

CommandOutcome runShellCommand(const std::string& command);

}  // namespace testsupport
