// The cardpurse commands of cardctl: one command per export.
#include <algorithm>
#include <cstdio>

#include "arguments.h"
#include "cardpurse.h"
#include "command.h"
#include "library_loader.h"

namespace cardctl {

namespace {

// An export name usable as a template argument, so that the commands that
// only pass their words on share one function each.
template <std::size_t N>
struct ExportName {
    char text[N];
    constexpr ExportName(const char (&name)[N]) { std::copy_n(name, N, text); }
};

using NumberExport = decltype(AddMoney);
using TextExport = decltype(WriteName);
using PortExport = decltype(OFFCard);

int printOk(int status) {
    if (status == 0) std::puts("ok");
    return status;
}

template <ExportName Name>
int withNumber(const Invocation& call) {
    expectArgumentCount(call, 1);
    const std::int32_t value = integerArgument(call.args[0]);
    return printOk(exitStatusOf(Name.text, call.library.function<NumberExport>(Name.text)(call.port, value)));
}

// The card number keeps all 32 bits, so 4294967295 is accepted as well as -1.
int writeNumber(const Invocation& call) {
    expectArgumentCount(call, 1);
    const std::int32_t cardNo = integerArgument(call.args[0], true);
    return printOk(exitStatusOf("WriteNumber", call.library.function<NumberExport>("WriteNumber")(call.port, cardNo)));
}

template <ExportName Name>
int withText(const Invocation& call) {
    expectArgumentCount(call, 1);
    const char* text = call.args[0].c_str();
    return printOk(exitStatusOf(Name.text, call.library.function<TextExport>(Name.text)(call.port, text)));
}

template <ExportName Name>
int withPortOnly(const Invocation& call) {
    expectArgumentCount(call, 0);
    return printOk(exitStatusOf(Name.text, call.library.function<PortExport>(Name.text)(call.port)));
}

int closePort(const Invocation& call) {
    expectArgumentCount(call, 0);
    return printOk(exitStatusOf("CloseCOMM", call.library.function<decltype(CloseCOMM)>("CloseCOMM")()));
}

int readBlock(const Invocation& call) {
    expectArgumentCount(call, 2);
    char text[33] = {};
    const int result = call.library.function<decltype(ReadCardBlank)>("ReadCardBlank")(call.port, call.args[0].c_str(),
                                                                                       call.args[1].c_str(), text);
    if (result == 1) std::puts(text);
    return exitStatusOf("ReadCardBlank", result);
}

int writeBlock(const Invocation& call) {
    expectArgumentCount(call, 3);
    const int result = call.library.function<decltype(WriteCardBlank)>("WriteCardBlank")(
        call.port, call.args[0].c_str(), call.args[1].c_str(), call.args[2].c_str());
    return printOk(exitStatusOf("WriteCardBlank", result));
}

int info(const Invocation& call) {
    expectArgumentCount(call, 0);
    // Room beyond the documented sizes costs nothing here.
    char accountNo[16] = {}, cardNo[16] = {}, name[24] = {}, department[24] = {}, balance[16] = {}, limitCount[16] = {},
         limitMoney[16] = {}, limitTime[16] = {}, gbCode[16] = {}, lssjCount[16] = {};
    const int result = call.library.function<decltype(ReadCardInformation)>("ReadCardInformation")(
        call.port, accountNo, cardNo, name, department, balance, limitCount, limitMoney, limitTime, gbCode, lssjCount);
    if (result == 1) {
        std::printf(
            "account number: %s\ncard number:    %s\nname:           %s\ndepartment:     %s\n"
            "balance:        %s\nlimit count:    %s\nlimit money:    %s\nlimit time:     %s\n"
            "GB code:        %s\nLssj count:     %s\n",
            accountNo, cardNo, name, department, balance, limitCount, limitMoney, limitTime, gbCode, lssjCount);
    }
    return exitStatusOf("ReadCardInformation", result);
}

int openAccount(const Invocation& call) {
    expectArgumentCount(call, 10);
    const auto& a = call.args;
    const int result = call.library.function<decltype(OpenAccount)>("OpenAccount")(
        call.port, integerArgument(a[0]), integerArgument(a[1], true), a[2].c_str(), a[3].c_str(),
        integerArgument(a[4]), integerArgument(a[5]), integerArgument(a[6]), a[7].c_str(), a[8].c_str(),
        integerArgument(a[9]));
    return printOk(exitStatusOf("OpenAccount", result));
}

constexpr auto P = TargetLibrary::CardPurse;

const Command kCommands[] = {
    {"info", "(ReadCardInformation)", P, info},
    {"read-block", "SECTOR BLOCK  (ReadCardBlank), e.g. read-block 01 05", P, readBlock},
    {"write-block", "SECTOR BLOCK TEXT  (WriteCardBlank), TEXT: 32 hexadecimal digits", P, writeBlock},
    {"open-account",
     "ACCOUNT CARD NAME DEPARTMENT BALANCE LIMIT-COUNT LIMIT-MONEY LIMIT-TIME GB-CODE LSSJ-COUNT  (OpenAccount)", P,
     openAccount},
    {"off-card", "(OFFCard)", P, withPortOnly<"OFFCard">},
    {"add-money", "AMOUNT  (AddMoney), AMOUNT may be negative", P, withNumber<"AddMoney">},
    {"set-limit-money", "VALUE  (AddLimitMoney)", P, withNumber<"AddLimitMoney">},
    {"set-limit-count", "VALUE  (WriteLimitCount)", P, withNumber<"WriteLimitCount">},
    {"set-lssj-count", "VALUE  (WriteLssjCount)", P, withNumber<"WriteLssjCount">},
    {"set-limit-time", "TEXT  (WriteLimitTime), 6 hexadecimal digits", P, withText<"WriteLimitTime">},
    {"set-gb", "TEXT  (WriteGB), 2 hexadecimal digits", P, withText<"WriteGB">},
    {"set-name", "TEXT  (WriteName), 16 hexadecimal digits", P, withText<"WriteName">},
    {"set-number", "CARD  (WriteNumber)", P, writeNumber},
    {"set-department", "TEXT  (WriteDepartment), 16 hexadecimal digits", P, withText<"WriteDepartment">},
    {"set-reader-key", "KEY  (SetMacPassword), KEY: 12 hexadecimal digits", P, withText<"SetMacPassword">},
    {"set-card-key-all", "KEY  (SetCardPassAll)", P, withText<"SetCardPassAll">},
    {"set-card-key-one", "KEY  (SetCardPassOne)", P, withText<"SetCardPassOne">},
    {"set-sound", "LEVEL  (SetMacSound), LEVEL 1 to 9", P, withNumber<"SetMacSound">},
    {"close-port", "(CloseCOMM)", P, closePort},
};

}  // namespace

std::span<const Command> cardpurseCommands() { return kCommands; }

}  // namespace cardctl
