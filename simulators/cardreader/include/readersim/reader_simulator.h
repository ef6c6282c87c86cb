#pragma once
// ReaderSimulator: a card reader on a pseudo-terminal, for tests and by hand.
//
// It opens a fresh pseudo-terminal, puts it in raw mode and publishes its
// slave side as the symbolic link <dir>/COM<n>, so that a ReaderLink with
// READERLINK_PORT_DIR=<dir> opens it as port n. A thread answers every frame
// (see frame_parser.h and reader_model.h) until stop() or destruction. It
// binds nothing on the network.
//
//   readersim::ReaderSimulator sim({.directory = dir, .portNumber = 3});
//   setenv("READERLINK_PORT_DIR", dir.c_str(), 1);
//   ... run the library against port 3 ...
//   EXPECT_EQ(sim.frameLog().at(0).frame, "Da0105!");
//   EXPECT_EQ(sim.state().blocks[5], expectedText);
//
// All member functions are safe to call from any thread while it runs.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "readersim/frame_parser.h"
#include "readersim/reader_model.h"
#include "readersim/reader_state.h"

namespace readersim {

// Time of one character on the line at 9600 baud, 8N1 (10 bits).
inline constexpr std::chrono::nanoseconds kByteTime{10'000'000'000LL / 9600};

enum class ReplyFault {
    None,
    NoReply,       // the request is taken (state changes) but nothing is sent
    ShortReply,    // the reply without its last character
    GarbageReply,  // as many characters as the reply, all "#"
};

struct Options {
    bool cardPresent = true;
    ReplyFault fault = ReplyFault::None;
    std::chrono::milliseconds replyDelay{0};  // wait before the first reply byte
    // Time the line at 9600 baud: a frame counts as received one byte time
    // per character after its first byte, and every reply byte is sent one
    // byte time after the previous one.
    bool pacing = false;
    std::string trailingBytes{};  // sent right after every reply that is sent
    // A partial frame followed by this much silence is dropped (logged as
    // Malformed, not answered); zero keeps partial frames forever.
    std::chrono::milliseconds partialFrameTimeout{1000};
    // Wait this long after each chunk taken from the line (zero: none): a
    // reader that drains its line slowly, so that a long write of the host
    // stalls again and again and makes a little progress after each stall.
    std::chrono::milliseconds drainPause{0};
};

using Clock = std::chrono::steady_clock;

struct FrameRecord {
    Clock::time_point firstByteAt{};  // arrival of the frame's first byte
    Clock::time_point receivedAt{};   // the frame was complete (paced if pacing)
    Clock::time_point repliedAt{};    // last reply byte written (= receivedAt if none)
    std::string frame{};              // the bytes of the frame as received
    Request request{};                // what the parser made of them
    std::string reply{};              // bytes sent, faults and trailing bytes included
};

struct Config {
    std::filesystem::path directory{};  // must exist; COM<n> is created in it
    int portNumber = 1;
    Options options{};
    ReaderState initialState = ReaderState::fresh();
    // Called on the simulator's thread after each frame is answered.
    std::function<void(const FrameRecord&)> frameObserver{};
};

class ReaderSimulator {
public:
    // Opens the pseudo-terminal, creates the link (replacing an existing
    // symbolic link of that name) and starts serving. Throws
    // std::runtime_error with the reason when any step fails.
    explicit ReaderSimulator(const Config& config);
    ~ReaderSimulator();  // stop()
    ReaderSimulator(const ReaderSimulator&) = delete;
    ReaderSimulator& operator=(const ReaderSimulator&) = delete;

    // Ends the thread, removes the link and closes the pseudo-terminal.
    // Idempotent.
    void stop();

    std::filesystem::path linkPath() const;  // <dir>/COM<n>
    std::string terminalPath() const;        // /dev/pts/<k>
    // Whether a program holds the port open (see PseudoTerminal::heldOpen).
    bool portHeldOpen() const;
    int portNumber() const;

    Options options() const;
    void setOptions(const Options& options);

    // Stops the line (or lets it go again), as a reader that drops its
    // clear-to-send line: output on the host's side of the pseudo-terminal
    // is suspended, so the host's writes to the port cannot complete. False
    // when the terminal refused.
    bool setLineStopped(bool stopped);

    ReaderState state() const;
    void setState(const ReaderState& state);

    // Frames received so far, oldest first (malformed ones included). A
    // frame enters the log once its reply is written, so a caller that has
    // just read the reply waits for its entry with waitForFrames.
    std::vector<FrameRecord> frameLog() const;
    void clearFrameLog();
    // Waits until the log holds at least `count` frames; false on time-out.
    bool waitForFrames(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace readersim
