#pragma once
// A devicesim run for tests: starts the simulator with the given devices,
// waits until it is ready, reads its log, and ends it (by its own process id)
// when the object goes. The test program must already be in its private
// loopback network (testsupport::enterPrivateLoopbackNetwork); the child inherits it.

#include "datagram_log.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace devicesim {

class DeviceSimProcess {
public:
    // `deviceOptions`: one device option per device, as for --device.
    // `launcher`: a command that runs devicesim with its arguments (nsenter
    // into a test segment's namespace, say); empty: devicesim is started directly.
    explicit DeviceSimProcess(QStringList deviceOptions, QStringList launcher = {});
    ~DeviceSimProcess();
    DeviceSimProcess(const DeviceSimProcess&) = delete;
    DeviceSimProcess& operator=(const DeviceSimProcess&) = delete;

    // Starts devicesim and waits for its ready line; false with the reason
    // (its error output included) when it does not come up.
    bool start(QString& error, int timeoutMs = 10000);
    void stop();

    // Every record logged so far.
    QList<LogRecord> records() const;
    // The datagrams received ("in" records), from record `from` on.
    QList<LogRecord> received(qsizetype from = 0) const;
    // Number of records so far: a mark for received(from).
    qsizetype mark() const { return records().size(); }
    // Polls the log until `done` holds for its records; false on time-out.
    bool waitFor(const std::function<bool(const QList<LogRecord>&)>& done, int timeoutMs = 3000) const;
    // Waits until `count` datagrams have been received since `from`.
    bool waitForReceived(qsizetype count, qsizetype from = 0, int timeoutMs = 3000) const;

    QString logPath() const;
    static QString executablePath();

private:
    QStringList options_;
    QStringList launcher_;
    QTemporaryDir directory_;
    QProcess process_;
};

// The payloads of logged datagrams as text, in order.
QStringList payloads(const QList<LogRecord>& records);

}  // namespace devicesim
