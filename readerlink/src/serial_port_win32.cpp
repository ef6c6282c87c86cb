// Win32 backend of the reader link: the Windows serial-port API, every call
// blocking (no overlapped input or output).
//
// The port's own time-outs are replaced for the length of one read or write
// and restored afterwards: a read runs under the library's read time-outs, a
// write under kWriteTimeLimit, so that a stopped line cannot hang it.

#include <windows.h>

#include "common/debug_log.h"
#include "serial_port.h"

namespace readerlink {
namespace {

constexpr const char* kLog = "readerlink";

// Abort and clear both the transmit and the receive side.
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
static_assert(kPurgeAll == 15);

void logFailure(const char* call, const std::string& device) {
    common::debugLog(kLog, "%s on %s failed: Windows error %lu", call, device.c_str(),
                     static_cast<unsigned long>(GetLastError()));
}

void setParity(DCB& settings, char parity) {
    switch (parity) {
        case 'N': settings.Parity = NOPARITY; break;
        case 'M': settings.Parity = MARKPARITY; break;
        case 'S': settings.Parity = SPACEPARITY; break;
        default: break;  // parity stays as read
    }
}

}  // namespace

struct SerialPort::Native {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string device;
};

namespace {

// Runs `transfer` with the port's time-outs as `adjust` changes them and
// restores the port's own afterwards (a failed restore is only logged).
// False when the time-outs could not be read or set; `transfer` then did
// not run.
template <typename Adjust, typename Transfer>
bool underTimeouts(HANDLE handle, const std::string& device, Adjust adjust, Transfer transfer) {
    COMMTIMEOUTS saved{};
    if (!GetCommTimeouts(handle, &saved)) {
        logFailure("GetCommTimeouts", device);
        return false;
    }
    COMMTIMEOUTS changed = saved;
    adjust(changed);
    if (!SetCommTimeouts(handle, &changed)) {
        logFailure("SetCommTimeouts", device);
        return false;
    }
    transfer();
    if (!SetCommTimeouts(handle, &saved)) logFailure("SetCommTimeouts (restore)", device);
    return true;
}

}  // namespace

SerialPort::SerialPort() : native_(std::make_unique<Native>()) {}

SerialPort::~SerialPort() {
    if (native_->handle != INVALID_HANDLE_VALUE) close();
}

// The device namespace form opens every port number; the plain name "COM10"
// and above names no device.
std::string SerialPort::deviceNameFor(const std::string& comName) { return "\\\\.\\" + comName; }

bool SerialPort::open(const std::string& comName) {
    if (native_->handle != INVALID_HANDLE_VALUE) close();
    const std::string device = deviceNameFor(comName);
    // No sharing: a port held by another program (or the other library)
    // fails here with ERROR_ACCESS_DENIED.
    const HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        logFailure("CreateFileA", device);
        return false;
    }
    native_->handle = handle;
    native_->device = device;
    return true;
}

bool SerialPort::applyLineSettings(char parity) {
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(native_->handle, &settings)) {
        logFailure("GetCommState", native_->device);
        return false;
    }
    settings.BaudRate = CBR_9600;
    settings.ByteSize = 8;
    setParity(settings, parity);
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = FALSE;
    if (!SetCommState(native_->handle, &settings)) {
        logFailure("SetCommState", native_->device);
        return false;
    }
    return true;
}

bool SerialPort::setQueueSizes(std::size_t inputBytes, std::size_t outputBytes) {
    if (!SetupComm(native_->handle, static_cast<DWORD>(inputBytes), static_cast<DWORD>(outputBytes))) {
        logFailure("SetupComm", native_->device);
        return false;
    }
    return true;
}

bool SerialPort::write(const void* data, std::size_t count) {
    DWORD written = 0;
    BOOL writeDone = FALSE;
    const auto oneLimitForTheWholeFrame = [](COMMTIMEOUTS& timeouts) {
        timeouts.WriteTotalTimeoutMultiplier = 0;
        timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(kWriteTimeLimit.count());
    };
    const bool ran = underTimeouts(native_->handle, native_->device, oneLimitForTheWholeFrame, [&] {
        writeDone = WriteFile(native_->handle, data, static_cast<DWORD>(count), &written, nullptr);
        if (!writeDone) logFailure("WriteFile", native_->device);
    });
    if (!ran || !writeDone) return false;
    // The write time-out ends the call early with success; half a frame on
    // the line is still a failed write.
    if (written != count) {
        common::debugLog(kLog, "WriteFile on %s: %lu of %zu bytes written within %lld ms", native_->device.c_str(),
                         static_cast<unsigned long>(written), count, static_cast<long long>(kWriteTimeLimit.count()));
        return false;
    }
    return true;
}

std::ptrdiff_t SerialPort::read(void* buffer, std::size_t count, const ReadTimeouts& timeouts) {
    DWORD got = 0;
    BOOL readDone = FALSE;
    const auto libraryReadTimeouts = [&](COMMTIMEOUTS& port) {
        port.ReadIntervalTimeout = timeouts.intervalMs;
        port.ReadTotalTimeoutMultiplier = timeouts.perByteMs;
        port.ReadTotalTimeoutConstant = timeouts.constantMs;
    };
    const bool ran = underTimeouts(native_->handle, native_->device, libraryReadTimeouts, [&] {
        readDone = ReadFile(native_->handle, buffer, static_cast<DWORD>(count), &got, nullptr);
        if (!readDone) logFailure("ReadFile", native_->device);
    });
    if (!ran || !readDone) return -1;
    return static_cast<std::ptrdiff_t>(got);
}

bool SerialPort::purge() {
    if (!PurgeComm(native_->handle, kPurgeAll)) {
        logFailure("PurgeComm", native_->device);
        return false;
    }
    return true;
}

bool SerialPort::close() {
    if (native_->handle == INVALID_HANDLE_VALUE) {
        common::debugLog(kLog, "close: no port is open");
        return false;
    }
    const BOOL closed = CloseHandle(native_->handle);
    if (!closed) logFailure("CloseHandle", native_->device);
    native_->handle = INVALID_HANDLE_VALUE;
    return closed != FALSE;
}

}  // namespace readerlink
