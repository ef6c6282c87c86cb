#include "readerlink/reader_link.h"

#include <charconv>
#include <cstring>

#include "common/debug_log.h"
#include "serial_port.h"

namespace readerlink {
namespace {

constexpr const char* kLog = "readerlink";
constexpr std::size_t kQueueBytes = 1024;

// The port number of a port text, when it is the plain decimal form of a
// number the link accepts ("7", not "07" or "7 ").
std::optional<int> portNumberOf(const char* text) {
    if (text == nullptr) return std::nullopt;
    const char* end = text + std::strlen(text);
    int number = 0;
    auto [rest, error] = std::from_chars(text, end, number);
    if (error != std::errc() || rest != end || std::to_string(number) != text) return std::nullopt;
    if (number < kFirstPortNumber || number > kLastPortNumber) return std::nullopt;
    return number;
}

}  // namespace

std::optional<std::string> portText(int portNumber) {
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber) {
        common::debugLog(kLog, "port number %d refused: outside %d..%d", portNumber, kFirstPortNumber, kLastPortNumber);
        return std::nullopt;
    }
    return std::to_string(portNumber);
}

ReaderLink::ReaderLink(ReadTimeouts timeouts) : timeouts_(timeouts), port_(std::make_unique<SerialPort>()) {}

ReaderLink::~ReaderLink() = default;

int ReaderLink::OpenCOMM(const char* text) {
    auto lock = lockForOperation();
    if (!portNumberOf(text)) {
        common::debugLog(kLog, "open refused: port text \"%s\" is not a number from %d to %d", text ? text : "(null)",
                         kFirstPortNumber, kLastPortNumber);
        return 0;
    }
    // A port still open from an earlier open would be lost with its lock.
    if (openFlag_ != 0) {
        common::debugLog(kLog, "open of COM%s while a port is open: closing that one first", text);
        CloseCOMM();
    }
    const std::string name = std::string("COM") + text;
    if (!port_->open(name)) return 0;
    if (port_->applyLineSettings('N') && port_->setQueueSizes(kQueueBytes, kQueueBytes)) {
        openFlag_ = 1;
        return 1;
    }
    common::debugLog(kLog, "%s: line settings not applied, port closed again", name.c_str());
    SetCOMMParity('N');
    port_->close();
    return 0;
}

int ReaderLink::SetCOMMParity(char parity) {
    auto lock = lockForOperation();
    return port_->applyLineSettings(parity) && port_->setQueueSizes(kQueueBytes, kQueueBytes) ? 1 : 0;
}

int ReaderLink::WriteCOMM(const void* frame, std::size_t count) {
    auto lock = lockForOperation();
    return port_->write(frame, count) ? 1 : 0;
}

int ReaderLink::ReadCOMM(void* buffer, std::size_t count) {
    auto lock = lockForOperation();
    const std::ptrdiff_t got = port_->read(buffer, count, timeouts_);
    if (got < 0) return 0;
    if (static_cast<std::size_t>(got) != count) {
        common::debugLog(kLog, "read: %lld of %llu bytes arrived within the time-outs", static_cast<long long>(got),
                         static_cast<unsigned long long>(count));
        return 0;
    }
    return 1;
}

int ReaderLink::CloseCOMM() {
    auto lock = lockForOperation();
    if (openFlag_ == 0) return 1;
    SetCOMMParity('N');
    port_->purge();
    const bool closed = port_->close();
    openFlag_ = 0;
    return closed ? 1 : 0;
}

}  // namespace readerlink
