// devicesim: simulated device servers on loopback addresses.

#include "device_server.h"
#include "device_option.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <sys/resource.h>

#include <cstdio>

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

int fail(const QString& message) {
    std::fprintf(stderr, "devicesim: %s\n", qPrintable(message));
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulated serial device servers on loopback addresses (see simulators/deviceserver/README.md).");
    parser.addHelpOption();
    const QCommandLineOption deviceOption("device", "One device: addr=127.0.0.5,mac=...,user=...,name=...", "spec");
    const QCommandLineOption configOption("config", "File with one device spec per line.", "file");
    const QCommandLineOption logOption("log", "Log file, '-' for standard output (default).", "file", "-");
    parser.addOptions({deviceOption, configOption, logOption});
    parser.process(app);

    QStringList specs = parser.values(deviceOption);
    if (parser.isSet(configOption)) {
        QFile config(parser.value(configOption));
        if (!config.open(QIODevice::ReadOnly)) return fail("cannot read " + config.fileName());
        specs += devicesim::deviceSpecLines(QString::fromUtf8(config.readAll()));
    }
    if (specs.isEmpty()) return fail("no device given (--device or --config)");

    QList<devicesim::DeviceConfig> devices;
    QSet<QString> addresses;
    for (const QString& spec : specs) {
        QString error;
        const std::optional<devicesim::DeviceConfig> device = devicesim::parseDeviceOption(spec, error);
        if (!device) return fail(error + " in: " + spec);
        if (addresses.contains(device->address)) return fail("two devices at " + device->address);
        addresses.insert(device->address);
        devices << *device;
    }

    QFile log;
    const bool logToStdout = parser.value(logOption) == "-";
    const bool logOpen = logToStdout ? log.open(stdout, QIODevice::WriteOnly)
                                     : (log.setFileName(parser.value(logOption)),
                                        log.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (!logOpen) return fail("cannot write the log " + parser.value(logOption));

    raiseDescriptorLimit();
    devicesim::DeviceServer server(devices, log);
    QString error;
    if (!server.start(error)) return fail(error);
    std::printf("devicesim ready: %lld devices\n", static_cast<long long>(devices.size()));
    std::fflush(stdout);
    return app.exec();
}
