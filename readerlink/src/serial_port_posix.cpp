// POSIX backend of the reader link: termios, poll and a monotonic clock.
//
// Equivalents of the Windows port settings:
// - "binary mode cleared" becomes raw mode: no line editing, no echo, no
//   character translation, no signals; every byte passes as it is.
// - queue sizes have no POSIX equivalent (the driver sizes its own buffers),
//   so setQueueSizes only reports success.
// - no sharing becomes O_NOCTTY|O_NONBLOCK, then flock(LOCK_EX|LOCK_NB) and
//   TIOCEXCL. TIOCEXCL does not stop root, flock stops everyone who locks.
// - the port's own time-outs do not exist: each read carries its own.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "common/debug_log.h"
#include "serial_port.h"

namespace readerlink {
namespace {

constexpr const char* kLog = "readerlink";
using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until `fd` is ready for `events` or `deadline` passes; false on
// time-out or error (errno tells which: 0 for time-out).
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) return true;
        if (ready == 0) {
            errno = 0;
            return false;
        }
        if (errno != EINTR) return false;
    }
}

void setParity(termios& settings, char parity) {
    switch (parity) {
        case 'N': settings.c_cflag &= ~(PARENB | PARODD | CMSPAR); break;
        case 'M': settings.c_cflag |= PARENB | PARODD | CMSPAR; break;
        case 'S': settings.c_cflag = (settings.c_cflag | PARENB | CMSPAR) & ~PARODD; break;
        default: break;  // parity stays as read
    }
}

}  // namespace

struct SerialPort::Native {
    int fd = -1;
    std::string device;
};

SerialPort::SerialPort() : native_(std::make_unique<Native>()) {}

SerialPort::~SerialPort() {
    if (native_->fd >= 0) close();
}

std::string SerialPort::deviceNameFor(const std::string& comName) {
    const std::string number = comName.substr(3);
    const char* directory = std::getenv("READERLINK_PORT_DIR");
    if (directory != nullptr && *directory != '\0') return std::string(directory) + "/" + comName;
    // NOLINTNEXTLINE(cert-err34-c): OpenCOMM let through plain decimal 1..999 only (portNumberOf)
    return "/dev/ttyS" + std::to_string(std::atoi(number.c_str()) - 1);
}

bool SerialPort::open(const std::string& comName) {
    if (native_->fd >= 0) close();
    const std::string device = deviceNameFor(comName);
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        common::debugLog(kLog, "%s: cannot open %s: %s", comName.c_str(), device.c_str(), std::strerror(errno));
        return false;
    }
    if (!::isatty(fd)) {
        common::debugLog(kLog, "%s: %s is not a terminal device", comName.c_str(), device.c_str());
        ::close(fd);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        common::debugLog(kLog, "%s: %s is in use by another program: %s", comName.c_str(), device.c_str(),
                         std::strerror(errno));
        ::close(fd);
        return false;
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        common::debugLog(kLog, "%s: exclusive mode refused on %s: %s", comName.c_str(), device.c_str(),
                         std::strerror(errno));
        ::close(fd);
        return false;
    }
    // A freshly opened port starts with empty queues, whatever arrived
    // while nobody had it open.
    ::tcflush(fd, TCIOFLUSH);
    native_->fd = fd;
    native_->device = device;
    return true;
}

bool SerialPort::applyLineSettings(char parity) {
    termios settings{};
    if (::tcgetattr(native_->fd, &settings) != 0) {
        common::debugLog(kLog, "cannot read the settings of %s: %s", native_->device.c_str(), std::strerror(errno));
        return false;
    }
    // Raw mode; hardware flow control stays as read.
    settings.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag &= ~(CSIZE | CSTOPB);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    setParity(settings, parity);
    // Reads never block in the driver: the descriptor is non-blocking and
    // ReadCOMM waits with poll under its own time-outs.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, B9600) != 0 || ::cfsetospeed(&settings, B9600) != 0 ||
        ::tcsetattr(native_->fd, TCSANOW, &settings) != 0) {
        common::debugLog(kLog, "cannot apply 9600 8N1 to %s: %s", native_->device.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

bool SerialPort::setQueueSizes(std::size_t, std::size_t) { return native_->fd >= 0; }

bool SerialPort::write(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t sent = 0;
    // One deadline for the whole frame, never restarted: a line that lets a
    // few bytes through after each stall must not keep the write alive.
    const auto deadline = Clock::now() + kWriteTimeLimit;
    while (sent < count) {
        const ssize_t n = ::write(native_->fd, bytes + sent, count - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            common::debugLog(kLog, "write to %s failed after %zu of %zu bytes: %s", native_->device.c_str(), sent,
                             count, std::strerror(errno));
            return false;
        }
        if (!waitFor(native_->fd, POLLOUT, deadline)) {
            common::debugLog(kLog, "write to %s stalled after %zu of %zu bytes: %s", native_->device.c_str(), sent,
                             count, errno ? std::strerror(errno) : "time-out");
            return false;
        }
    }
    return true;
}

std::ptrdiff_t SerialPort::read(void* buffer, std::size_t count, const ReadTimeouts& timeouts) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(timeouts.totalMs(count));
    const auto interval = std::chrono::milliseconds(timeouts.intervalMs);
    Clock::time_point lastByteAt{};
    std::size_t got = 0;
    while (got < count) {
        // Only the requested count is taken; later bytes stay in the queue.
        const ssize_t n = ::read(native_->fd, bytes + got, count - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            lastByteAt = Clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            common::debugLog(kLog, "read from %s failed after %zu of %zu bytes: %s", native_->device.c_str(), got,
                             count, std::strerror(errno));
            return -1;
        }
        // The gap limit runs from the first byte on; the total from the start.
        const auto until = got == 0 ? deadline : std::min(deadline, lastByteAt + interval);
        if (!waitFor(native_->fd, POLLIN, until)) {
            if (errno != 0) {
                common::debugLog(kLog, "waiting on %s failed: %s", native_->device.c_str(), std::strerror(errno));
                return -1;
            }
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
            common::debugLog(kLog, "read from %s: %zu of %zu bytes after %lld ms (%s limit)", native_->device.c_str(),
                             got, count, static_cast<long long>(waited.count()),
                             until == deadline ? "total" : "interval");
            break;
        }
    }
    return static_cast<std::ptrdiff_t>(got);
}

bool SerialPort::purge() {
    if (::tcflush(native_->fd, TCIOFLUSH) != 0) {
        common::debugLog(kLog, "purge of %s failed: %s", native_->device.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

bool SerialPort::close() {
    if (native_->fd < 0) {
        common::debugLog(kLog, "close: no port is open");
        return false;
    }
    // The exclusive mode would outlive this descriptor while another one (a
    // simulator, a monitor) keeps the terminal open.
    ::ioctl(native_->fd, TIOCNXCL);
    const int result = ::close(native_->fd);
    if (result != 0) {
        common::debugLog(kLog, "close of %s failed: %s", native_->device.c_str(), std::strerror(errno));
    }
    native_->fd = -1;
    return result == 0;
}

}  // namespace readerlink
