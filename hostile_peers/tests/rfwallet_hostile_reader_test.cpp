// rfwallet, loaded as a host loads it, against an RF SAM reader that answers
// wrongly: each export gives its failure value (0 or -1) within the read
// time-outs, leaves the host's buffers untouched, and the purse changes only
// through operations the reader acknowledged with "DONE".

#include "hostile_reader.h"
#include "library_loader.h"

#include "readerlink/reader_link.h"
#include "readersim/port_directory.h"
#include "rfwallet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

namespace hostile_peers {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kPort = 4;
constexpr auto kSlack = 500ms;
constexpr const char* kFieldA = "0123456789ABCDEFabcdef012345";
constexpr const char* kFieldB = "FEDCBA9876543210FEDCBA9876";
constexpr const char* kFieldC = "00A0ff";
constexpr const char* kFieldD = "11223344556677889900AABBCCDDEEFF";
constexpr const char* kDigits12 = "100902034504";

Clock::duration readTimeOut(std::size_t replyLength) {
    return std::chrono::milliseconds(readerlink::kRfWalletTimeouts.totalMs(replyLength)) + kSlack;
}

class RfWalletAgainstHostileReader : public ::testing::Test {
protected:
    void answerEverything(Answer answer) {
        reader.setBehaviour([answer](const readersim::Request&) { return answer; });
    }

    int readCardInfo(char (&numberA)[7], char (&numberB)[12]) {
        return library.function<decltype(RFSAMReadCardInfo)>("RFSAMReadCardInfo")(kPort, kFieldA, kFieldB, numberA,
                                                                                  numberB);
    }
    int addMoney(int amount) {
        return library.function<decltype(RFSAMADDMoney)>("RFSAMADDMoney")(kPort, kFieldA, kFieldB, kFieldC, kFieldD,
                                                                          amount, kDigits12, 0xABCDEF);
    }
    int deduct(int amount) {
        return library.function<decltype(RFSAMDeductions)>("RFSAMDeductions")(kPort, kFieldA, kFieldB, kFieldD, amount,
                                                                              kDigits12, 1);
    }
    // Runs `operation`, expects `failure` within `limit`, and the port closed.
    template <typename Operation>
    void expectFailureWithin(Operation operation, int failure, Clock::duration limit) {
        const auto start = Clock::now();
        EXPECT_EQ(operation(), failure);
        EXPECT_LE(Clock::now() - start, limit);
        EXPECT_FALSE(reader.portHeldOpen()) << "the port was left open";
    }

    void expectCardInfoFails() {
        char numberA[7] = "keepA", numberB[12] = "keepB";
        expectFailureWithin([&] { return readCardInfo(numberA, numberB); }, 0, readTimeOut(kCardInfoReplyLength));
        EXPECT_STREQ(numberA, "keepA");
        EXPECT_STREQ(numberB, "keepB");
    }

    static constexpr std::size_t kCardInfoReplyLength = 25;
    static constexpr std::size_t kMoneyReplyLength = 9;

    readersim::PortDirectory directory;
    HostileReader reader{directory.path(), kPort, 4242};
    cardctl::LoadedLibrary library{RFWALLET_LIBRARY_PATH};
};

TEST_F(RfWalletAgainstHostileReader, PartialRepliesFailEveryExport) {
    answerEverything(Answer::Partial);
    const readersim::RfPurse before = reader.card().rfPurse;
    expectCardInfoFails();
    expectFailureWithin([&] { return addMoney(100); }, -1, readTimeOut(kMoneyReplyLength));
    expectFailureWithin([&] { return deduct(100); }, -1, readTimeOut(kMoneyReplyLength));
    EXPECT_EQ(reader.card().rfPurse, before);
}

TEST_F(RfWalletAgainstHostileReader, NoiseFailsEveryExport) {
    answerEverything(Answer::Noise);
    const readersim::RfPurse before = reader.card().rfPurse;
    expectCardInfoFails();
    for (int i = 0; i < 2; ++i) {
        expectFailureWithin([&] { return addMoney(100); }, -1, readTimeOut(kMoneyReplyLength));
        expectFailureWithin([&] { return deduct(1); }, -1, readTimeOut(kMoneyReplyLength));
    }
    EXPECT_EQ(reader.card().rfPurse, before);
}

TEST_F(RfWalletAgainstHostileReader, SilentReaderFailsAMoneyOperationWithinItsTimeOut) {
    answerEverything(Answer::Silent);
    expectFailureWithin([&] { return addMoney(100); }, -1, readTimeOut(kMoneyReplyLength));
    EXPECT_EQ(reader.card().rfPurse, readersim::ReaderState::fresh().rfPurse);
}

// Bytes left over from one exchange are never read as the reply of the next:
// only acknowledged operations count, and each result is the reader's own.
TEST_F(RfWalletAgainstHostileReader, LeftoverBytesAreNotTakenForTheNextReply) {
    answerEverything(Answer::HonestThenNoise);
    EXPECT_EQ(addMoney(500), 1);
    answerEverything(Answer::Noise);
    EXPECT_EQ(addMoney(500), -1);
    answerEverything(Answer::HonestThenNoise);
    EXPECT_EQ(deduct(200), 2);
    char numberA[7], numberB[12];
    ASSERT_EQ(readCardInfo(numberA, numberB), 1);
    EXPECT_STREQ(numberB, "300");
    EXPECT_EQ(reader.card().rfPurse.balance, 300);
}

}  // namespace
}  // namespace hostile_peers
