// Search, targeted search, change IP and confirm end to end against devicesim
// in real time, asserting on what the simulated devices received and when.

#include "channel/channel_ports.h"
#include "channel/udp_environment.h"
#include "discovery/device_commands.h"
#include "discovery/device_discovery.h"
#include "discovery/targeted_search.h"

#include "devicesim_process.h"
#include "pause_check.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace serverconf {
namespace {

using devicesim::DeviceSimProcess;
using devicesim::LogRecord;
using devicesim::payloads;

// This computer is 127.0.0.1: 127.0.0.x is its network, 127.0.1.x another one.
const QStringList kDevices{
    "addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1",
    "addr=127.0.0.6,mac=0A0000000006,name=door",
    "addr=127.0.1.9,mac=009900000009,user=far,name=hall",
};

// Each gap between consecutive records is at least its pause.
void expectGaps(const QList<LogRecord>& records, const QList<int>& pauses) {
    EXPECT_EQ(devicesim::shortGaps(records, pauses), QStringList()) << "gaps shorter than their pauses";
}

class DiscoveryAgainstDeviceSim : public ::testing::Test {
protected:
    void start(const QStringList& devices = kDevices) {
        simulator = std::make_unique<DeviceSimProcess>(devices);
        QString error;
        ASSERT_TRUE(simulator->start(error)) << error.toStdString();
    }

    // The search as the window runs it, with a short wait for the replies.
    bool search(DeviceDiscovery& discovery, int expectedRows) {
        discovery.beginSearch();
        // Fewer rows than expected show in the caller's checks of the list.
        static_cast<void>(QTest::qWaitFor([&] { return list.rowCount() >= expectedRows; }, 2000));
        return discovery.finishSearch();
    }

    // Search, then Change IP on `row`: the datagrams the series brought.
    QList<LogRecord> changeIpOfRow(DeviceDiscovery& discovery, int row, const QString& newAddress) {
        EXPECT_TRUE(search(discovery, 3));
        const qsizetype mark = simulator->mark();
        changeIpAddress(environment, list.entry(row), newAddress);
        EXPECT_TRUE(simulator->waitForReceived(4, mark));
        return simulator->received(mark);
    }

    UdpEnvironment environment{AddressSettings{QHostAddress("127.255.255.255"), "127.0.0.1"}};
    DeviceListModel list;
    DeviceSession session;
    std::unique_ptr<DeviceSimProcess> simulator;
};

TEST_F(DiscoveryAgainstDeviceSim, SearchListsEveryDeviceOnceWithItsStatus) {
    start();
    DeviceDiscovery discovery(environment, list, session);
    ASSERT_TRUE(search(discovery, 3));
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.entry(0), (DeviceEntry{true, "001122334455", "ops/gate-1", "127.0.0.5", {}}));
    EXPECT_EQ(list.entry(1), (DeviceEntry{true, "00000000006", "/door", "127.0.0.6", {}}));
    EXPECT_EQ(list.entry(2), (DeviceEntry{false, "009900000009", "far/hall", "127.0.1.9", {}}));

    const QList<LogRecord> received = simulator->received();
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0].payload, "X");
    EXPECT_TRUE(received[0].isBroadcast());
    EXPECT_EQ(received[0].fromPort(), discovery.localPort());
}

TEST_F(DiscoveryAgainstDeviceSim, SearchWithoutAnswersReportsNoDeviceAndOversizeRepliesAreDropped) {
    start({"addr=127.0.0.5,drop=X", "addr=127.0.0.6,oversize=X"});
    DeviceDiscovery discovery(environment, list, session);
    discovery.beginSearch();
    ASSERT_TRUE(simulator->waitForReceived(1));
    QTest::qWait(200);
    EXPECT_FALSE(discovery.finishSearch());
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(DiscoveryAgainstDeviceSim, ListRefreshShowsADeviceUnderTheAddressChangeIpGaveIt) {
    start();
    DeviceDiscovery discovery(environment, list, session);
    const QList<LogRecord> series = changeIpOfRow(discovery, 0, "127.0.0.50");
    EXPECT_EQ(payloads(series), QStringList({"X", "L", "SIP127.0.0.50|34", "E|35"}));
    for (const LogRecord& record : series) {
        EXPECT_EQ(record.to, "127.0.0.5");
        EXPECT_EQ(record.from, "127.0.0.1:3004");
    }
    expectGaps(series, {100, 50, 10});

    discovery.refreshList();
    EXPECT_EQ(list.rowCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.rowCount() == 3; }, 3000));
    EXPECT_GE(list.findByAddress("127.0.0.50"), 0);
    EXPECT_EQ(list.findByAddress("127.0.0.5"), -1);
}

TEST_F(DiscoveryAgainstDeviceSim, ChangeIpOnAnotherNetworkIsOneBroadcastSeriesForTheNamedDevice) {
    start();
    DeviceDiscovery discovery(environment, list, session);
    const QList<LogRecord> series = changeIpOfRow(discovery, 2, "127.0.1.77");
    EXPECT_EQ(payloads(series), QStringList({"W009900000009", "L", "SIP127.0.1.77|34", "E|35"}));
    for (const LogRecord& record : series) EXPECT_TRUE(record.isBroadcast()) << record.payload.constData();
    expectGaps(series, {100, 50, 50});

    discovery.refreshList();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.findByAddress("127.0.1.77") >= 0 && list.rowCount() == 3; }, 3000));
    EXPECT_GE(list.findByAddress("127.0.0.5"), 0) << "the other devices kept their addresses";
}

TEST_F(DiscoveryAgainstDeviceSim, ConfirmGoesToTheDeviceOrToEveryDevice) {
    start();
    confirmDevice(environment, DeviceEntry{true, "001122334455", "ops/gate-1", "127.0.0.5", {}});
    confirmDevice(environment, DeviceEntry{false, "009900000009", "far/hall", "127.0.1.9", {}});
    ASSERT_TRUE(simulator->waitForReceived(2));
    // The device's socket and the broadcast socket are read in either order:
    // the kernel's arrival stamps give the order of the sends.
    QList<LogRecord> received = simulator->received();
    std::sort(received.begin(), received.end(),
              [](const LogRecord& a, const LogRecord& b) { return a.timeMs < b.timeMs; });
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[0].payload, "B");
    EXPECT_EQ(received[0].to, "127.0.0.5");
    EXPECT_EQ(received[0].from, "127.0.0.1:3104");
    EXPECT_EQ(received[1].payload, "B");
    EXPECT_TRUE(received[1].isBroadcast());
    ASSERT_TRUE(simulator->waitFor([](const QList<LogRecord>& records) {
        return std::count_if(records.cbegin(), records.cend(),
                             [](const LogRecord& r) { return r.payload == "confirmed"; }) == 4;
    })) << "one confirmation by the first device, then one by each of the three";
}

TEST_F(DiscoveryAgainstDeviceSim, TargetedSearchListsOnlyTheTargetOnce) {
    start({"addr=127.0.0.5,user=ops,name=gate-1", "addr=127.0.0.6,name=door,dup=X", "addr=127.0.1.9"});
    EXPECT_EQ(runTargetedSearch(environment, list, "127.0.0.5"), 1);
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.entry(0), (DeviceEntry{true, "127000000005", "ops/gate-1", "127.0.0.5", {}}));
    const QList<LogRecord> received = simulator->received();
    ASSERT_EQ(received.size(), 3) << "X at 0, 300 and 600 ms";
    EXPECT_TRUE(received[0].isBroadcast());
    EXPECT_EQ(received[0].from, "127.0.0.1:5010");

    list.clear();
    EXPECT_EQ(runTargetedSearch(environment, list, "127.0.0.6"), 1) << "a device answering twice is listed once";
    EXPECT_EQ(runTargetedSearch(environment, list, "127.0.1.10"), 0);
}

}  // namespace
}  // namespace serverconf
