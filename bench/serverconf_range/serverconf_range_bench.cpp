// Benchmark: range search by unicast of a /24 (254 addresses) and of 4096
// addresses on loopback, each with 50 simulated devices spread through it
// that hear no broadcast (devicesim's "routed"). Prints for each run whether
// every device was found, the wall time of the search (targets: 1.5 s for
// the /24, 6 s for 4096 addresses, answers awaited one second after the
// last probe included) and the probes sent per millisecond, timed by the
// simulator's kernel arrival stamps of the first and the last probe.
//
//   serverconf_range_bench [runs]   (default 3)

#include "channel/udp_environment.h"
#include "discovery/address_range.h"
#include "discovery/device_list_model.h"
#include "discovery/range_search.h"
#include "testsupport/private_network.h"

#include "datagram_log.h"
#include "devicesim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kDevicesPerRange = 50;

struct RangeCase {
    const char* name;
    const char* range;
    double targetSeconds;
};

constexpr RangeCase kCases[] = {
    {"/24", "127.2.0.0/24", 1.5},
    {"4096", "127.3.0.0-127.3.15.255", 6.0},
};

// 50 addresses spread evenly through `addresses`.
QStringList spread(const QStringList& addresses) {
    QStringList picked;
    const qsizetype step = addresses.size() / kDevicesPerRange;
    for (int i = 0; i < kDevicesPerRange; ++i) picked << addresses[i * step + step / 2];
    return picked;
}

struct RunFigures {
    int found = 0;
    double wallSeconds = 0;
    qsizetype probesArrived = 0;
    double probesPerMs = 0;
};

RunFigures runOnce(serverconf::UdpEnvironment& environment, const QStringList& addresses, const QSet<QString>& devices,
                   const devicesim::DeviceSimProcess& simulator) {
    const QSet<QString> probed(addresses.cbegin(), addresses.cend());
    serverconf::DeviceListModel list;
    const qsizetype mark = simulator.mark();
    QElapsedTimer clock;
    clock.start();
    serverconf::runRangeSearch(environment, list, addresses);
    RunFigures figures;
    figures.wallSeconds = double(clock.nsecsElapsed()) / 1e9;
    for (const serverconf::DeviceEntry& row : list.entries()) {
        if (devices.contains(row.deviceAddress) && row.foundByUnicast) ++figures.found;
    }
    // Every probe is logged on arrival, whether a device lives there or not.
    const auto isProbe = [&](const devicesim::LogRecord& record) {
        return record.payload == "X" && probed.contains(record.to);
    };
    simulator.waitFor(
        [&](const QList<devicesim::LogRecord>& records) {
            return std::count_if(records.cbegin() + std::min(mark, records.size()), records.cend(), isProbe) >=
                   addresses.size();
        },
        5000);
    double first = -1;
    double last = -1;
    for (const devicesim::LogRecord& record : simulator.received(mark)) {
        if (!isProbe(record)) continue;
        ++figures.probesArrived;
        if (first < 0) first = record.timeMs;
        last = std::max(last, record.timeMs);
    }
    const double spanMs = last - first;
    figures.probesPerMs = spanMs > 0 ? double(figures.probesArrived) / spanMs : 0;
    return figures;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    QList<QStringList> addressesOf;
    QList<QSet<QString>> devicesOf;
    QStringList options;
    for (const RangeCase& range : kCases) {
        QString error;
        addressesOf << serverconf::rangeAddresses(QString::fromLatin1(range.range), error).value_or(QStringList());
        const QStringList devices = spread(addressesOf.last());
        devicesOf << QSet<QString>(devices.cbegin(), devices.cend());
        for (const QString& address : devices) options << QStringLiteral("addr=%1,routed").arg(address);
    }
    devicesim::DeviceSimProcess simulator(options);
    QString startError;
    if (!simulator.start(startError, 60000)) {
        std::fprintf(stderr, "%s\n", qPrintable(startError));
        return 1;
    }
    serverconf::UdpEnvironment environment(
        serverconf::AddressSettings{QHostAddress(QStringLiteral("127.255.255.255")), QStringLiteral("127.0.0.1")});

    std::printf("Range search by unicast, %d devices that hear no broadcast in each range, %d runs\n", kDevicesPerRange,
                runs);
    std::printf("%-6s %-24s %4s %12s %11s %14s %14s\n", "range", "addresses", "run", "found", "wall (s)",
                "probes arrived", "probes per ms");
    bool allMet = true;
    for (qsizetype c = 0; c < std::ssize(kCases); ++c) {
        const RangeCase& range = kCases[c];
        double worstSeconds = 0;
        double slowestRate = -1;
        bool allFound = true;
        for (int run = 1; run <= runs; ++run) {
            const RunFigures figures = runOnce(environment, addressesOf[c], devicesOf[c], simulator);
            std::printf("%-6s %-24s %4d %8d/%-3d %11.3f %14lld %14.1f\n", range.name, range.range, run, figures.found,
                        kDevicesPerRange, figures.wallSeconds, static_cast<long long>(figures.probesArrived),
                        figures.probesPerMs);
            worstSeconds = std::max(worstSeconds, figures.wallSeconds);
            slowestRate = slowestRate < 0 ? figures.probesPerMs : std::min(slowestRate, figures.probesPerMs);
            allFound = allFound && figures.found == kDevicesPerRange;
        }
        const bool met = allFound && worstSeconds <= range.targetSeconds;
        allMet = allMet && met;
        std::printf(
            "%s (%lld addresses): all found: %s; slowest %.3f s (target <= %.1f s: %s); slowest %.1f probes "
            "per ms\n",
            range.name, static_cast<long long>(addressesOf[c].size()), allFound ? "yes" : "no", worstSeconds,
            range.targetSeconds, met ? "met" : "NOT met", slowestRate);
    }
    simulator.stop();
    return allMet ? 0 : 1;
}
