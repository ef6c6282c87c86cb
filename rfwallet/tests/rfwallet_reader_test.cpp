// End-to-end runs of librfwallet.so, loaded with dlopen as a host loads it,
// against the simulated reader on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "library_loader.h"
#include "readersim/port_directory.h"
#include "rfwallet.h"

namespace {

using namespace std::chrono_literals;
using readersim::ReplyFault;

constexpr int kPort = 3;

constexpr const char* kFieldA = "0123456789ABCDEFabcdef012345";
constexpr const char* kFieldB = "FEDCBA9876543210FEDCBA9876";
constexpr const char* kFieldC = "00A0ff";
constexpr const char* kFieldD = "11223344556677889900AABBCCDDEEFF";
constexpr const char* kDigits12 = "100902034504";

// The library's exports, looked up by name.
class RfWalletLibrary {
public:
    cardctl::LoadedLibrary library{RFWALLET_LIBRARY_PATH};
    decltype(RFSAMReadCardInfo)* readCardInfo = library.function<decltype(RFSAMReadCardInfo)>("RFSAMReadCardInfo");
    decltype(RFSAMADDMoney)* addMoney = library.function<decltype(RFSAMADDMoney)>("RFSAMADDMoney");
    decltype(RFSAMDeductions)* deductions = library.function<decltype(RFSAMDeductions)>("RFSAMDeductions");
    decltype(CloseCOMM)* closeComm = library.function<decltype(CloseCOMM)>("CloseCOMM");
};

class RfWalletReader : public ::testing::Test {
protected:
    void SetUp() override {
        readersim::Config config;
        config.initialState.rfPurse = readersim::RfPurse{123456, 1000, 0};
        sim_ = directory_.startReader(kPort, config);
    }

    void setFault(ReplyFault fault) {
        readersim::Options options = sim_->options();
        options.fault = fault;
        sim_->setOptions(options);
    }

    // The reader logs a frame once its reply is out, which may be just after
    // the library has read the reply.
    std::vector<readersim::FrameRecord> loggedFrames(std::size_t count) {
        sim_->waitForFrames(count, 1s);
        return sim_->frameLog();
    }

    int add(int amount) {
        return library_.addMoney(kPort, kFieldA, kFieldB, kFieldC, kFieldD, amount, kDigits12, 0xABCDEF);
    }
    int deduct(int amount, int port = kPort) {
        return library_.deductions(port, kFieldA, kFieldB, kFieldD, amount, kDigits12, 1);
    }

    RfWalletLibrary library_;
    readersim::PortDirectory directory_;
    std::unique_ptr<readersim::ReaderSimulator> sim_;
};

// Output buffers prefilled so that a write shows up.
struct InfoOutputs {
    char numberA[8] = "unset";
    char numberB[16] = "unset";
    bool untouched() const { return std::strcmp(numberA, "unset") == 0 && std::strcmp(numberB, "unset") == 0; }
};

TEST_F(RfWalletReader, ReadCardInfoSendsTheFrameAndWritesBothNumbers) {
    InfoOutputs out;
    ASSERT_EQ(library_.readCardInfo(kPort, kFieldA, kFieldB, out.numberA, out.numberB), 1);
    EXPECT_STREQ(out.numberA, "123456");
    EXPECT_STREQ(out.numberB, "1000");

    const auto log = loggedFrames(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].frame, "Dd0123456789:;<=>?:;<=>?012345?>=<;:9876543210?>=<;:9876!");
    EXPECT_FALSE(sim_->portHeldOpen()) << "the port is closed after the call";
    EXPECT_EQ(library_.closeComm(), 1) << "CloseCOMM with nothing open";
}

TEST_F(RfWalletReader, ReadCardInfoPadsNumberAAndSignsNumberB) {
    sim_->setState([&] {
        readersim::ReaderState state = sim_->state();
        state.rfPurse = readersim::RfPurse{7, -2147483647, 0};
        return state;
    }());
    InfoOutputs out;
    ASSERT_EQ(library_.readCardInfo(kPort, kFieldA, kFieldB, out.numberA, out.numberB), 1);
    EXPECT_STREQ(out.numberA, "000007");
    EXPECT_STREQ(out.numberB, "-2147483647");
}

TEST_F(RfWalletReader, MoneyOperationsCarryTheirValuesAndReturnTheReply) {
    EXPECT_EQ(add(26), 1);
    EXPECT_EQ(deduct(6), 2);
    EXPECT_EQ(sim_->state().rfPurse.balance, 1020);

    const auto log = loggedFrames(2);
    ASSERT_EQ(log.size(), 2u);
    const readersim::Request& added = log[0].request;
    EXPECT_EQ(added.command, readersim::Command::RfAddMoney);
    EXPECT_EQ(added.rfFieldA, "0123456789ABCDEFABCDEF012345");
    EXPECT_EQ(added.rfFieldB, kFieldB);
    EXPECT_EQ(added.rfFieldC, "00A0FF");
    EXPECT_EQ(added.rfFieldD, kFieldD);
    EXPECT_EQ(added.rfAmount, 26u);
    EXPECT_EQ(added.rfDigits, (std::array<std::uint8_t, 6>{10, 9, 2, 3, 45, 4}));
    EXPECT_EQ(added.rfHex6, 0xABCDEFu);
    const readersim::Request& deducted = log[1].request;
    EXPECT_EQ(deducted.command, readersim::Command::RfDeduct);
    EXPECT_EQ(deducted.rfAmount, 6u);
    EXPECT_EQ(deducted.rfHex6, 1u);
}

TEST_F(RfWalletReader, ReaderRefusalsAndBadRepliesGiveFailureValues) {
    EXPECT_EQ(deduct(5000), -1) << "balance too low: the reply does not start with DONE";
    setFault(ReplyFault::GarbageReply);
    EXPECT_EQ(add(1), -1);
    EXPECT_EQ(deduct(1), -1);
    setFault(ReplyFault::None);
    // The reader took both garbage-answered requests; only its replies were bad.
    EXPECT_EQ(add(1), 3);
}

TEST_F(RfWalletReader, ShortCardInfoReplyLeavesOutputsUntouched) {
    setFault(ReplyFault::ShortReply);
    InfoOutputs out;
    EXPECT_EQ(library_.readCardInfo(kPort, kFieldA, kFieldB, out.numberA, out.numberB), 0);
    EXPECT_TRUE(out.untouched());
    EXPECT_FALSE(sim_->portHeldOpen()) << "a failure left the port open";
}

TEST_F(RfWalletReader, MissingReplyEndsWithinTheReadTimeLimit) {
    setFault(ReplyFault::NoReply);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(deduct(1), -1);
    // 9 characters: 500 ms each plus 500 ms.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 6500ms);
}

TEST_F(RfWalletReader, BadArgumentsAreRefusedBeforeThePortIsTouched) {
    const std::string shortA(27, '0');
    InfoOutputs out;
    EXPECT_EQ(library_.readCardInfo(kPort, shortA.c_str(), kFieldB, out.numberA, out.numberB), 0);
    EXPECT_EQ(library_.readCardInfo(kPort, nullptr, kFieldB, out.numberA, out.numberB), 0);
    EXPECT_EQ(library_.readCardInfo(kPort, kFieldA, kFieldB, nullptr, out.numberB), 0);
    EXPECT_EQ(library_.readCardInfo(0, kFieldA, kFieldB, out.numberA, out.numberB), 0);
    EXPECT_EQ(library_.readCardInfo(1000, kFieldA, kFieldB, out.numberA, out.numberB), 0);
    EXPECT_TRUE(out.untouched());

    EXPECT_EQ(library_.addMoney(kPort, kFieldA, kFieldB, "00A0fg", kFieldD, 1, kDigits12, 1), -1);
    EXPECT_EQ(library_.addMoney(kPort, kFieldA, kFieldB, kFieldC, kFieldD, 1, "10090203450A", 1), -1);
    EXPECT_EQ(library_.addMoney(kPort, kFieldA, kFieldB, kFieldC, kFieldD, 1, kDigits12, 16777216), -1);
    EXPECT_EQ(library_.deductions(kPort, kFieldA, kFieldB, "1122", 1, kDigits12, 1), -1);
    EXPECT_EQ(library_.deductions(kPort, kFieldA, kFieldB, kFieldD, 1, kDigits12, -1), -1);
    EXPECT_EQ(deduct(1, -3), -1);

    // The first frame the reader sees is that of the first valid call.
    EXPECT_EQ(add(1), 1);
    const auto log = loggedFrames(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].request.rfAmount, 1u);
}

TEST_F(RfWalletReader, CallsFromTwoThreadsAreServedOneAfterTheOther) {
    constexpr int kCallsPerThread = 3;
    std::vector<int> results(2 * kCallsPerThread);
    auto run = [&](int first) {
        for (int i = 0; i < kCallsPerThread; ++i) results[first + i] = add(1);
    };
    std::thread other(run, kCallsPerThread);
    run(0);
    other.join();
    std::sort(results.begin(), results.end());
    EXPECT_EQ(results, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
