#include "devicesim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace devicesim {

DeviceSimProcess::DeviceSimProcess(QStringList deviceOptions, QStringList launcher)
    : options_(std::move(deviceOptions)), launcher_(std::move(launcher)) {}

DeviceSimProcess::~DeviceSimProcess() { stop(); }

QString DeviceSimProcess::executablePath() { return QStringLiteral(DEVICESIM_EXECUTABLE); }

QString DeviceSimProcess::logPath() const { return directory_.filePath(QStringLiteral("devicesim.log")); }

bool DeviceSimProcess::start(QString& error, int timeoutMs) {
    QStringList arguments{QStringLiteral("--log"), logPath()};
    for (const QString& option : options_) arguments << QStringLiteral("--device") << option;
    if (launcher_.isEmpty()) {
        process_.start(executablePath(), arguments);
    } else {
        process_.start(launcher_.first(), launcher_.mid(1) + QStringList{executablePath()} + arguments);
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (process_.canReadLine() ||
            process_.waitForReadyRead(static_cast<int>(qMax<qint64>(deadline.remainingTime(), 1)))) {
            if (process_.readLine().startsWith("devicesim ready")) return true;
        }
        if (process_.state() == QProcess::NotRunning) break;
    }
    error = QStringLiteral("devicesim did not start: ") + QString::fromUtf8(process_.readAllStandardError());
    stop();
    return false;
}

void DeviceSimProcess::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();  // SIGTERM to the child's own process id
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QList<LogRecord> DeviceSimProcess::records() const {
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly)) return {};
    return parseLog(log.readAll());
}

QList<LogRecord> DeviceSimProcess::received(qsizetype from) const {
    QList<LogRecord> result;
    const QList<LogRecord> all = records();
    for (qsizetype i = from; i < all.size(); ++i) {
        if (all[i].direction == u"in") result << all[i];
    }
    return result;
}

bool DeviceSimProcess::waitFor(const std::function<bool(const QList<LogRecord>&)>& done, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (done(records())) return true;
        QThread::msleep(5);
    } while (!deadline.hasExpired());
    return done(records());
}

bool DeviceSimProcess::waitForReceived(qsizetype count, qsizetype from, int timeoutMs) const {
    return waitFor(
        [&](const QList<LogRecord>& all) {
            qsizetype seen = 0;
            for (qsizetype i = from; i < all.size(); ++i) seen += all[i].direction == u"in" ? 1 : 0;
            return seen >= count;
        },
        timeoutMs);
}

QStringList payloads(const QList<LogRecord>& records) {
    QStringList texts;
    for (const LogRecord& record : records) texts << QString::fromLatin1(record.payload);
    return texts;
}

}  // namespace devicesim
