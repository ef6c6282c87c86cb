// Benchmark: the search over three interfaces, each leading to a segment of
// N simulated devices, against the search over one interface whose segment
// carries all 3N. Prints the devices listed, the wall time of each search
// (request, the one-second wait, the rows taken) with the ratio of the
// medians, and when the last row came.
//
//   serverconf_segments_bench [devices per segment (300)] [searches (5)]

#include "channel/udp_environment.h"
#include "discovery/device_discovery.h"
#include "testsupport/private_network.h"

#include "segment_bed.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// As long as the progress window stands after the search request.
constexpr int kWaitMs = 1000;
const QStringList kComputerAddresses{"192.0.2.1/24", "198.51.100.1/24", "203.0.113.1/24", "198.19.255.1/24"};

// Device addresses from the benchmarking range 198.18.0.0/15, a block of
// 1000 per segment; every device is outside the computer's subnets and
// answers through its default route.
QStringList deviceOptions(int segment, int count) {
    QStringList specs;
    for (int i = 0; i < count; ++i) {
        const int n = segment * 1000 + i;
        specs << QStringLiteral("addr=198.18.%1.%2,user=u%3,name=device-%3").arg(n / 250).arg(n % 250 + 1).arg(n);
    }
    return specs;
}

struct SearchFigures {
    double wallMs = 0;
    double lastRowMs = 0;  // from the request to the last row listed
    int devices = 0;       // distinct devices listed
};

SearchFigures runSearch(serverconf::DeviceDiscovery& discovery, serverconf::DeviceListModel& list) {
    QElapsedTimer timer;
    SearchFigures figures;
    const auto connection = QObject::connect(&list, &QAbstractItemModel::rowsInserted, [&] {
        figures.lastRowMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    });
    timer.start();
    discovery.beginSearch();
    QEventLoop loop;
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    discovery.finishSearch();
    figures.wallMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    QObject::disconnect(connection);
    QSet<QString> addresses;
    for (const serverconf::DeviceEntry& entry : list.entries()) addresses.insert(entry.deviceAddress);
    figures.devices = static_cast<int>(addresses.size());
    return figures;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Layout {
    const char* name;
    QStringList interfaces;
    serverconf::UdpEnvironment environment;
    serverconf::DeviceListModel list;
    serverconf::DeviceSession session;
    serverconf::DeviceDiscovery discovery{environment, list, session};
    std::vector<double> wallMs;
    std::vector<double> lastRowMs;
    int worstDevices = -1;

    Layout(const char* layoutName, const QStringList& names)
        : name(layoutName), interfaces(names), environment(serverconf::AddressSettings{}, names) {}
};

}  // namespace

int main(int argc, char* argv[]) {
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    QCoreApplication application(argc, argv);
    const int perSegment = argc > 1 ? std::clamp(QString::fromLocal8Bit(argv[1]).toInt(), 1, 1000) : 300;
    const int searches = argc > 2 ? std::clamp(QString::fromLocal8Bit(argv[2]).toInt(), 1, 100) : 5;

    // seg0..seg2 carry N devices each, seg3 all 3N: each layout searches
    // only its own interfaces.
    QList<devicesim::SegmentSpec> segments;
    for (int i = 0; i < 3; ++i)
        segments << devicesim::SegmentSpec{kComputerAddresses[i], deviceOptions(i, perSegment), "32"};
    segments << devicesim::SegmentSpec{kComputerAddresses[3], deviceOptions(3, 3 * perSegment), "32"};
    devicesim::SegmentBed bed;
    QString bedError;
    if (!bed.setUp(segments, bedError)) {
        std::fprintf(stderr, "%s\n", qPrintable(bedError));
        return 1;
    }

    Layout three("three segments", {"seg0", "seg1", "seg2"});
    Layout one("one segment", {"seg3"});
    const int total = 3 * perSegment;
    std::printf("Search over 3 segments x %d devices against 1 segment x %d devices, %d searches each, %d ms wait\n",
                perSegment, total, searches, kWaitMs);
    std::printf("%-16s %6s %10s %14s %15s\n", "layout", "search", "devices", "wall time (ms)", "last row (ms)");
    for (int run = 1; run <= searches; ++run) {
        // Alternate which layout goes first, so that neither always runs on
        // a warmer machine.
        for (Layout* layout : run % 2 ? std::vector<Layout*>{&three, &one} : std::vector<Layout*>{&one, &three}) {
            const SearchFigures figures = runSearch(layout->discovery, layout->list);
            std::printf("%-16s %6d %10d %14.1f %15.1f\n", layout->name, run, figures.devices, figures.wallMs,
                        figures.lastRowMs);
            layout->wallMs.push_back(figures.wallMs);
            layout->lastRowMs.push_back(figures.lastRowMs);
            layout->worstDevices =
                layout->worstDevices < 0 ? figures.devices : std::min(layout->worstDevices, figures.devices);
        }
    }
    const double ratio = median(three.wallMs) / median(one.wallMs);
    std::printf("devices listed (worst search): three segments %d of %d, one segment %d of %d (target all)\n",
                three.worstDevices, total, one.worstDevices, total);
    std::printf("median wall time: three segments %.1f ms, one segment %.1f ms\n", median(three.wallMs),
                median(one.wallMs));
    std::printf("median time to the last row: three segments %.1f ms, one segment %.1f ms\n", median(three.lastRowMs),
                median(one.lastRowMs));
    std::printf("wall-time ratio three/one: %.3f (target at most 1.05)\n", ratio);
    return three.worstDevices == total && one.worstDevices == total ? 0 : 1;
}
