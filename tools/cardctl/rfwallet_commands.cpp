// The rf-info, rf-add and rf-deduct commands of cardctl: they call the
// rfwallet exports of the loaded library and print what they return.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "library_loader.h"
#include "rfwallet.h"

namespace cardctl {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// An integer written in decimal (with an optional minus sign) or in
// hexadecimal after "0x"; nothing when the text is not such a number or does
// not fit an int.
std::optional<int> parseInteger(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool hasArgumentCount(const Invocation& invocation, const char* command, std::size_t count) {
    if (invocation.args.size() == count) return true;
    std::fprintf(stderr, "cardctl %s: expects %zu arguments, got %zu\n", command, count,
                 invocation.args.size());
    return false;
}

// The integer arguments hostHex8 and hostHex6, in that order.
struct MoneyIntegers {
    int hostHex8;
    int hostHex6;
};

std::optional<MoneyIntegers> moneyIntegers(const char* command, const std::string& hostHex8,
                                           const std::string& hostHex6) {
    const std::optional<int> hex8 = parseInteger(hostHex8);
    const std::optional<int> hex6 = parseInteger(hostHex6);
    if (!hex8 || !hex6) {
        std::fprintf(stderr, "cardctl %s: hostHex8 \"%s\" and hostHex6 \"%s\" must be integers\n",
                     command, hostHex8.c_str(), hostHex6.c_str());
        return std::nullopt;
    }
    return MoneyIntegers{*hex8, *hex6};
}

// Prints the reply value of a money operation, or reports its failure.
int reportMoneyResult(const char* exportName, int result) {
    if (result < 0) {
        std::fprintf(stderr, "%s failed (%d); CARDPAYMENT_DEBUG=1 shows why\n", exportName, result);
        return kExitFailure;
    }
    std::printf("%d\n", result);
    return kExitSuccess;
}

int runInfo(const Invocation& invocation) {
    if (!hasArgumentCount(invocation, "rf-info", 2)) return kExitUsage;
    const auto readCardInfo =
        invocation.library.function<decltype(RFSAMReadCardInfo)>("RFSAMReadCardInfo");
    char infoNumberA[8] = {};
    char infoNumberB[16] = {};
    const std::vector<std::string>& args = invocation.args;
    if (readCardInfo(invocation.port, args[0].c_str(), args[1].c_str(), infoNumberA,
                     infoNumberB) != 1) {
        std::fprintf(stderr, "RFSAMReadCardInfo failed; CARDPAYMENT_DEBUG=1 shows why\n");
        return kExitFailure;
    }
    std::printf("infoNumberA: %s\ninfoNumberB: %s\n", infoNumberA, infoNumberB);
    return kExitSuccess;
}

int runAdd(const Invocation& invocation) {
    if (!hasArgumentCount(invocation, "rf-add", 7)) return kExitUsage;
    const std::vector<std::string>& args = invocation.args;
    const std::optional<MoneyIntegers> integers = moneyIntegers("rf-add", args[4], args[6]);
    if (!integers) return kExitUsage;
    const auto addMoney = invocation.library.function<decltype(RFSAMADDMoney)>("RFSAMADDMoney");
    return reportMoneyResult(
        "RFSAMADDMoney",
        addMoney(invocation.port, args[0].c_str(), args[1].c_str(), args[2].c_str(),
                 args[3].c_str(), integers->hostHex8, args[5].c_str(), integers->hostHex6));
}

int runDeduct(const Invocation& invocation) {
    if (!hasArgumentCount(invocation, "rf-deduct", 6)) return kExitUsage;
    const std::vector<std::string>& args = invocation.args;
    const std::optional<MoneyIntegers> integers = moneyIntegers("rf-deduct", args[3], args[5]);
    if (!integers) return kExitUsage;
    const auto deductions =
        invocation.library.function<decltype(RFSAMDeductions)>("RFSAMDeductions");
    return reportMoneyResult(
        "RFSAMDeductions",
        deductions(invocation.port, args[0].c_str(), args[1].c_str(), args[2].c_str(),
                   integers->hostHex8, args[4].c_str(), integers->hostHex6));
}

constexpr Command kCommands[] = {
    {"rf-info", "<hostFieldA: 28 hex> <hostFieldB: 26 hex>", TargetLibrary::RfWallet, runInfo},
    {"rf-add",
     "<hostFieldA: 28 hex> <hostFieldB: 26 hex> <hostFieldC: 6 hex> <hostFieldD: 32 hex> "
     "<hostHex8> <digits12: 12 digits> <hostHex6: 0..0xFFFFFF>",
     TargetLibrary::RfWallet, runAdd},
    {"rf-deduct",
     "<hostFieldA: 28 hex> <hostFieldB: 26 hex> <hostFieldD: 32 hex> <hostHex8> "
     "<digits12: 12 digits> <hostHex6: 0..0xFFFFFF>",
     TargetLibrary::RfWallet, runDeduct},
};

}  // namespace

std::span<const Command> rfwalletCommands() { return kCommands; }

}  // namespace cardctl
