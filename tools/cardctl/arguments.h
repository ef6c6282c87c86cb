#pragma once
// Reading the words after a command name, shared by the command files.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "command.h"

namespace cardctl {

// A command was given the wrong arguments; cardctl prints the message and the
// command's usage and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws UsageError unless the command got exactly `count` words.
void expectArgumentCount(const Invocation& call, std::size_t count);

// An integer in -2147483648..2147483647, the whole word: decimal, or
// hexadecimal after "0x" ("0x1F4", "-0x10"). With
// `wrapUnsigned`, 2147483648..4294967295 are accepted too and passed on as the
// 32-bit integer of the same bits (4294967295 as -1).
std::int32_t integerArgument(const std::string& word, bool wrapUnsigned = false);

// Prints the usual line for a failed export on standard error and returns the
// exit status of cardctl: 0 for result 1, 1 otherwise.
int exitStatusOf(const char* exportName, int result);

}  // namespace cardctl
