#include "readersim/reader_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <fstream>

#include "readersim/scratch_directory.h"

namespace readersim {
namespace {

using namespace std::chrono_literals;

// The program side of the line, opened raw through the published link.
class LineEnd {
public:
    explicit LineEnd(const std::filesystem::path& link) : fd_(::open(link.c_str(), O_RDWR | O_NOCTTY)) {
        termios settings{};
        ::tcgetattr(fd_, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
    ~LineEnd() { ::close(fd_); }
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    void send(const std::string& bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // What arrives until `count` bytes are in or `quiet` passes without a byte.
    std::string receive(std::size_t count, std::chrono::milliseconds quiet = 300ms) {
        std::string got;
        char buffer[256];
        while (got.size() < count) {
            pollfd entry{fd_, POLLIN, 0};
            if (::poll(&entry, 1, static_cast<int>(quiet.count())) <= 0) break;
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0) break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

private:
    int fd_;
};

class ReaderSimulatorTest : public ::testing::Test {
protected:
    ReaderSimulator& start(Options options = {}) {
        Config config;
        config.directory = directory_.path();
        config.portNumber = 7;
        config.options = options;
        simulator_ = std::make_unique<ReaderSimulator>(config);
        return *simulator_;
    }

    ScratchDirectory directory_;
    std::unique_ptr<ReaderSimulator> simulator_;
};

TEST_F(ReaderSimulatorTest, PublishesTheTerminalAndLogsEachFrame) {
    ReaderSimulator& sim = start();
    EXPECT_EQ(sim.linkPath(), directory_.path() / "COM7");
    EXPECT_EQ(std::filesystem::read_symlink(sim.linkPath()), sim.terminalPath());

    LineEnd line(sim.linkPath());
    ASSERT_TRUE(line.isOpen());
    const auto before = Clock::now();
    line.send("\r\nDa0003!Dc4!");
    EXPECT_EQ(line.receive(37), "7C3A19E5B04DFF078069FFFFFFFFFFFFDONE!");

    ASSERT_TRUE(sim.waitForFrames(2, 2s));
    const auto log = sim.frameLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].frame, "Da0003!");
    EXPECT_EQ(log[0].request.block, 3);
    EXPECT_EQ(log[1].reply, "DONE!");
    EXPECT_LE(before, log[0].firstByteAt);
    EXPECT_LE(log[0].firstByteAt, log[0].receivedAt);
    EXPECT_LE(log[0].receivedAt, log[0].repliedAt);
    EXPECT_EQ(sim.state().sound, 4);

    sim.stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(directory_.path() / "COM7")));
}

TEST_F(ReaderSimulatorTest, TellsWhetherAProgramHoldsThePortUnderItsExclusiveLock) {
    ReaderSimulator& sim = start();
    EXPECT_FALSE(sim.portHeldOpen());
    {
        LineEnd line(sim.linkPath());
        EXPECT_FALSE(sim.portHeldOpen()) << "open without the lock";
        ASSERT_EQ(::flock(line.fd(), LOCK_EX | LOCK_NB), 0);
        EXPECT_TRUE(sim.portHeldOpen()) << "open with the lock, as the reader link opens it";
    }
    EXPECT_FALSE(sim.portHeldOpen()) << "closed again";
}

TEST_F(ReaderSimulatorTest, FaultsShapeTheReply) {
    const struct {
        const char* name;
        Options options;
        std::string reply;
    } cases[] = {
        {"short", {.fault = ReplyFault::ShortReply}, "DONE"}, {"garbage", {.fault = ReplyFault::GarbageReply}, "#####"},
        {"none", {.fault = ReplyFault::NoReply}, ""},         {"trailing", {.trailingBytes = "XYZ"}, "DONE!XYZ"},
        {"no card", {.cardPresent = false}, "FAIL!"},
    };
    ReaderSimulator& sim = start();
    LineEnd line(sim.linkPath());
    for (const auto& c : cases) {
        sim.setOptions(c.options);
        line.send("Db0001" + std::string(32, 'A') + "!");
        EXPECT_EQ(line.receive(c.reply.size() + 1, 200ms), c.reply) << c.name;
    }
    // Every request was taken except the one without a card.
    EXPECT_EQ(sim.state().blocks[1], std::string(32, 'A'));
    EXPECT_TRUE(sim.waitForFrames(5, 2s));
}

TEST_F(ReaderSimulatorTest, DelayAndPacingHoldTheReplyBack) {
    ReaderSimulator& sim = start({.replyDelay = 150ms});
    LineEnd line(sim.linkPath());
    auto sent = Clock::now();
    line.send("Da0105!");
    EXPECT_EQ(line.receive(32, 1s).size(), 32u);
    EXPECT_GE(Clock::now() - sent, 150ms);

    // 7 + 32 characters at 9600 baud: at least 40.6 ms on the line.
    sim.setOptions({.pacing = true});
    sent = Clock::now();
    line.send("Da0105!");
    EXPECT_EQ(line.receive(32, 1s).size(), 32u);
    const auto took = Clock::now() - sent;
    EXPECT_GE(took, kByteTime * 39);
    EXPECT_LT(took, 1s);
}

TEST_F(ReaderSimulatorTest, PartialFrameIsDroppedAfterSilence) {
    ReaderSimulator& sim = start({.partialFrameTimeout = 100ms});
    LineEnd line(sim.linkPath());
    line.send("Da01");
    ASSERT_TRUE(sim.waitForFrames(1, 2s));
    EXPECT_EQ(sim.frameLog()[0].request.command, Command::Malformed);
    EXPECT_EQ(line.receive(1, 50ms), "");
    line.send("Dc2!");
    EXPECT_EQ(line.receive(5), "DONE!");
}

TEST_F(ReaderSimulatorTest, ReplacesAStaleLinkButNoOtherFile) {
    std::filesystem::create_symlink("/nonexistent", directory_.path() / "COM7");
    ReaderSimulator& sim = start();
    EXPECT_EQ(std::filesystem::read_symlink(sim.linkPath()), sim.terminalPath());
    sim.stop();

    std::ofstream(directory_.path() / "COM7") << "a user's file";
    EXPECT_THROW(start(), std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_regular_file(directory_.path() / "COM7"));
}

}  // namespace
}  // namespace readersim
