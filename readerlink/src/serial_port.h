#pragma once
// SerialPort: the platform part of the reader link.
//
// One implementation file per operating system (serial_port_posix.cpp,
// serial_port_win32.cpp), chosen by CMake; ReaderLink holds the calling order,
// the open flag and the results, and calls only these functions.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "readerlink/reader_link.h"

namespace readerlink {

// The longest a write may take, stalls included, on every platform: a line
// held by flow control or a dead adapter fails the write instead of hanging
// the host. The longest frame needs about 126 ms at 9600 baud.
inline constexpr std::chrono::milliseconds kWriteTimeLimit{2000};

class SerialPort {
public:
    SerialPort();
    ~SerialPort();  // closes the device if it is still open
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // The platform device that the port name "COM<n>" stands for.
    static std::string deviceNameFor(const std::string& comName);

    // Opens the existing device for reading and writing, without sharing.
    bool open(const std::string& comName);

    // Reads the current settings, sets 9600 baud, 8 data bits, one stop bit,
    // the parity letter (N, M, S; another letter keeps the parity as read),
    // clears binary mode and applies them; other settings stay as read.
    bool applyLineSettings(char parity);

    // Input and output queue sizes in bytes.
    bool setQueueSizes(std::size_t inputBytes, std::size_t outputBytes);

    // Writes all `count` bytes within kWriteTimeLimit; false when the
    // platform call failed or the time ran out first.
    bool write(const void* data, std::size_t count);

    // Reads up to `count` bytes under `timeouts` for this read only (the
    // port's own time-outs are restored afterwards). Returns the number of
    // bytes read, or -1 when the platform call failed.
    std::ptrdiff_t read(void* buffer, std::size_t count, const ReadTimeouts& timeouts);

    // Aborts pending transfers and discards both queues.
    bool purge();

    bool close();

private:
    struct Native;  // file descriptor or HANDLE
    std::unique_ptr<Native> native_;
};

}  // namespace readerlink
