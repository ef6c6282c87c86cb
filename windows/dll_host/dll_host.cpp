// dll_host: a Windows host of the card libraries, used by the Wine tests.
//
// It loads cardpurse.dll and rfwallet.dll from its own folder with
// LoadLibrary, looks every export up with GetProcAddress under the name a
// host of this build uses (decorated, "_AddMoney@8", on 32-bit Windows) and
// runs one scenario against the reader on COM<port>, printing one line per
// call so that the test can compare the whole run:
//
//   dll_host lifecycle <port>   account life cycle, every cardpurse export
//   dll_host rfsam <port>       the RF SAM operations
//   dll_host timeouts <port>    one read of each library, with its duration
//   dll_host noport <port>      every kind of call on a port without a device
//   dll_host mismatch <port>    AddMoney's type from the header bound to a
//                               __cdecl function of the host, which the stack
//                               check must report (32-bit Windows)
//
// Every call goes through the export's pointer type from the header and is
// checked for a callee that leaves its arguments on the stack.
//
// Exit status: 0 when the scenario ran (the results are in the output),
// 2 on bad arguments, 3 when a library or an export is missing, 4 when a
// call did not keep the calling convention (named on standard error).

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "cardpurse.h"
#include "rfwallet.h"

namespace {

class LibraryMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bytes of arguments a __stdcall function of this type takes: each argument
// occupies at least one 4-byte stack slot.
template <typename Result, typename... Arguments>
constexpr int argumentBytes(Result(CARDPURSE_CALL*)(Arguments...)) {
    return (0 + ... + static_cast<int>((sizeof(Arguments) + 3) / 4 * 4));
}

// The export name of function `name` as this platform's hosts look it up.
template <typename Function>
std::string exportName(const char* name) {
#if defined(_WIN64)
    return name;
#else
    return "_" + std::string(name) + "@" + std::to_string(argumentBytes(static_cast<Function*>(nullptr)));
#endif
}

std::string hostFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

class Library {
public:
    explicit Library(const char* fileName) : path_(hostFolder() + fileName), module_(LoadLibraryA(path_.c_str())) {
        if (module_ == nullptr) {
            throw LibraryMissing("LoadLibrary(" + path_ + ") failed: error " + std::to_string(GetLastError()));
        }
    }
    ~Library() { FreeLibrary(module_); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    template <typename Function>
    Function* get(const char* name) const {
        const std::string symbol = exportName<Function>(name);
        const FARPROC address = GetProcAddress(module_, symbol.c_str());
        if (address == nullptr) throw LibraryMissing(path_ + " has no export " + symbol);
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(address));
    }

private:
    std::string path_;
    HMODULE module_;
};

// Copies the current stack pointer into `into`.
#if defined(_WIN64)
#define READ_STACK_POINTER(into) asm volatile("mov %%rsp, %0" : "=r"(into)::"memory")
#else
#define READ_STACK_POINTER(into) asm volatile("mov %%esp, %0" : "=r"(into)::"memory")
#endif

[[noreturn]] void conventionMismatch(const char* name, std::intptr_t bytesLeft) {
    std::fflush(stdout);
    std::fprintf(stderr, "dll_host: calling convention mismatch: %s left %ld bytes on the stack\n", name,
                 static_cast<long>(bytesLeft));
    std::_Exit(4);
}

// Calls `function` through its pointer type from the header and checks that
// the stack pointer is where it was before the arguments were pushed: a
// __stdcall callee pops its arguments, one that does not (a __cdecl
// function behind a __stdcall name) leaves them behind. The host is built
// with frame pointers (CMakeLists.txt), so this function's locals and its
// return stay valid however the callee left the stack, and the mismatch is
// reported by name before anything else runs.
template <typename Function, typename... Arguments>
[[gnu::noinline]] auto checkedCall(const char* name, Function* function, Arguments... arguments) {
    std::intptr_t before = 0;
    std::intptr_t after = 0;
    READ_STACK_POINTER(before);
    const auto result = function(arguments...);
    READ_STACK_POINTER(after);
    if (after != before) conventionMismatch(name, before - after);
    return result;
}

// One export: its name and its address, typed from the header.
template <typename Function>
struct Export {
    const char* name;
    Function* address;

    template <typename... Arguments>
    auto operator()(Arguments... arguments) const {
        return checkedCall(name, address, arguments...);
    }
};

// The exports of each library, listed once for the members that hold them
// and for their look-up.
#define CARDPURSE_EXPORTS(X)                                                                                         \
    X(CloseCOMM)                                                                                                     \
    X(ReadCardBlank) X(WriteCardBlank) X(ReadCardInformation) X(OpenAccount) X(OFFCard) X(AddMoney) X(AddLimitMoney) \
        X(WriteLimitCount) X(WriteLssjCount) X(WriteLimitTime) X(WriteGB) X(WriteName) X(WriteNumber)                \
            X(WriteDepartment) X(SetMacPassword) X(SetCardPassAll) X(SetCardPassOne) X(SetMacSound)
#define RFWALLET_EXPORTS(X) X(CloseCOMM) X(RFSAMReadCardInfo) X(RFSAMADDMoney) X(RFSAMDeductions)

#define EXPORT_MEMBER(name) Export<decltype(::name)> name;
#define LOOK_UP_EXPORT(name) name = {#name, dll.get<decltype(::name)>(#name)};

struct CardPurse {
    explicit CardPurse(const Library& dll){CARDPURSE_EXPORTS(LOOK_UP_EXPORT)} CARDPURSE_EXPORTS(EXPORT_MEMBER)
};

struct RfWallet {
    explicit RfWallet(const Library& dll){RFWALLET_EXPORTS(LOOK_UP_EXPORT)} RFWALLET_EXPORTS(EXPORT_MEMBER)
};

#undef LOOK_UP_EXPORT
#undef EXPORT_MEMBER

// Host fields of the RF SAM requests; the reader passes them through.
constexpr const char* kFieldA = "0123456789ABCDEF0123456789AB";      // 28
constexpr const char* kFieldB = "FEDCBA9876543210FEDCBA9876";        // 26
constexpr const char* kFieldC = "C0FFEE";                            // 6
constexpr const char* kFieldD = "00112233445566778899AABBCCDDEEFF";  // 32
constexpr const char* kDigits12 = "100902034504";

void printResult(const char* call, int result) { std::printf("%s = %d\n", call, result); }

// All ten outputs, pre-filled with "-" so that untouched ones show.
struct CardInformation {
    char accountNo[9], cardNo[9], name[19], department[19], balance[8], limitCount[4], limitMoney[9], limitTime[7],
        gbCode[3], lssjCount[6];

    CardInformation() {
        for (char* text :
             {accountNo, cardNo, name, department, balance, limitCount, limitMoney, limitTime, gbCode, lssjCount}) {
            text[0] = '-';
            text[1] = '\0';
        }
    }
};

void readInformation(const CardPurse& purse, int port) {
    CardInformation info;
    const int result =
        purse.ReadCardInformation(port, info.accountNo, info.cardNo, info.name, info.department, info.balance,
                                  info.limitCount, info.limitMoney, info.limitTime, info.gbCode, info.lssjCount);
    std::printf("ReadCardInformation = %d: %s %s %s %s %s %s %s %s %s %s\n", result, info.accountNo, info.cardNo,
                info.name, info.department, info.balance, info.limitCount, info.limitMoney, info.limitTime, info.gbCode,
                info.lssjCount);
}

void readBlock(const CardPurse& purse, int port, const char* sector, const char* block) {
    char text[33] = "-";
    const int result = purse.ReadCardBlank(port, sector, block, text);
    std::printf("ReadCardBlank %s/%s = %d: %s\n", sector, block, result, text);
}

void lifecycle(const CardPurse& purse, int port) {
    printResult("CloseCOMM", purse.CloseCOMM());
    printResult("OpenAccount", purse.OpenAccount(port, 123456, 87654321, "0123456789ABCDEF", "FEDCBA9876543210", 5000,
                                                 10, 20000, "251231", "01", 7));
    readInformation(purse, port);
    printResult("AddMoney 250", purse.AddMoney(port, 250));
    printResult("AddMoney -6000", purse.AddMoney(port, -6000));
    printResult("AddLimitMoney", purse.AddLimitMoney(port, 30000));
    printResult("WriteLimitCount", purse.WriteLimitCount(port, 255));
    printResult("WriteLssjCount", purse.WriteLssjCount(port, 8));
    printResult("WriteLimitTime", purse.WriteLimitTime(port, "261130"));
    printResult("WriteGB", purse.WriteGB(port, "02"));
    printResult("WriteName", purse.WriteName(port, "00112233445566AA"));
    printResult("WriteNumber", purse.WriteNumber(port, 42));
    printResult("WriteDepartment", purse.WriteDepartment(port, "ABCDEF0123456789"));
    readInformation(purse, port);
    printResult("WriteCardBlank", purse.WriteCardBlank(port, "03", "12", "000102030405060708090A0B0C0D0E0F"));
    readBlock(purse, port, "03", "12");
    printResult("SetMacSound", purse.SetMacSound(port, 5));
    printResult("SetCardPassAll", purse.SetCardPassAll(port, "A1B2C3D4E5F6"));
    readBlock(purse, port, "01", "05");  // the default key no longer opens the card
    printResult("SetMacPassword", purse.SetMacPassword(port, "A1B2C3D4E5F6"));
    printResult("SetCardPassOne", purse.SetCardPassOne(port, "0A0B0C0D0E0F"));
    printResult("SetMacPassword", purse.SetMacPassword(port, "0A0B0C0D0E0F"));
    printResult("OFFCard", purse.OFFCard(port));
    readInformation(purse, port);
    printResult("CloseCOMM", purse.CloseCOMM());
}

void rfsam(const RfWallet& wallet, int port) {
    char numberA[7] = "-", numberB[12] = "-";
    int result = wallet.RFSAMReadCardInfo(port, kFieldA, kFieldB, numberA, numberB);
    std::printf("RFSAMReadCardInfo = %d: %s %s\n", result, numberA, numberB);
    printResult("RFSAMADDMoney",
                wallet.RFSAMADDMoney(port, kFieldA, kFieldB, kFieldC, kFieldD, 250, kDigits12, 0x123456));
    printResult("RFSAMDeductions", wallet.RFSAMDeductions(port, kFieldA, kFieldB, kFieldD, 100, kDigits12, 0x654321));
    result = wallet.RFSAMReadCardInfo(port, kFieldA, kFieldB, numberA, numberB);
    std::printf("RFSAMReadCardInfo = %d: %s %s\n", result, numberA, numberB);
    printResult("CloseCOMM", wallet.CloseCOMM());
}

template <typename Call>
void timed(const char* name, Call call) {
    const ULONGLONG start = GetTickCount64();
    const int result = call();
    std::printf("%s = %d after %llu ms\n", name, result, GetTickCount64() - start);
}

void timeouts(const CardPurse& purse, const RfWallet& wallet, int port) {
    char text[33] = "";
    timed("ReadCardBlank", [&] { return purse.ReadCardBlank(port, "01", "05", text); });
    timed("RFSAMADDMoney",
          [&] { return wallet.RFSAMADDMoney(port, kFieldA, kFieldB, kFieldC, kFieldD, 1, kDigits12, 1); });
}

void noport(const CardPurse& purse, const RfWallet& wallet, int port) {
    readBlock(purse, port, "01", "05");
    readInformation(purse, port);
    printResult("OpenAccount",
                purse.OpenAccount(port, 1, 1, "0123456789ABCDEF", "FEDCBA9876543210", 1, 1, 1, "251231", "01", 1));
    printResult("SetMacPassword", purse.SetMacPassword(port, "A1B2C3D4E5F6"));
    printResult("cardpurse CloseCOMM", purse.CloseCOMM());
    char numberA[7] = "-", numberB[12] = "-";
    const int result = wallet.RFSAMReadCardInfo(port, kFieldA, kFieldB, numberA, numberB);
    std::printf("RFSAMReadCardInfo = %d: %s %s\n", result, numberA, numberB);
    printResult("RFSAMADDMoney", wallet.RFSAMADDMoney(port, kFieldA, kFieldB, kFieldC, kFieldD, 1, kDigits12, 1));
    printResult("RFSAMDeductions", wallet.RFSAMDeductions(port, kFieldA, kFieldB, kFieldD, 1, kDigits12, 1));
    printResult("rfwallet CloseCOMM", wallet.CloseCOMM());
}

// Adds like AddMoney's signature, but as a __cdecl function: the caller
// removes the arguments.
extern "C" [[gnu::noinline]] int __cdecl addsWithoutPopping(int port, int amount) { return port + amount; }

void mismatch(int port) {
    using AddMoneyFunction = decltype(::AddMoney);
    // Through a volatile pointer, so that the compiler cannot see which
    // function is called and use its real convention.
    void* volatile address = reinterpret_cast<void*>(&addsWithoutPopping);
    const Export<AddMoneyFunction> wrong{"addsWithoutPopping as AddMoney",
                                         reinterpret_cast<AddMoneyFunction*>(address)};
    printResult("addsWithoutPopping", wrong(port, 1));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dll_host lifecycle|rfsam|timeouts|noport|mismatch <port>\n");
        return 2;
    }
    // Plain "\n" line ends, as the test compares them.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string scenario = argv[1];
    const int port = std::atoi(argv[2]);
    try {
        const Library purseDll("cardpurse.dll");
        const Library walletDll("rfwallet.dll");
        const CardPurse purse(purseDll);
        const RfWallet wallet(walletDll);
        if (scenario == "lifecycle") {
            lifecycle(purse, port);
        } else if (scenario == "rfsam") {
            rfsam(wallet, port);
        } else if (scenario == "timeouts") {
            timeouts(purse, wallet, port);
        } else if (scenario == "noport") {
            noport(purse, wallet, port);
        } else if (scenario == "mismatch") {
            mismatch(port);
        } else {
            std::fprintf(stderr, "dll_host: unknown scenario %s\n", scenario.c_str());
            return 2;
        }
    } catch (const LibraryMissing& error) {
        std::fprintf(stderr, "dll_host: %s\n", error.what());
        return 3;
    }
    std::fflush(stdout);
    return 0;
}
