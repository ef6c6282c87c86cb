// The rf-info, rf-add and rf-deduct commands of cardctl: they call the
// rfwallet exports of the loaded library and print what they return.
#include <cstdio>

#include "arguments.h"
#include "command.h"
#include "library_loader.h"
#include "rfwallet.h"

namespace cardctl {

namespace {

// The money exports return the reader's value 0..65535, or -1.
int moneyStatus(const char* exportName, int result) {
    if (result < 0) return exitStatusOf(exportName, result);
    std::printf("%d\n", result);
    return 0;
}

// hostHex8 is sent as all 32 bits, so 4294967295 is accepted as well as -1.
std::int32_t hostHex8Argument(const std::string& word) { return integerArgument(word, true); }

int readCardInfo(const Invocation& call) {
    expectArgumentCount(call, 2);
    char infoNumberA[8] = {};
    char infoNumberB[16] = {};
    const int result = call.library.function<decltype(RFSAMReadCardInfo)>("RFSAMReadCardInfo")(
        call.port, call.args[0].c_str(), call.args[1].c_str(), infoNumberA, infoNumberB);
    if (result == 1) std::printf("infoNumberA: %s\ninfoNumberB: %s\n", infoNumberA, infoNumberB);
    return exitStatusOf("RFSAMReadCardInfo", result);
}

int addMoney(const Invocation& call) {
    expectArgumentCount(call, 7);
    const auto& args = call.args;
    const std::int32_t hostHex8 = hostHex8Argument(args[4]);
    const std::int32_t hostHex6 = integerArgument(args[6]);
    return moneyStatus("RFSAMADDMoney", call.library.function<decltype(RFSAMADDMoney)>("RFSAMADDMoney")(
                                            call.port, args[0].c_str(), args[1].c_str(), args[2].c_str(),
                                            args[3].c_str(), hostHex8, args[5].c_str(), hostHex6));
}

int deduct(const Invocation& call) {
    expectArgumentCount(call, 6);
    const auto& args = call.args;
    const std::int32_t hostHex8 = hostHex8Argument(args[3]);
    const std::int32_t hostHex6 = integerArgument(args[5]);
    return moneyStatus("RFSAMDeductions", call.library.function<decltype(RFSAMDeductions)>("RFSAMDeductions")(
                                              call.port, args[0].c_str(), args[1].c_str(), args[2].c_str(), hostHex8,
                                              args[4].c_str(), hostHex6));
}

constexpr Command kCommands[] = {
    {"rf-info", "A B  (RFSAMReadCardInfo), A: 28 and B: 26 hexadecimal digits", TargetLibrary::RfWallet, readCardInfo},
    {"rf-add",
     "A B C D HEX8 DIGITS12 HEX6  (RFSAMADDMoney), C: 6 and D: 32 hexadecimal digits, "
     "DIGITS12: 12 decimal digits, HEX6: 0 to 16777215",
     TargetLibrary::RfWallet, addMoney},
    {"rf-deduct", "A B D HEX8 DIGITS12 HEX6  (RFSAMDeductions)", TargetLibrary::RfWallet, deduct},
};

}  // namespace

std::span<const Command> rfwalletCommands() { return kCommands; }

}  // namespace cardctl
