#include "cli_run.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace serverconf {

CliRun runCli(const QStringList& arguments, const QStringList& variables, const QString& standardErrorPath) {
    testsupport::ProgramSettings settings;
    settings.environment.insert("SERVERCONF_BROADCAST", "127.255.255.255");
    settings.environment.insert("SERVERCONF_LOCAL_ADDRESS", "127.0.0.1");
    for (const QString& variable : variables) {
        settings.environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    }
    settings.standardErrorPath = standardErrorPath;
    return testsupport::runProgram(QStringLiteral(SERVERCONF_CLI_EXECUTABLE), QStringList{"--wait", "250"} + arguments,
                                   settings);
}

QStringList sentFrom(const QList<devicesim::LogRecord>& received, quint16 port, bool* allBroadcast) {
    QStringList payloads;
    if (allBroadcast) *allBroadcast = true;
    for (const devicesim::LogRecord& record : received) {
        if (record.fromPort() != port) continue;
        payloads << QString::fromUtf8(record.payload);
        if (allBroadcast && !record.isBroadcast()) *allBroadcast = false;
    }
    return payloads;
}

QStringList setExchangeOf(const QStringList& payloads) {
    const qsizetype end = payloads.indexOf(QStringLiteral("E"));
    return end < 0 ? payloads : payloads.mid(0, end + 1);
}

TerminalCapture::TerminalCapture() {
    controller_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (controller_ < 0 || ::grantpt(controller_) != 0 || ::unlockpt(controller_) != 0 ||
        ::ptsname_r(controller_, name, sizeof name) != 0) {
        return;
    }
    path_ = QString::fromLocal8Bit(name);
    terminal_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::fcntl(controller_, F_SETFL, ::fcntl(controller_, F_GETFL) | O_NONBLOCK);
}

TerminalCapture::~TerminalCapture() {
    if (terminal_ >= 0) ::close(terminal_);
    if (controller_ >= 0) ::close(controller_);
}

QString TerminalCapture::takeText() {
    QByteArray text;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(controller_, buffer, sizeof buffer)) > 0) text.append(buffer, count);
    return QString::fromUtf8(text);
}

}  // namespace serverconf
