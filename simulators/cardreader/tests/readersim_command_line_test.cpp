// The readersim program's command line: help, and the usage errors that end
// it before a terminal is opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "readersim/scratch_directory.h"
#include "testsupport/shell_command.h"

namespace readersim {
namespace {

using Outcome = testsupport::CommandOutcome;

// Runs readersim with `arguments`; `stream` 1 collects standard output, 2 standard error.
Outcome readersim(const std::string& arguments, int stream) {
    return testsupport::runShellCommand(std::string(READERSIM_PATH) + " " + arguments +
                                        (stream == 1 ? " 2>/dev/null" : " 2>&1 >/dev/null"));
}

TEST(ReadersimCommandLine, HelpPrintsTheUsageOnStandardOutput) {
    for (const char* help : {"--help", "-h", "--port 3 --help"}) {
        const Outcome run = readersim(help, 1);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.output.rfind("usage: readersim --dir DIR --port N", 0), 0u) << help << ": " << run.output;
    }
}

TEST(ReadersimCommandLine, ADirectoryThatIsNotThereIsAUsageError) {
    ScratchDirectory scratch;
    const std::string missing = (scratch.path() / "nonexistent").string();
    const std::string file = (scratch.path() / "file").string();
    std::fclose(std::fopen(file.c_str(), "w"));
    for (const std::string& directory : {missing, file}) {
        const Outcome run = readersim("--dir " + directory + " --port 3", 2);
        EXPECT_EQ(run.status, 2) << directory;
        EXPECT_EQ(run.output.rfind("readersim: --dir " + directory + ": no such directory\n", 0), 0u) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(missing)) << "nothing is created";
}

}  // namespace
}  // namespace readersim
