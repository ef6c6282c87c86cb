// The Windows DLLs of both builds, loaded by a Windows host under Wine (the
// i686 ones under 32-bit Wine, the x86_64 ones under wine64), drive the
// simulated reader through a real Win32 serial port: COM12 of the private
// Wine prefix is the simulator's pseudo-terminal (a port number of 10 or more
// opens only in the device namespace form, \\.\COM12).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "readersim/reader_simulator.h"
#include "readersim/scratch_directory.h"
#include "wine_prefix.h"

namespace windowstest {
namespace {

using readersim::ReaderSimulator;
using readersim::ReplyFault;

constexpr int kReaderPort = 12;
constexpr int kPortWithoutDevice = 77;

// One Windows build: where its programs are and the Wine that runs them.
struct Flavour {
    const char* name;
    const char* binaries;  // dll_host.exe, cardctl.exe, the link hosts and both DLLs
    const char* prefix;
    WineTools wine;
};

void PrintTo(const Flavour& flavour, std::ostream* out) { *out << flavour.name; }

const Flavour kI686{"i686", WIN_I686_BIN, WINE_PREFIX_I686, {WINE32_PROGRAM, WINESERVER_PROGRAM, "win32"}};
const Flavour kX86_64{"x86_64", WIN_X86_64_BIN, WINE_PREFIX_X86_64, {WINE64_PROGRAM, WINESERVER_PROGRAM, "win64"}};

// Each flavour is a test suite of its own, whose tests share one prefix.
class WindowsDllTest : public ::testing::TestWithParam<Flavour> {
protected:
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override {
        if (!prefix_) prefix_ = std::make_unique<WinePrefix>(GetParam().prefix, GetParam().wine);
        prefix_->unmapPort(kPortWithoutDevice);
    }

    static std::filesystem::path program(const char* fileName) {
        return std::filesystem::path(GetParam().binaries) / fileName;
    }

    ReaderSimulator& startReader(readersim::Options options = {},
                                 readersim::ReaderState state = readersim::ReaderState::fresh()) {
        reader_ = std::make_unique<ReaderSimulator>(
            readersim::Config{directory_.path(), kReaderPort, options, std::move(state), {}});
        prefix_->mapPort(kReaderPort, reader_->terminalPath());
        return *reader_;
    }

    // Runs one scenario of the Windows host; fails the test unless it ran.
    std::string runHost(const std::string& scenario, int port) {
        const ProgramRun run = prefix_->run(program("dll_host.exe"), {scenario, std::to_string(port)});
        EXPECT_EQ(run.exitStatus, 0) << "dll_host " << scenario << " failed:\n" << run.output << run.errors;
        return run.output;
    }

    static std::unique_ptr<WinePrefix> prefix_;
    readersim::ScratchDirectory directory_;
    std::unique_ptr<ReaderSimulator> reader_;
};

std::unique_ptr<WinePrefix> WindowsDllTest::prefix_;

// Checks the line "<call> = <result> after <n> ms" of the host's output:
// the call failed with `result` after `lowestMs` to `highestMs`. The
// duration is printed, so that the figures of both builds can be compared.
void expectFailureAfter(const std::string& output, const std::string& fault, const std::string& call, int result,
                        long lowestMs, long highestMs) {
    std::smatch match;
    const std::regex line(call + " = (-?[0-9]+) after ([0-9]+) ms");
    ASSERT_TRUE(std::regex_search(output, match, line)) << "no timing of " << call << " in:\n" << output;
    const long elapsedMs = std::stol(match[2]);
    std::printf("time-out %s %s, %s: %ld ms\n", WindowsDllTest::GetParam().name, call.c_str(), fault.c_str(),
                elapsedMs);
    EXPECT_EQ(std::stoi(match[1]), result) << call;
    EXPECT_GE(elapsedMs, lowestMs) << call;
    EXPECT_LE(elapsedMs, highestMs) << call;
}

TEST_P(WindowsDllTest, AccountLifeCycleRunsThroughEveryCardPurseExport) {
    ReaderSimulator& reader = startReader();

    EXPECT_EQ(runHost("lifecycle", kReaderPort),
              "CloseCOMM = 1\n"
              "OpenAccount = 1\n"
              "ReadCardInformation = 1: 123456 03768241 0123456789ABCDEF05 FEDCBA987654321000 0005000 010 00020000 "
              "251231 01 00007\n"
              "AddMoney 250 = 1\n"
              "AddMoney -6000 = 0\n"
              "AddLimitMoney = 1\n"
              "WriteLimitCount = 1\n"
              "WriteLssjCount = 1\n"
              "WriteLimitTime = 1\n"
              "WriteGB = 1\n"
              "WriteName = 1\n"
              "WriteNumber = 1\n"
              "WriteDepartment = 1\n"
              "ReadCardInformation = 1: 123456 00000042 00112233445566AA00 ABCDEF012345678900 0005250 255 00030000 "
              "261130 02 00008\n"
              "WriteCardBlank = 1\n"
              "ReadCardBlank 03/12 = 1: 000102030405060708090A0B0C0D0E0F\n"
              "SetMacSound = 1\n"
              "SetCardPassAll = 1\n"
              "ReadCardBlank 01/05 = 0: -\n"
              "SetMacPassword = 1\n"
              "SetCardPassOne = 1\n"
              "SetMacPassword = 1\n"
              "OFFCard = 1\n"
              "ReadCardInformation = 1: 000000 00000000 000000000000000000 000000000000000000 0000000 000 00000000 "
              "000000 00 00000\n"
              "CloseCOMM = 1\n");

    const readersim::ReaderState card = reader.state();
    EXPECT_EQ(card.sound, 5);
    EXPECT_EQ(card.readerKey, "0A0B0C0D0E0F");
    EXPECT_EQ(card.sectorKey(0), "A1B2C3D4E5F6");
    EXPECT_EQ(card.sectorKey(1), "0A0B0C0D0E0F");
    EXPECT_EQ(card.sectorKey(2), "0A0B0C0D0E0F");
    EXPECT_EQ(card.sectorKey(15), "A1B2C3D4E5F6");
    for (int block : {4, 5, 6, 8, 9}) EXPECT_EQ(card.blocks[block], std::string(32, '0')) << "block " << block;
    EXPECT_EQ(card.blocks[12], "000102030405060708090A0B0C0D0E0F");
}

// The RF purse before the host's "rfsam" run, and what that run prints.
readersim::ReaderState rfPurseState() {
    readersim::ReaderState state = readersim::ReaderState::fresh();
    state.rfPurse = {123456, 5000, 7};
    return state;
}
constexpr const char* kRfSamRun =
    "RFSAMReadCardInfo = 1: 123456 5000\n"
    "RFSAMADDMoney = 8\n"
    "RFSAMDeductions = 9\n"
    "RFSAMReadCardInfo = 1: 123456 5150\n"
    "CloseCOMM = 1\n";

TEST_P(WindowsDllTest, RfSamOperationsPassTheHostValuesAndReturnTheReaderValues) {
    ReaderSimulator& reader = startReader({}, rfPurseState());

    EXPECT_EQ(runHost("rfsam", kReaderPort), kRfSamRun);

    const auto log = reader.frameLog();
    ASSERT_EQ(log.size(), 4u);
    const readersim::Request& add = log[1].request;
    ASSERT_EQ(add.command, readersim::Command::RfAddMoney);
    EXPECT_EQ(add.rfFieldA, "0123456789ABCDEF0123456789AB");
    EXPECT_EQ(add.rfFieldB, "FEDCBA9876543210FEDCBA9876");
    EXPECT_EQ(add.rfFieldC, "C0FFEE");
    EXPECT_EQ(add.rfFieldD, "00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(add.rfAmount, 250u);
    EXPECT_EQ(add.rfDigits, (std::array<std::uint8_t, 6>{10, 9, 2, 3, 45, 4}));
    EXPECT_EQ(add.rfHex6, 0x123456u);
    const readersim::Request& deduct = log[2].request;
    ASSERT_EQ(deduct.command, readersim::Command::RfDeduct);
    EXPECT_EQ(deduct.rfAmount, 100u);
    EXPECT_EQ(deduct.rfHex6, 0x654321u);
}

TEST_P(WindowsDllTest, BytesAfterAReplyAreDiscardedWhenThePortCloses) {
    startReader({.trailingBytes = "DONE0000!"}, rfPurseState());

    // Each reply is followed by a stray reply; were it kept, the next money
    // operation would read it instead of its own.
    EXPECT_EQ(runHost("rfsam", kReaderPort), kRfSamRun);
}

TEST_P(WindowsDllTest, MissingReplyFailsWhenTheTotalTimeOutRunsOut) {
    ReaderSimulator& reader = startReader({.fault = ReplyFault::NoReply});

    const std::string output = runHost("timeouts", kReaderPort);

    // 32 bytes: 100 ms each plus 100 ms; 9 bytes: 500 ms each plus 500 ms.
    expectFailureAfter(output, "no reply", "ReadCardBlank", 0, 3280, 4000);
    expectFailureAfter(output, "no reply", "RFSAMADDMoney", -1, 4980, 5700);
    EXPECT_EQ(reader.frameLog().size(), 2u);
}

TEST_P(WindowsDllTest, ReplyCutShortFailsWhenTheGapBetweenBytesRunsOut) {
    startReader({.fault = ReplyFault::ShortReply});

    const std::string output = runHost("timeouts", kReaderPort);

    // The last byte never comes: the read ends one gap limit (200 ms and
    // 3000 ms) after the byte before it, long before the total limit.
    expectFailureAfter(output, "reply cut short", "ReadCardBlank", 0, 180, 1500);
    expectFailureAfter(output, "reply cut short", "RFSAMADDMoney", -1, 2980, 4500);
}

TEST_P(WindowsDllTest, WriteOnAStoppedLineFailsWhenTheWriteTimeOutRunsOut) {
    ReaderSimulator& reader = startReader();
    ASSERT_TRUE(reader.setLineStopped(true));

    const std::string output = runHost("timeouts", kReaderPort);

    // Flow control holds the line: no request leaves, each write fails at
    // its time limit (2 s) instead of hanging the host.
    expectFailureAfter(output, "line stopped", "ReadCardBlank", 0, 1900, 10000);
    expectFailureAfter(output, "line stopped", "RFSAMADDMoney", -1, 1900, 10000);
    EXPECT_TRUE(reader.frameLog().empty());
}

TEST_P(WindowsDllTest, PortWithoutDeviceFailsEveryCallWithoutSending) {
    ReaderSimulator& reader = startReader();

    EXPECT_EQ(runHost("noport", kPortWithoutDevice),
              "ReadCardBlank 01/05 = 0: -\n"
              "ReadCardInformation = 0: - - - - - - - - - -\n"
              "OpenAccount = 0\n"
              "SetMacPassword = 0\n"
              "cardpurse CloseCOMM = 1\n"
              "RFSAMReadCardInfo = 0: - -\n"
              "RFSAMADDMoney = -1\n"
              "RFSAMDeductions = -1\n"
              "rfwallet CloseCOMM = 1\n");
    EXPECT_TRUE(reader.frameLog().empty());
}

TEST_P(WindowsDllTest, CardctlLoadsBothLibrariesAndDrivesTheReader) {
    readersim::ReaderState state = readersim::ReaderState::fresh();
    state.rfPurse = {4321, -25, 0};
    ReaderSimulator& reader = startReader({}, state);

    const ProgramRun sound = prefix_->run(program("cardctl.exe"), {"--port", "12", "set-sound", "7"});
    EXPECT_EQ(sound.exitStatus, 0) << sound.output << sound.errors;
    EXPECT_EQ(reader.state().sound, 7);

    const ProgramRun info =
        prefix_->run(program("cardctl.exe"),
                     {"--port", "12", "rf-info", "0123456789ABCDEF0123456789AB", "FEDCBA9876543210FEDCBA9876"});
    EXPECT_EQ(info.exitStatus, 0) << info.output << info.errors;
    EXPECT_NE(info.output.find("infoNumberA: 004321"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("infoNumberB: -25"), std::string::npos) << info.output;
}

// Standard output of a host that writes in text mode, with "\n" line ends.
std::string withNewlines(std::string text) {
    std::erase(text, '\r');
    return text;
}

TEST_P(WindowsDllTest, HostsLinkedWithTheImportLibrariesStartAndRunEveryExport) {
    ReaderSimulator& reader = startReader({}, rfPurseState());

    const ProgramRun purse = prefix_->run(program("cardpurse_link_host.exe"), {std::to_string(kReaderPort)});
    EXPECT_EQ(purse.exitStatus, 0) << purse.errors;
    EXPECT_EQ(withNewlines(purse.output),
              "OpenAccount = 1\nReadCardInformation = 1\nAddMoney = 1\nAddLimitMoney = 1\nWriteLimitCount = 1\n"
              "WriteLssjCount = 1\nWriteLimitTime = 1\nWriteGB = 1\nWriteName = 1\nWriteNumber = 1\n"
              "WriteDepartment = 1\nWriteCardBlank = 1\nReadCardBlank = 1\nSetMacSound = 1\nOFFCard = 1\n"
              "SetCardPassAll = 1\nSetMacPassword = 1\nSetCardPassOne = 1\nCloseCOMM = 1\n"
              "block 03/12: 000102030405060708090A0B0C0D0E0F\n");
    const readersim::ReaderState card = reader.state();
    EXPECT_EQ(card.sound, 3);
    EXPECT_EQ(card.sectorKey(0), "A1B2C3D4E5F6");
    EXPECT_EQ(card.sectorKey(1), "0A0B0C0D0E0F");

    const ProgramRun wallet = prefix_->run(program("rfwallet_link_host.exe"), {std::to_string(kReaderPort)});
    EXPECT_EQ(wallet.exitStatus, 0) << wallet.errors;
    EXPECT_EQ(withNewlines(wallet.output),
              "RFSAMADDMoney = 8\nRFSAMDeductions = 9\nRFSAMReadCardInfo = 1: 123456 5020\nCloseCOMM = 1\n");
}

TEST_P(WindowsDllTest, CalleeThatLeavesItsArgumentsIsReportedByName) {
    if (std::string(GetParam().name) != "i686") GTEST_SKIP() << "64-bit Windows has one calling convention";

    const ProgramRun run = prefix_->run(program("dll_host.exe"), {"mismatch", "3"});

    EXPECT_EQ(run.exitStatus, 4) << run.output << run.errors;
    EXPECT_EQ(run.output, "");
    EXPECT_NE(run.errors.find("calling convention mismatch: addsWithoutPopping as AddMoney left 8 bytes"),
              std::string::npos)
        << run.errors;
}

// Each DLL and cardctl.exe as Windows' version functions read them.
TEST_P(WindowsDllTest, DllsAndCardctlCarryTheirVersionResource) {
    const std::string version = CARDPAYMENT_VERSION;
    const struct {
        std::string file;
        std::string description;
    } binaries[] = {
        {"cardpurse.dll", "Card reader library for contactless memory purse cards"},
        {"rfwallet.dll", "Card reader library for RF SAM purse cards"},
        {"cardctl.exe", "Command-line host of the card libraries"},
    };
    for (const auto& binary : binaries) {
        const ProgramRun run =
            prefix_->run(program("file_version.exe"), {"Z:" + program(binary.file.c_str()).string()});

        EXPECT_EQ(run.exitStatus, 0) << binary.file << ": " << run.errors;
        EXPECT_EQ(withNewlines(run.output),
                  "FileVersionNumbers=" + version + ".0\nProductName=cardpayment\nProductVersion=" + version +
                      "\nFileVersion=" + version + "\nFileDescription=" + binary.description +
                      "\nCompanyName=the cardpayment authors\nLegalCopyright=Copyright (C) " CARDPAYMENT_YEAR
                      " the cardpayment authors\nOriginalFilename=" +
                      binary.file + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(I686, WindowsDllTest, ::testing::Values(kI686));
INSTANTIATE_TEST_SUITE_P(X86_64, WindowsDllTest, ::testing::Values(kX86_64));

}  // namespace
}  // namespace windowstest
