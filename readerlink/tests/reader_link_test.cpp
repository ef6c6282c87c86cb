#include "readerlink/reader_link.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <thread>

#include "link_fixture.h"

namespace readerlink {
namespace {

using namespace std::chrono_literals;

TEST(ReaderLinkClosedTest, CloseWithNothingOpenReturnsOne) {
    ReaderLink link(kCardPurseTimeouts);
    EXPECT_EQ(link.CloseCOMM(), 1);
    EXPECT_EQ(link.CloseCOMM(), 1);
    EXPECT_FALSE(link.isOpen());
}

class ReaderLinkOpenTest : public LinkFixture {};

TEST_F(ReaderLinkOpenTest, RefusedPortTextsNeverReachADevice) {
    // Links that would open the simulator, had the numbers been accepted.
    for (const char* name : {"COM0", "COM-1", "COM1000", "COM04"}) {
        std::filesystem::create_symlink(simulator_->terminalPath(), directory_.path() / name);
    }
    ReaderLink link(kCardPurseTimeouts);
    for (const char* text : {"0", "-1", "1000", "", "4x", " 4", "04"}) {
        EXPECT_EQ(link.OpenCOMM(text), 0) << '"' << text << '"';
        EXPECT_FALSE(link.isOpen()) << text;
    }
    EXPECT_EQ(link.OpenCOMM(nullptr), 0);
    EXPECT_EQ(link.CloseCOMM(), 1);
}

TEST_F(ReaderLinkOpenTest, FailedOpenLeavesTheLinkClosed) {
    std::ofstream(directory_.path() / "COM8") << "not a terminal";
    ReaderLink link(kCardPurseTimeouts);
    for (const char* text : {"9", "8"}) {  // no such device; not a terminal
        EXPECT_EQ(link.OpenCOMM(text), 0) << text;
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ(link.CloseCOMM(), 1);
    }
}

TEST_F(ReaderLinkOpenTest, SecondOpenOfTheSamePortFails) {
    ReaderLink first(kCardPurseTimeouts);
    ReaderLink second(kRfWalletTimeouts);
    ASSERT_EQ(first.OpenCOMM(kPort), 1);
    EXPECT_EQ(second.OpenCOMM(kPort), 0);
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(second.CloseCOMM(), 1);
    EXPECT_TRUE(first.isOpen());

    EXPECT_EQ(first.CloseCOMM(), 1);
    EXPECT_EQ(second.OpenCOMM(kPort), 1);
    EXPECT_EQ(second.CloseCOMM(), 1);
}

TEST_F(ReaderLinkOpenTest, OpenWhileOpenReleasesTheEarlierPort) {
    ReaderLink link(kCardPurseTimeouts);
    ASSERT_EQ(link.OpenCOMM(kPort), 1);
    ASSERT_EQ(link.OpenCOMM(kPort), 1);
    EXPECT_EQ(link.CloseCOMM(), 1);
    ReaderLink other(kCardPurseTimeouts);
    EXPECT_EQ(other.OpenCOMM(kPort), 1);
    EXPECT_EQ(other.CloseCOMM(), 1);
}

class ReaderLinkExchangeTest : public LinkFixture {};

TEST_F(ReaderLinkExchangeTest, ReadsExactlyTheRequestedCount) {
    readersim::ReaderState state = readersim::ReaderState::fresh();
    state.blocks[5] = "8000000000000000000003E8000000E3";
    simulator_->setState(state);
    ReaderLink link(kCardPurseTimeouts);
    EXPECT_EQ(exchange(link, "Da0105!", 32), state.blocks[5]);
    EXPECT_EQ(exchange(link, "Dc3!", 5), "DONE!");
    ASSERT_TRUE(simulator_->waitForFrames(2, 2s));
    EXPECT_EQ(simulator_->frameLog()[0].frame, "Da0105!");
    EXPECT_FALSE(link.isOpen());
}

TEST_F(ReaderLinkExchangeTest, ReplyOneByteShortFailsAtTheGapLimit) {
    simulator_->setOptions({.fault = readersim::ReplyFault::ShortReply});
    ReaderLink link(kCardPurseTimeouts);
    const auto took = failingExchangeTime(link, "Da0105!", 32);
    EXPECT_GE(took, 180ms);  // 200 ms after the 31st byte
    EXPECT_LT(took, 3300ms);
}

TEST_F(ReaderLinkExchangeTest, MissingReplyFailsAtTheTotalLimit) {
    simulator_->setOptions({.fault = readersim::ReplyFault::NoReply});
    ReaderLink link(kCardPurseTimeouts);
    const auto took = failingExchangeTime(link, "Da0105!", 32);
    EXPECT_GE(took, 3250ms);  // 100 ms x 32 + 100 ms
    EXPECT_LT(took, 4500ms);
}

TEST_F(ReaderLinkExchangeTest, GapLimitStartsAtTheFirstByte) {
    // A first byte later than the gap limit is still within the total.
    simulator_->setOptions({.replyDelay = 600ms});
    ReaderLink link(kCardPurseTimeouts);
    EXPECT_EQ(exchange(link, "Da0105!", 32), std::string(32, '0'));
    // A reply paced at the line rate never trips the gap limit.
    simulator_->setOptions({.pacing = true});
    EXPECT_EQ(exchange(link, "Da0105!", 32), std::string(32, '0'));
}

TEST_F(ReaderLinkExchangeTest, BytesBeyondTheCountDoNotReachTheNextExchange) {
    simulator_->setOptions({.trailingBytes = "LEFTOVER"});
    ReaderLink link(kCardPurseTimeouts);
    EXPECT_EQ(exchange(link, "Dc3!", 5), "DONE!");
    simulator_->setOptions({});
    EXPECT_EQ(exchange(link, "Da0003!", 32), "7C3A19E5B04DFF078069FFFFFFFFFFFF");
}

TEST_F(ReaderLinkExchangeTest, WriteOnAStoppedLineFailsInsteadOfHanging) {
    struct Case {
        const char* line;
        bool stopped;                     // flow control holds the line: no byte leaves
        std::chrono::milliseconds drain;  // the reader's pause after each chunk it takes
        std::size_t frameBytes;
    };
    const Case cases[] = {
        {"stopped", true, 0ms, 7},
        // Every stall ends after well under the write's time limit with a
        // little progress; the whole frame would need about a minute.
        {"draining slowly", false, 100ms, 256 * 1024},
    };
    for (const Case& c : cases) {
        simulator_->setOptions({.drainPause = c.drain});
        ASSERT_TRUE(simulator_->setLineStopped(c.stopped)) << c.line;
        ReaderLink link(kCardPurseTimeouts);
        ASSERT_EQ(link.OpenCOMM(kPort), 1) << c.line;
        const std::string frame(c.frameBytes, '0');
        const auto start = readersim::Clock::now();
        EXPECT_EQ(link.WriteCOMM(frame.data(), frame.size()), 0) << c.line << ": a write that cannot complete fails";
        // Generous against a loaded machine; the limit itself is 2 s.
        EXPECT_LT(readersim::Clock::now() - start, 10s) << c.line << ": the write ends within its time limit";
        EXPECT_EQ(link.CloseCOMM(), 1) << c.line;
        ASSERT_TRUE(simulator_->setLineStopped(false)) << c.line;
    }
}

TEST_F(ReaderLinkExchangeTest, ConcurrentCallersAreServedOneAfterTheOther) {
    ReaderLink link(kCardPurseTimeouts);
    readersim::ReaderState state = readersim::ReaderState::fresh();
    state.blocks[1] = std::string(32, '1');
    state.blocks[2] = std::string(32, '2');
    simulator_->setState(state);
    auto caller = [&](const char* frame, char digit, int& failures) {
        for (int i = 0; i < 15; ++i) {
            auto operation = link.lockForOperation();
            if (exchange(link, frame, 32) != std::string(32, digit)) ++failures;
        }
    };
    int failuresOne = 0, failuresTwo = 0;
    std::thread one(caller, "Da0001!", '1', std::ref(failuresOne));
    std::thread two(caller, "Da0002!", '2', std::ref(failuresTwo));
    one.join();
    two.join();
    EXPECT_EQ(failuresOne, 0);
    EXPECT_EQ(failuresTwo, 0);
    EXPECT_TRUE(simulator_->waitForFrames(30, 2s));
}

}  // namespace
}  // namespace readerlink
