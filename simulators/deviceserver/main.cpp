// devicesim: simulated device servers on loopback addresses.

#include "device_option.h"
#include "device_server.h"
#include "private_segment.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// One socket per device: a thousand devices need more descriptors than the
// usual soft limit.
void raiseDescriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Exit status of a bad option, device option or file.
constexpr int kUsageError = 2;

int fail(const QString& message) {
    std::fprintf(stderr, "devicesim: %s\n", qPrintable(message));
    return kUsageError;
}

// The devices of the --device options and the --config file; nothing, after
// the message, when one cannot be simulated. A file's errors name its line.
std::optional<QList<devicesim::DeviceConfig>> devicesOf(const QStringList& options, const QString& configFile) {
    QList<devicesim::DeviceOptionLine> lines;
    for (const QString& option : options) lines.append({0, option});
    if (!configFile.isEmpty()) {
        QFile config(configFile);
        if (!config.open(QIODevice::ReadOnly)) {
            fail("cannot read " + configFile);
            return std::nullopt;
        }
        lines += devicesim::deviceOptionLines(QString::fromUtf8(config.readAll()));
    }
    QList<devicesim::DeviceConfig> devices;
    QSet<QString> addresses;
    for (const devicesim::DeviceOptionLine& line : lines) {
        const QString where =
            line.lineNumber > 0 ? QStringLiteral("%1, line %2: ").arg(configFile).arg(line.lineNumber) : QString();
        QString error;
        const std::optional<devicesim::DeviceConfig> device = devicesim::parseDeviceOption(line.option, error);
        if (!device || addresses.contains(device->address)) {
            fail(where + (device ? "two devices at " + device->address : error + " in: " + line.option));
            return std::nullopt;
        }
        addresses.insert(device->address);
        devices << *device;
    }
    if (devices.isEmpty()) {
        fail("no device given (--device or --config)");
        return std::nullopt;
    }
    return devices;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulated serial device servers on loopback addresses or a private test segment (see "
        "simulators/deviceserver/README.md).");
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption deviceOption("device", "One device: addr=127.0.0.5,mac=...,user=...,name=...", "option");
    const QCommandLineOption configOption("config", "File with one device option per line.", "file");
    const QCommandLineOption logOption("log", "Log file, '-' for standard output (default).", "file", "-");
    parser.addOptions({deviceOption, configOption, logOption});
    // Not process(): it ends a bad command line with status 1, and usage errors are 2 here.
    if (!parser.parse(app.arguments())) return fail(parser.errorText());
    if (parser.isSet(helpOption)) parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty()) return fail("unexpected argument " + parser.positionalArguments()[0]);

    const std::optional<QList<devicesim::DeviceConfig>> devices =
        devicesOf(parser.values(deviceOption), parser.value(configOption));
    if (!devices) return kUsageError;

    // Addresses outside loopback only where nothing but a test's own
    // segment can hear the answers.
    const bool offLoopback = std::any_of(devices->cbegin(), devices->cend(), [](const devicesim::DeviceConfig& device) {
        return !devicesim::isLoopbackAddress(device.address);
    });
    QString segmentReason;
    const bool onSegment = devicesim::runsOnPrivateSegment(segmentReason);
    if (offLoopback && !onSegment) {
        return fail("refused: addresses outside 127.0.0.0/8 need a private test segment (" + segmentReason + ")");
    }

    QFile log;
    const bool logToStdout = parser.value(logOption) == "-";
    const bool logOpen =
        logToStdout ? log.open(stdout, QIODevice::WriteOnly)
                    : (log.setFileName(parser.value(logOption)), log.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (!logOpen) return fail("cannot write the log " + parser.value(logOption));

    raiseDescriptorLimit();
    devicesim::DeviceServer server(*devices, log, onSegment);
    QString error;
    if (!server.start(error)) return fail(error);
    std::printf("devicesim ready: %lld devices\n", static_cast<long long>(devices->size()));
    std::fflush(stdout);
    return app.exec();
}
