#pragma once
// Commands of cardctl, the command-line host of the card libraries.
//
// Each library's commands live in their own file (cardpurse_commands.cpp,
// rfwallet_commands.cpp) and are listed here by one function each; main.cpp
// loads the library a command belongs to and runs it.

#include <span>
#include <string>
#include <vector>

namespace cardctl {

class LoadedLibrary;  // library_loader.h: dlopen / LoadLibrary and symbol look-up

enum class TargetLibrary { CardPurse, RfWallet };

struct Invocation {
    int port;                       // --port N
    std::vector<std::string> args;  // words after the command name
    LoadedLibrary& library;         // the library the command belongs to
};

struct Command {
    const char* name;   // "info", "add-money", "rf-info", ...
    const char* usage;  // arguments after the name, for the help text
    TargetLibrary library;
    // Calls the export(s), prints plain output; returns the process exit
    // status: 0 when the export reported success, non-zero otherwise.
    int (*run)(const Invocation&);
};

std::span<const Command> cardpurseCommands();
std::span<const Command> rfwalletCommands();

}  // namespace cardctl
