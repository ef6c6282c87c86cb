// cardctl: the command-line host of the card libraries. It loads the library
// of the command the way a payment host does and calls its exports.
//
//   cardctl [--port N] [--library PATH] COMMAND [ARGUMENTS...]
//
// Exit status: 0 when the export reported success, 1 when it reported
// failure, 2 for wrong usage, 3 when the library cannot be loaded.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "command.h"
#include "library_loader.h"

namespace cardctl {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitLibrary = 3;
// The port numbers the libraries open (COM1 to COM999).
constexpr int kFirstPort = 1;
constexpr int kLastPort = 999;

struct Options {
    bool help = false;
    int port = 1;
    std::optional<std::string> library;
    const Command* command = nullptr;
    std::vector<std::string> args;
};

void printUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: cardctl [--port N] [--library PATH] COMMAND [ARGUMENTS...]\n"
                 "       cardctl --help\n"
                 "  --port N        reader port COM<N>, 1 to 999 (default 1)\n"
                 "  --library PATH  library file to load (default: the library of the command in\n"
                 "                  ../lib beside cardctl, else on the system's search path)\n"
                 "Integers are decimal or 0x hexadecimal. Exit status 0 when the library reports\n"
                 "success. Commands:\n");
    for (auto commands : {cardpurseCommands(), rfwalletCommands()}) {
        for (const Command& command : commands) std::fprintf(out, "  %-17s %s\n", command.name, command.usage);
    }
}

const Command* findCommand(const std::string& name) {
    for (auto commands : {cardpurseCommands(), rfwalletCommands()}) {
        for (const Command& command : commands) {
            if (name == command.name) return &command;
        }
    }
    return nullptr;
}

// Options come before the command: the words after it are its arguments, so
// that "add-money -100" reads as a negative amount.
Options parseCommandLine(int argc, char** argv) {
    Options options;
    int at = 1;
    for (; at < argc && argv[at][0] == '-'; ++at) {
        const std::string option = argv[at];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return options;
        }
        if (option != "--port" && option != "--library") throw UsageError("unknown option " + option);
        if (at + 1 >= argc) throw UsageError(option + " needs a value");
        const std::string value = argv[++at];
        if (option == "--library") {
            options.library = value;
            continue;
        }
        // Checked here: for a port it cannot open, a library only reports failure.
        options.port = integerArgument(value);
        if (options.port < kFirstPort || options.port > kLastPort) {
            throw UsageError("--port needs a number from " + std::to_string(kFirstPort) + " to " +
                             std::to_string(kLastPort) + ", not " + value);
        }
    }
    if (at >= argc) throw UsageError("no command given");
    options.command = findCommand(argv[at]);
    if (options.command == nullptr) throw UsageError(std::string("unknown command ") + argv[at]);
    options.args.assign(argv + at + 1, argv + argc);
    return options;
}

// The library a command belongs to: the one installed beside cardctl when it
// is there, else whatever the system's search path finds.
std::string libraryPath(TargetLibrary target) {
    const std::string fileName = libraryFileName(target == TargetLibrary::CardPurse ? "cardpurse" : "rfwallet");
    const std::string directory = executableDirectory();
    if (!directory.empty()) {
        const std::filesystem::path beside = std::filesystem::path(directory) / ".." / "lib" / fileName;
        std::error_code error;
        if (std::filesystem::exists(beside, error)) return beside.lexically_normal().string();
    }
    return fileName;
}

int run(int argc, char** argv) {
    Options options;
    try {
        options = parseCommandLine(argc, argv);
        if (options.help) {
            printUsage(stdout);
            return 0;
        }
    } catch (const UsageError& error) {
        std::fprintf(stderr, "cardctl: %s\n", error.what());
        printUsage(stderr);
        return kExitUsage;
    }
    try {
        LoadedLibrary library(options.library.value_or(libraryPath(options.command->library)));
        return options.command->run(Invocation{options.port, options.args, library});
    } catch (const UsageError& error) {
        std::fprintf(stderr, "cardctl %s: %s\nusage: cardctl [--port N] %s %s\n", options.command->name, error.what(),
                     options.command->name, options.command->usage);
        return kExitUsage;
    } catch (const LibraryError& error) {
        std::fprintf(stderr, "cardctl: %s\n", error.what());
        return kExitLibrary;
    }
}

}  // namespace
}  // namespace cardctl

int main(int argc, char** argv) { return cardctl::run(argc, argv); }
