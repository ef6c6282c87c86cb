// cardpurse, loaded as a host loads it, against a reader that answers some
// frames wrongly: not at all, with part of the reply, or with noise. Every
// export must give its failure value within the read time-outs of its
// frames, send nothing more after a bad answer (so the card changes only
// through writes the reader acknowledged with "DONE!"), leave the port
// closed, and report only what the card holds.

#include "hostile_reader.h"
#include "library_loader.h"

#include "cardpurse.h"
#include "readerlink/reader_link.h"
#include "readersim/port_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace hostile_peers {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kPort = 9;
// Opening, closing and scheduling on a loaded machine, per frame.
constexpr auto kSlackPerFrame = 400ms;
// How long the port stays open after a frame that changes the reader itself.
constexpr auto kReaderSettleTime = 300ms;

#define EXPORT(name) library.function<decltype(name)>(#name)

// One export called with arguments that a reader in good order accepts.
struct Call {
    const char* name;
    std::function<int(const cardctl::LoadedLibrary&, std::string& output)> run;
};

const std::vector<Call>& accountCalls() {
    static const std::vector<Call> calls{
        {"ReadCardBlank",
         [](const cardctl::LoadedLibrary& library, std::string& output) {
             char block[33] = {};
             const int result = EXPORT(ReadCardBlank)(kPort, "03", "12", block);
             output = block;
             return result;
         }},
        {"WriteCardBlank",
         [](const cardctl::LoadedLibrary& library, std::string&) {
             return EXPORT(WriteCardBlank)(kPort, "03", "13", "00112233445566778899AABBCCDDEEFF");
         }},
        {"ReadCardInformation",
         [](const cardctl::LoadedLibrary& library, std::string& output) {
             char accountNo[9], cardNo[9], name[19], department[19], balance[8], limitCount[4], limitMoney[9],
                 limitTime[7], gbCode[3], lssjCount[6];
             const int result = EXPORT(ReadCardInformation)(kPort, accountNo, cardNo, name, department, balance,
                                                            limitCount, limitMoney, limitTime, gbCode, lssjCount);
             if (result == 1) output = department;
             return result;
         }},
        {"OpenAccount",
         [](const cardctl::LoadedLibrary& library, std::string&) {
             return EXPORT(OpenAccount)(kPort, 1001, 2002, "0123456789ABCDEF", "FEDCBA9876543210", 500, 3, 9000,
                                        "235959", "86", 0);
         }},
        {"OFFCard", [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(OFFCard)(kPort); }},
        {"AddMoney", [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(AddMoney)(kPort, 10); }},
        {"AddLimitMoney",
         [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(AddLimitMoney)(kPort, 700); }},
        {"WriteLimitCount",
         [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(WriteLimitCount)(kPort, 7); }},
        {"WriteLssjCount",
         [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(WriteLssjCount)(kPort, 9); }},
        {"WriteLimitTime",
         [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(WriteLimitTime)(kPort, "120000"); }},
        {"WriteGB", [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(WriteGB)(kPort, "44"); }},
        {"WriteName", [](const cardctl::LoadedLibrary& library,
                         std::string&) { return EXPORT(WriteName)(kPort, "00000000ABCDEF12"); }},
        {"WriteNumber",
         [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(WriteNumber)(kPort, 123456); }},
        {"WriteDepartment", [](const cardctl::LoadedLibrary& library,
                               std::string&) { return EXPORT(WriteDepartment)(kPort, "1111222233334444"); }},
        {"SetMacSound",
         [](const cardctl::LoadedLibrary& library, std::string&) { return EXPORT(SetMacSound)(kPort, 3); }},
    };
    return calls;
}

// Longest time a frame may take: the read time-out of its reply, the time the
// port is held open after it, and the slack.
Clock::duration frameAllowance(const std::string& frame) {
    const char letter = frame.size() > 1 ? frame[1] : '?';
    const std::size_t replyLength = letter == 'a' ? 32 : letter == 'G' ? 0 : 5;
    const bool settles = letter == 'G' || letter == 'c';
    return std::chrono::milliseconds(readerlink::kCardPurseTimeouts.totalMs(replyLength)) +
           (settles ? Clock::duration(kReaderSettleTime) : Clock::duration::zero()) + kSlackPerFrame;
}

class PurseAgainstHostileReader : public ::testing::Test {
protected:
    struct Outcome {
        int result;
        std::string output;
        std::vector<Exchange> exchanges;
        Clock::duration elapsed;
    };

    Outcome run(const Call& call) {
        reader.takeExchanges();
        std::string output;
        const auto start = Clock::now();
        const int result = call.run(library, output);
        const auto elapsed = Clock::now() - start;
        return {result, output, reader.takeExchanges(), elapsed};
    }

    // What holds for every call, whatever the reader answered.
    void expectSound(const Call& call, const Outcome& outcome) {
        SCOPED_TRACE(call.name);
        ASSERT_FALSE(outcome.exchanges.empty());
        Clock::duration allowance{};
        for (std::size_t i = 0; i < outcome.exchanges.size(); ++i) {
            allowance += frameAllowance(outcome.exchanges[i].frame);
            // A bad answer ends the export: nothing is sent after it.
            if (i + 1 < outcome.exchanges.size()) {
                EXPECT_TRUE(isHonest(outcome.exchanges[i].answer)) << "frame " << i << " followed a bad answer";
            }
        }
        EXPECT_EQ(outcome.result == 1, isHonest(outcome.exchanges.back().answer));
        EXPECT_LE(outcome.elapsed, allowance);
        EXPECT_FALSE(reader.portHeldOpen()) << "the port was left open";
    }

    readersim::PortDirectory directory;
    HostileReader reader{directory.path(), kPort, 20261207};
    cardctl::LoadedLibrary library{CARDPURSE_LIBRARY_PATH};
};

TEST_F(PurseAgainstHostileReader, SilentReaderFailsEachExportWithinItsTimeOut) {
    reader.setBehaviour([](const readersim::Request&) { return Answer::Silent; });
    const readersim::ReaderState before = reader.card();
    for (const char* name : {"ReadCardBlank", "WriteCardBlank", "SetMacSound"}) {
        const auto call = std::find_if(accountCalls().begin(), accountCalls().end(),
                                       [name](const Call& c) { return std::string(c.name) == name; });
        const Outcome outcome = run(*call);
        EXPECT_EQ(outcome.result, 0) << name;
        EXPECT_EQ(outcome.exchanges.size(), 1u) << name;
        expectSound(*call, outcome);
    }
    EXPECT_EQ(reader.card(), before);
}

// Key changes against a reader that drops every write: the change is
// reported as failed and the card keeps its keys.
TEST_F(PurseAgainstHostileReader, UnacknowledgedKeyChangesFailAndKeepTheKeys) {
    reader.setBehaviour([](const readersim::Request& request) {
        return request.command == readersim::Command::WriteBlock ? Answer::Noise : Answer::Honest;
    });
    const readersim::ReaderState before = reader.card();
    EXPECT_EQ(library.function<decltype(SetCardPassOne)>("SetCardPassOne")(kPort, "A1B2C3D4E5F6"), 0);
    EXPECT_EQ(library.function<decltype(SetCardPassAll)>("SetCardPassAll")(kPort, "A1B2C3D4E5F6"), 0);
    EXPECT_EQ(reader.card().blocks, before.blocks);
    EXPECT_FALSE(reader.portHeldOpen()) << "the port was left open";
}

// A long series of exports, each frame answered at random: most honestly,
// some with noise after the reply, some cut short, some with noise alone,
// a few not at all.
TEST_F(PurseAgainstHostileReader, RandomAnswersOnlyAcknowledgedWritesReachTheCard) {
    std::mt19937 random(7);
    reader.setBehaviour([&random](const readersim::Request&) {
        const int roll = std::uniform_int_distribution(0, 99)(random);
        if (roll < 55) return Answer::Honest;
        if (roll < 65) return Answer::HonestThenNoise;
        if (roll < 80) return Answer::Partial;
        if (roll < 96) return Answer::Noise;
        return Answer::Silent;
    });
    std::mt19937 pick(11);
    int failures = 0;
    for (int round = 0; round < 40; ++round) {
        const Call& call =
            accountCalls()[std::uniform_int_distribution<std::size_t>(0, accountCalls().size() - 1)(pick)];
        const Outcome outcome = run(call);
        expectSound(call, outcome);
        failures += outcome.result == 0;
        if (outcome.result != 1 || outcome.output.empty()) continue;
        // What a successful read reports is what the card holds.
        const readersim::ReaderState card = reader.card();
        if (std::string(call.name) == "ReadCardBlank") {
            EXPECT_EQ(outcome.output, card.blocks[12]);
        } else if (std::string(call.name) == "ReadCardInformation") {
            EXPECT_EQ(outcome.output, card.blocks[9].substr(0, 18));
        }
    }
    EXPECT_GT(failures, 0);  // the series did meet bad answers
}

}  // namespace
}  // namespace hostile_peers
