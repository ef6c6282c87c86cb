// Soak of the read-out and the write against three simulated devices, two on
// this computer's network and one on another, each losing a share of the
// requests it receives and of its replies at random (seeded, so a run can be
// repeated). Every cycle reads one device as the window does, writes a user
// name of its own back on the route of that read-out (values not read left
// out), waits as the update window does, refreshes the list and reads the
// device back. Counted: writes that reached a device other than the one read,
// values staged on a device that no write meant to change, writes verified
// whose user name never took, complete read-outs and verified writes, and the
// time the read-back adds to a write. Runs in a private loopback network.
//
//   serverconf_soak_bench [cycles] [seed] [loss percent]   (default 1000 1 5)

#include "soak_tally.h"

#include "channel/channel_ports.h"
#include "channel/udp_environment.h"
#include "cli/typed_values.h"
#include "devicesim_process.h"
#include "discovery/device_discovery.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/parameter_write.h"
#include "parameter_operations/write_verification.h"
#include "testsupport/private_network.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using namespace serverconf;

struct SoakDevice {
    QString address;
    QString mac;
    QString user;
    QString name;
};

const std::array<SoakDevice, 3> kDevices{{
    {"127.0.0.5", "001122334455", "ops", "gate-1"},  // this computer is 127.0.0.1
    {"127.0.0.6", "001122334466", "lab", "door-2"},
    {"127.0.9.5", "009988776655", "far", "gate-9"},  // another network: read and written by broadcast
}};

struct ReadOutCounts {
    int failed = 0;            // no MAC address, the probe unanswered or another device's MAC: no dialog
    int retried = 0;           // asked for at least one value again
    int leftEmpty = 0;         // a value still missing after the retry rounds: left out of the write
    int foreignValues = 0;     // a MAC, address or user name of another device or write
    int refusedWrites = 0;     // OK refused: the IP field held no address
    int verified = 0;          // writes whose every value was read back as sent
    int verifiedNotTaken = 0;  // verified, yet the device never staged the cycle's user name
    double writeSeconds = 0;   // the set exchanges
    double verifySeconds = 0;  // the read-backs after them
};

void letEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Searches until every device is listed (a search reply may be lost too).
bool listEveryDevice(DeviceDiscovery& discovery, const DeviceListModel& list) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        discovery.beginSearch();
        letEventsRun(1000);
        discovery.finishSearch();
        bool all = true;
        for (const SoakDevice& device : kDevices) all = all && list.findByAddress(device.address) >= 0;
        if (all) return true;
    }
    return false;
}

// What each device holds before any write, by code; the cycles change only ON.
std::map<QString, soak::DeviceValues> ownValues() {
    std::map<QString, soak::DeviceValues> values;
    for (const SoakDevice& device : kDevices) {
        DeviceParameters own = factoryParameters();
        own.macAddress = device.mac;
        own.ipAddress = device.address;
        own.deviceName = device.name;
        soak::DeviceValues& byCode = values[device.address];
        for (const ParameterDefinition& parameter : kParameters)
            byCode.insert(QString::fromLatin1(parameter.code), own.*parameter.member);
    }
    return values;
}

// True when a value read is another device's or another write's.
bool holdsForeignValue(const DeviceParameters& read, const SoakDevice& device, const QString& userWritten) {
    const auto foreign = [](const QString& value, const QString& own) { return !value.isEmpty() && value != own; };
    return foreign(read.macAddress, device.mac) || foreign(read.ipAddress, device.address) ||
           foreign(read.userName, userWritten);
}

}  // namespace

int main(int argc, char** argv) {
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    qputenv("SERVERCONF_BROADCAST", "127.255.255.255");
    qputenv("SERVERCONF_LOCAL_ADDRESS", "127.0.0.1");
    QCoreApplication application(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int seed = argc > 2 ? std::max(0, std::atoi(argv[2])) : 1;
    const int lossPercent = argc > 3 ? std::clamp(std::atoi(argv[3]), 0, 100) : 5;

    QStringList specs;
    for (std::size_t i = 0; i < kDevices.size(); ++i) {
        const SoakDevice& device = kDevices[i];
        specs << QStringLiteral("addr=%1,mac=%2,user=%3,name=%4,loss=%5,reqloss=%5,seed=%6")
                     .arg(device.address, device.mac, device.user, device.name)
                     .arg(lossPercent)
                     .arg(seed * 10 + static_cast<int>(i));
    }
    devicesim::DeviceSimProcess simulator(specs);
    QString startError;
    if (!simulator.start(startError)) {
        std::fprintf(stderr, "%s\n", qPrintable(startError));
        return 1;
    }
    UdpEnvironment environment;
    DeviceListModel list;
    DeviceSession session;
    DeviceDiscovery discovery(environment, list, session);
    std::unique_ptr<CommandChannel> window = environment.createChannel();
    if (!window->open(kAnyLocalPort) || !listEveryDevice(discovery, list)) {
        std::fprintf(stderr, "the devices could not be listed\n");
        return 1;
    }
    std::array<DeviceEntry, kDevices.size()> rows;
    std::array<QString, kDevices.size()> userWritten;
    for (std::size_t i = 0; i < kDevices.size(); ++i) {
        rows[i] = list.entry(list.findByAddress(kDevices[i].address));
        userWritten[i] = kDevices[i].user;
    }

    std::printf(
        "serverconf soak: %d read-out + write cycles over %zu devices (2 on this network, 1 on another),\n"
        "%d %% of requests and %d %% of replies lost at random, seed %d\n",
        cycles, kDevices.size(), lossPercent, lossPercent, seed);
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    ReadOutCounts counts;
    QList<soak::PlannedWrite> writes;
    QList<soak::PlannedWrite> verifiedWrites;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        // The devices in turn, so each read-out follows one of another device.
        const std::size_t index = static_cast<std::size_t>(cycle) % kDevices.size();
        const ReadOutResult read = readParameters(environment, *window, &rows[index], session);
        counts.retried += read.retriedTags.isEmpty() ? 0 : 1;
        if (read.outcome != ReadOutOutcome::Read) {
            ++counts.failed;
            continue;
        }
        counts.leftEmpty += read.missingTags.isEmpty() ? 0 : 1;
        counts.foreignValues += holdsForeignValue(session.parameters, kDevices[index], userWritten[index]) ? 1 : 0;

        // The user name is typed; values not read are left out, as OK does.
        ParameterEdits edits = editsFrom(session.parameters);
        edits.userName = soak::cycleMarker(cycle);
        QSet<int> leftOut(read.missingTags.cbegin(), read.missingTags.cend());
        leftOut.remove(parameterByCode(u"ON")->getTag);
        QElapsedTimer writeClock;
        writeClock.start();
        const Delivery delivery = writeParameters(environment, read.route, session.parameters, edits, leftOut);
        counts.writeSeconds += writeClock.elapsed() / 1000.0;
        if (delivery == Delivery::Refused) ++counts.refusedWrites;
        if (delivery != Delivery::Unicast && delivery != Delivery::Broadcast) continue;
        writes << soak::PlannedWrite{cycle, kDevices[index].address};
        userWritten[index] = edits.userName;
        // The update window, then the list refresh and its wait, as the window does.
        letEventsRun(1000);
        discovery.refreshList();
        letEventsRun(1000);
        const SentValues sent = sentByWrite(
            session.parameters, leftOut.contains(kIpGetTag) ? QString() : edits.ipAddressField, leftOut, read.route);
        writeClock.restart();
        const WriteVerification verification = verifySentValues(
            environment, readBackOf(environment, read.route, rows[index].deviceAddress, rows[index].macAddress, sent));
        counts.verifySeconds += writeClock.elapsed() / 1000.0;
        if (verification.verified()) {
            ++counts.verified;
            verifiedWrites << writes.back();
        }
        if (cycle % 50 == 0) std::fprintf(stderr, "%d cycles, %.0f s\n", cycle, clock.elapsed() / 1000.0);
    }
    const double elapsedSeconds = clock.elapsed() / 1000.0;
    // Every write is in the log once the last one's user name is.
    if (!writes.isEmpty()) {
        const QByteArray last = "staged ON=" + soak::cycleMarker(writes.back().cycle).toUtf8();
        simulator.waitFor([&](const QList<devicesim::LogRecord>& records) {
            return std::any_of(records.rbegin(), records.rend(),
                               [&](const devicesim::LogRecord& record) { return record.payload == last; });
        });
    }
    const QList<devicesim::LogRecord> records = simulator.records();
    const soak::WriteTally tally = soak::tallyWrites(writes, records);
    counts.verifiedNotTaken = soak::tallyWrites(verifiedWrites, records).missedTarget;
    const int untouchedChanged = soak::stagedUnwanted(records, ownValues());
    const int complete = cycles - counts.failed - counts.leftEmpty;
    const auto share = [](int part, qsizetype whole) { return whole > 0 ? 100.0 * part / double(whole) : 0.0; };

    std::printf("%-48s %8d\n", "replies lost by the devices", tally.lostReplies);
    std::printf("%-48s %8d\n", "read-outs", cycles);
    std::printf("%-48s %8d\n", "  asked for a value again (retry round)", counts.retried);
    std::printf("%-48s %8d\n", "  left a field empty after the retry", counts.leftEmpty);
    std::printf("%-48s %8d\n", "  failed (probe or MAC address lost)", counts.failed);
    std::printf("%-48s %8d\n", "  showed a value of another device or write", counts.foreignValues);
    std::printf("%-48s %8d\n", "writes refused (IP field not an address)", counts.refusedWrites);
    std::printf("%-48s %8lld\n", "writes sent", static_cast<long long>(writes.size()));
    std::printf("%-48s %8d\n", "  reached the device read", tally.reachedTarget);
    std::printf("%-48s %8d\n", "  missed by the device read", tally.missedTarget);
    std::printf("%-48s %8d\n", "  reached another device (target 0)", tally.reachedOther);
    std::printf("%-48s %8d\n", "values staged that no write meant (target 0)", untouchedChanged);
    std::printf("%-48s %8d\n", "writes verified whose value never took (target 0)", counts.verifiedNotTaken);
    std::printf("%-48s %7.2f%%\n", "complete read-outs (target >= 99.5 %)", share(complete, cycles));
    std::printf("%-48s %7.2f%%\n", "writes verified (target >= 99 %)", share(counts.verified, writes.size()));
    std::printf("%-48s %8.2f\n", "mean s of a set exchange",
                writes.isEmpty() ? 0.0 : counts.writeSeconds / writes.size());
    std::printf("%-48s %8.2f\n", "mean s of its read-back",
                writes.isEmpty() ? 0.0 : counts.verifySeconds / writes.size());
    std::printf("%-48s %8.1f\n", "elapsed s", elapsedSeconds);
    const bool met = tally.reachedOther == 0 && counts.foreignValues == 0 && untouchedChanged == 0 &&
                     counts.verifiedNotTaken == 0 && share(complete, cycles) >= 99.5 &&
                     share(counts.verified, writes.size()) >= 99.0;
    std::printf("targets: %s\n", met ? "met" : "NOT met");
    return met ? 0 : 1;
}
