// Times serverconf-cli on a fleet of devices served by devicesim: a backup
// (read --all --save-dir) and a verified write (write IP... BR=4) with the
// default number of jobs and with --jobs 1, then both again with 5 % of the
// requests and of the replies lost. Every device must be done or reported,
// and none may hold or be saved with another device's values. Runs in a
// private loopback network.
//
//   serverconf_fleet_bench [devices] [devices for --jobs 1]     (default 50 and 50)
//
// Targets (default jobs, no loss): backup <= 4 s, verified write <= 8 s.

#include "params/device_profile.h"

#include "devicesim_process.h"
#include "testsupport/private_network.h"
#include "testsupport/program_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

using devicesim::LogRecord;

constexpr double kBackupTargetS = 4;
constexpr double kWriteTargetS = 8;

// Device n of the fleet: its address, MAC and values of its own.
QString addressOf(int n) { return QStringLiteral("127.0.%1.%2").arg(n / 200).arg(10 + n % 200); }
QString macOf(int n) { return QStringLiteral("0011224%1").arg(10000 + n); }
QMap<QString, QString> ownValues(int n) {
    return {
        {"ON", QStringLiteral("u%1").arg(n)}, {"DN", QStringLiteral("n%1").arg(n)}, {"PN", QString::number(2000 + n)}};
}

QStringList deviceOptions(int devices, bool lossy) {
    QStringList options;
    for (int n = 0; n < devices; ++n) {
        const QMap<QString, QString> values = ownValues(n);
        QString option = QStringLiteral("addr=%1,mac=%2,user=%3,name=%4,PN=%5")
                             .arg(addressOf(n), macOf(n), values["ON"], values["DN"], values["PN"]);
        if (lossy) option += QStringLiteral(",loss=5,reqloss=5,seed=%1").arg(n + 1);
        options << option;
    }
    return options;
}

struct Figures {
    double seconds = 0;
    int done = 0;      // result line "ok"
    int reported = 0;  // result line "failed"
    int mixed = 0;     // a file or a device with another device's values
    int missing = 0;   // no result line
};

// The result lines of `out` by device address.
QMap<QString, QString> resultsByAddress(const QString& out) {
    QMap<QString, QString> results;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) results.insert(line.section(u'\t', 0, 0), line);
    return results;
}

struct Run {
    testsupport::ProgramOutcome outcome;
    double seconds = 0;
};

Run runCli(const QStringList& arguments) {
    testsupport::ProgramSettings settings;
    settings.environment.insert("SERVERCONF_BROADCAST", "127.255.255.255");
    settings.environment.insert("SERVERCONF_LOCAL_ADDRESS", "127.0.0.1");
    settings.timeLimitMs = 30 * 60 * 1000;
    QElapsedTimer timer;
    timer.start();
    Run run;
    run.outcome = testsupport::runProgram(QStringLiteral(SERVERCONF_CLI_EXECUTABLE), arguments, settings);
    run.seconds = double(timer.elapsed()) / 1000;
    return run;
}

// Tallies the lines of `run` for `devices` devices; `mixedUp(n)` tells
// whether device n, reported done, holds or was saved with values not its own.
Figures tally(const Run& run, int devices, const std::function<bool(int)>& mixedUp) {
    Figures figures;
    figures.seconds = run.seconds;
    const QMap<QString, QString> results = resultsByAddress(run.outcome.out);
    for (int n = 0; n < devices; ++n) {
        const QString line = results.value(addressOf(n));
        if (line.isEmpty()) {
            ++figures.missing;
        } else if (line.section(u'\t', 1, 1) == u"ok") {
            ++figures.done;
            if (mixedUp(n)) ++figures.mixed;
        } else {
            ++figures.reported;
        }
    }
    return figures;
}

// The first `devices` devices of the fleet, as command-line targets.
QStringList addressesOf(int devices) {
    QStringList addresses;
    for (int n = 0; n < devices; ++n) addresses << addressOf(n);
    return addresses;
}

// read --all --save-dir, or read of the first `devices` devices when
// `all` is false.
Figures backup(int devices, bool all, const QStringList& jobs) {
    QTemporaryDir folder;
    const Run run = runCli(jobs + QStringList{"read"} + (all ? QStringList{"--all"} : addressesOf(devices)) +
                           QStringList{"--save-dir", folder.path()});
    return tally(run, devices, [&](int n) {
        const std::optional<serverconf::DeviceParameters> saved =
            serverconf::loadDeviceProfileFile(QDir(folder.path()).filePath(macOf(n) + ".ds"));
        if (!saved || saved->ipAddress != addressOf(n)) return true;
        const QMap<QString, QString> own = ownValues(n);
        for (auto it = own.cbegin(); it != own.cend(); ++it) {
            const QString* value = saved->valueByCode(it.key());
            if (!value || *value != it.value()) return true;
        }
        return false;
    });
}

// What device n staged ("staged CODE=value" notes) that is neither its own
// value nor the one written.
bool stagedForeign(const QList<LogRecord>& records, int n) {
    QMap<QString, QString> expected = ownValues(n);
    expected.insert("BR", "4");
    for (const LogRecord& record : records) {
        if (record.direction != u"note" || record.from != addressOf(n) || !record.payload.startsWith("staged "))
            continue;
        const QString item = QString::fromUtf8(record.payload.mid(7));
        const QString code = item.section(u'=', 0, 0);
        if (expected.contains(code) && item.section(u'=', 1) != expected[code]) return true;
    }
    return false;
}

Figures verifiedWrite(devicesim::DeviceSimProcess& simulator, int devices, const QStringList& jobs) {
    const qsizetype mark = simulator.mark();
    const Run run = runCli(jobs + QStringList{"write"} + addressesOf(devices) + QStringList{"BR=4"});
    const QList<LogRecord> records = simulator.records().mid(mark);
    // Every device is checked, done or reported: none may take another's values.
    Figures figures = tally(run, devices, [](int) { return false; });
    for (int n = 0; n < devices; ++n) figures.mixed += stagedForeign(records, n) ? 1 : 0;
    return figures;
}

void print(const char* name, const char* jobs, const Figures& figures, double targetS) {
    std::printf("%-26s %6s %8.2f %6d %9d %6d %8d   %s\n", name, jobs, figures.seconds, figures.done, figures.reported,
                figures.mixed, figures.missing, targetS > 0 ? qPrintable(QStringLiteral("<= %1 s").arg(targetS)) : "");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    QCoreApplication application(argc, argv);
    const int devices = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 1000) : 50;
    const int serialDevices = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, devices) : devices;

    std::printf("serverconf-cli on %d devices of devicesim on loopback (default --wait 1000)\n", devices);
    std::printf("%-26s %6s %8s %6s %9s %6s %8s   %s\n", "run", "jobs", "wall s", "done", "reported", "mixed", "no line",
                "target");
    bool met = true;
    for (const bool lossy : {false, true}) {
        devicesim::DeviceSimProcess simulator(deviceOptions(devices, lossy));
        QString error;
        if (!simulator.start(error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const Figures read = backup(devices, true, {});
        const Figures write = verifiedWrite(simulator, devices, {});
        if (!lossy) {
            print("backup (read --all)", "64", read, kBackupTargetS);
            print("verified write BR=4", "64", write, kWriteTargetS);
            met = met && read.seconds <= kBackupTargetS && write.seconds <= kWriteTargetS && read.done == devices &&
                  write.done == devices;
            if (serialDevices > 0) {
                print(qPrintable(QStringLiteral("backup, %1 devices").arg(serialDevices)), "1",
                      backup(serialDevices, serialDevices == devices, {"--jobs", "1"}), 0);
                // The devices listed beyond serialDevices are left alone.
                print(qPrintable(QStringLiteral("verified write, %1 dev.").arg(serialDevices)), "1",
                      verifiedWrite(simulator, serialDevices, {"--jobs", "1"}), 0);
            }
        } else {
            print("backup, 5 % loss", "64", read, 0);
            print("verified write, 5 % loss", "64", write, 0);
        }
        met = met && read.mixed == 0 && write.mixed == 0 && read.missing == 0 && write.missing == 0;
    }
    std::printf(
        "targets: backup <= %.0f s, verified write <= %.0f s, every device done or reported, none mixed "
        "up: %s\n",
        kBackupTargetS, kWriteTargetS, met ? "met" : "NOT met");
    return met ? 0 : 1;
}
