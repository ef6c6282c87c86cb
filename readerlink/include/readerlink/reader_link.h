#pragma once
// ReaderLink: the serial link of one card library to its card reader.
//
// Every exported card operation opens the reader's port by number, writes one
// command frame, reads an exact number of reply bytes under the library's read
// time-outs and closes the port again. Line settings: 9600 baud, 8 data bits,
// no parity, one stop bit, 1024-byte queues; the port is opened exclusively.
//
// Results follow the card libraries' C interface: nonzero for success, 0 for
// failure. The reason of a failure goes to the debug log (common/debug_log.h).
//
// Each library owns one ReaderLink. Its operations are serialised: an export
// takes lockForOperation() for its whole run, so two host threads calling at
// once are served one after the other (the lock is recursive because exports
// are built on other exports).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace readerlink {

// Read time-outs of one library, in milliseconds, with Windows serial
// semantics: a read ends when `count` bytes arrived, when more than
// `intervalMs` pass between two bytes (counted from the first byte on), or
// when `perByteMs * count + constantMs` have passed since the read began.
struct ReadTimeouts {
    std::uint32_t intervalMs;
    std::uint32_t perByteMs;
    std::uint32_t constantMs;

    constexpr std::uint32_t totalMs(std::size_t count) const {
        return perByteMs * static_cast<std::uint32_t>(count) + constantMs;
    }
};

inline constexpr ReadTimeouts kCardPurseTimeouts{200, 100, 100};
inline constexpr ReadTimeouts kRfWalletTimeouts{3000, 500, 500};

// Port numbers the libraries accept; others are refused before any open.
inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 999;

// Decimal text of a valid port number ("5" for 5); nothing when the number is
// outside kFirstPortNumber..kLastPortNumber.
std::optional<std::string> portText(int portNumber);

class SerialPort;  // platform backend, one per operating system

class ReaderLink {
public:
    explicit ReaderLink(ReadTimeouts timeouts);
    ~ReaderLink();
    ReaderLink(const ReaderLink&) = delete;
    ReaderLink& operator=(const ReaderLink&) = delete;

    // Opens "COM" + portText and applies the line settings. 1 when the port is
    // open and configured; 0 otherwise, with the open flag left at 0.
    int OpenCOMM(const char* portText);

    // Applies 9600 baud, 8 data bits, one stop bit and the parity letter
    // N (none), M (mark) or S (space); another letter keeps the parity as read.
    int SetCOMMParity(char parity);

    // Writes the whole frame in one call; nonzero on success.
    int WriteCOMM(const void* frame, std::size_t count);

    // 1 when exactly `count` bytes arrived within the read time-outs, else 0.
    int ReadCOMM(void* buffer, std::size_t count);

    // 1 when nothing was open; otherwise resets parity, purges both queues,
    // closes the port and returns the close result.
    int CloseCOMM();

    bool isOpen() const { return openFlag_ != 0; }
    const ReadTimeouts& timeouts() const { return timeouts_; }

    // Held by an export for its whole run.
    std::unique_lock<std::recursive_mutex> lockForOperation() { return std::unique_lock<std::recursive_mutex>(mutex_); }

private:
    ReadTimeouts timeouts_;
    std::unique_ptr<SerialPort> port_;
    int openFlag_ = 0;
    std::recursive_mutex mutex_;
};

}  // namespace readerlink
