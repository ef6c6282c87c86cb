// Benchmark: Search with 1000 simulated device servers. Prints how many rows
// were listed (none may be lost) and how long the last reply took from
// leaving its device to standing in the list, over several searches. With a
// loss percent, every device loses that share of the requests it receives
// and of its replies, and the devices must be listed in at least 99.5 % of
// the searches, taken over all of them (the least listed device is shown).
//
//   serverconf_search_bench [devices] [searches] [loss percent]   (default 1000 5 0)

#include "channel/udp_environment.h"
#include "discovery/device_discovery.h"
#include "testsupport/private_network.h"

#include "datagram_log.h"
#include "devicesim_process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// As long as the progress window stands after the search request.
constexpr int kWaitMs = 1000;

QString deviceAddress(int index) { return QStringLiteral("127.1.%1.%2").arg(index / 250).arg(index % 250 + 1); }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct SearchFigures {
    int rows = 0;
    int distinctDevices = 0;
    double lastReplyToRowMs = 0;
    double maxReplyToRowMs = 0;
};

SearchFigures runSearch(serverconf::DeviceDiscovery& discovery, serverconf::DeviceListModel& list,
                        const devicesim::DeviceSimProcess& simulator) {
    QHash<QString, double> rowTime;  // first row of each address
    const auto connection =
        QObject::connect(&list, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int first, int) {
            const double now = devicesim::monotonicMs();
            rowTime.insert(list.entry(first).deviceAddress, rowTime.value(list.entry(first).deviceAddress, now));
        });
    const qsizetype mark = simulator.mark();
    discovery.beginSearch();
    QEventLoop loop;
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    discovery.finishSearch();
    QObject::disconnect(connection);

    SearchFigures figures;
    figures.rows = list.rowCount();
    figures.distinctDevices = static_cast<int>(rowTime.size());
    // A device answers each of the search's sends; its row stands from the
    // first answer that arrived, so each row is timed from its device's
    // first reply sent.
    QHash<QString, double> firstSent;
    for (const devicesim::LogRecord& record : simulator.records().mid(mark)) {
        if (record.direction == u"out" && !firstSent.contains(record.fromAddress()))
            firstSent.insert(record.fromAddress(), record.timeMs);
    }
    double lastSent = -1;
    for (auto it = firstSent.cbegin(); it != firstSent.cend(); ++it) {
        if (!rowTime.contains(it.key())) continue;
        const double replyToRow = rowTime[it.key()] - it.value();
        figures.maxReplyToRowMs = std::max(figures.maxReplyToRowMs, replyToRow);
        if (it.value() >= lastSent) {
            lastSent = it.value();
            figures.lastReplyToRowMs = replyToRow;
        }
    }
    return figures;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    QCoreApplication application(argc, argv);

    const int devices = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 1000) : 1000;
    const int searches = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int lossPercent = argc > 3 ? std::clamp(std::atoi(argv[3]), 0, 100) : 0;
    QStringList options;
    for (int i = 0; i < devices; ++i) {
        options << QStringLiteral("addr=%1,user=u%2,name=device-%2,loss=%3,reqloss=%3,seed=%4")
                       .arg(deviceAddress(i))
                       .arg(i)
                       .arg(lossPercent)
                       .arg(i + 1);
    }
    devicesim::DeviceSimProcess simulator(options);
    QString startError;
    if (!simulator.start(startError, 60000)) {
        std::fprintf(stderr, "%s\n", qPrintable(startError));
        return 1;
    }

    serverconf::UdpEnvironment environment(
        serverconf::AddressSettings{QHostAddress(QStringLiteral("127.255.255.255")), QStringLiteral("127.1.0.1")});
    serverconf::DeviceListModel list;
    serverconf::DeviceSession session;
    serverconf::DeviceDiscovery discovery(environment, list, session);

    std::printf("Search with %d simulated devices, %d searches, %d ms wait each, %d %% of requests and replies lost\n",
                devices, searches, kWaitMs, lossPercent);
    std::printf("%-8s %6s %9s %22s %21s\n", "search", "rows", "devices", "last reply->row (ms)", "max reply->row (ms)");
    std::vector<double> lastLatencies;
    int worstRows = devices;
    QHash<QString, int> listedIn;  // searches that listed each device
    for (int run = 1; run <= searches; ++run) {
        const SearchFigures figures = runSearch(discovery, list, simulator);
        for (const serverconf::DeviceEntry& row : list.entries()) ++listedIn[row.deviceAddress];
        std::printf("%-8d %6d %9d %22.3f %21.3f\n", run, figures.rows, figures.distinctDevices,
                    figures.lastReplyToRowMs, figures.maxReplyToRowMs);
        lastLatencies.push_back(figures.lastReplyToRowMs);
        worstRows = std::min(worstRows, figures.distinctDevices);
    }
    int leastListed = searches;
    qint64 listings = 0;
    for (int i = 0; i < devices; ++i) {
        leastListed = std::min(leastListed, listedIn.value(deviceAddress(i)));
        listings += listedIn.value(deviceAddress(i));
    }
    const double share = 100.0 * double(listings) / (double(devices) * searches);
    std::printf("rows listed (worst search): %d of %d (none lost: %s)\n", worstRows, devices,
                worstRows == devices ? "yes" : "no");
    std::printf("devices listed over all searches: %.2f %% (target >= 99.5 %%: %s)\n", share,
                share >= 99.5 ? "met" : "NOT met");
    std::printf("least listed device: in %.1f %% of the searches\n", 100.0 * leastListed / searches);
    std::printf("median time from the first reply to its row, of the device answering last: %.3f ms\n",
                median(lastLatencies));
    simulator.stop();
    return share >= 99.5 ? 0 : 1;
}
