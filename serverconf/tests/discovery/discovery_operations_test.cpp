// Search, list refresh, targeted search, change IP and confirm, run
// instantly against the recording fake network.

#include "discovery/address_range.h"
#include "discovery/device_commands.h"
#include "discovery/device_discovery.h"
#include "discovery/range_search.h"
#include "discovery/search_schedule.h"
#include "discovery/targeted_search.h"
#include "fake_network.h"
#include "parameter_operations/parameter_write.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace serverconf {
namespace {

using testing::failedRead;
using testing::FakeNetwork;
using testing::replyFrom;

QByteArray searchReply(const QByteArray& mac, const QByteArray& user, const QByteArray& device) {
    return "A" + mac + "/V1.0.0*0000000" + user + "/" + device;
}

class DiscoveryTest : public ::testing::Test {
protected:
    FakeNetwork network;
    DeviceListModel list;
    DeviceSession session;
    // The fake's first "any" port: the discovery socket of the first search.
    static constexpr quint16 kFirstPort = 40000;
};

// Lets the event loop run for `milliseconds`, so the planned sends go out.
void letTimePass(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(DiscoveryTest, SearchBroadcastsXThreeTimesFromAFreshSocketAndListsEachDeviceOnce) {
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch(100);
    EXPECT_EQ(network.timeline(), QStringList({"open 0", "broadcast-allowed 40000", "send 40000 * X"}));
    letTimePass(150);
    EXPECT_EQ(network.entries("send"), QStringList({"send 40000 * X", "send 40000 * X", "send 40000 * X"}))
        << "sent again at 30 and 60 ms of a 100 ms window";

    network.deliver(kFirstPort, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1")));
    network.deliver(kFirstPort, replyFrom("10.0.0.5", searchReply("010000000005", "", "far")));
    network.deliver(kFirstPort, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "renamed")));
    ASSERT_EQ(list.rowCount(), 2) << "a device answering twice is listed once";
    EXPECT_EQ(list.entry(0), (DeviceEntry{true, "192168001030", "ops/renamed", "192.168.1.30", {}}))
        << "in the place of its first answer, showing its latest";
    EXPECT_EQ(list.entry(1), (DeviceEntry{false, "010000000005", "/far", "10.0.0.5", {}}));
}

TEST_F(DiscoveryTest, RepliesAfterTheSearchWindowAreNotRead) {
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch(10);
    letTimePass(150);
    network.deliver(kFirstPort, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1")));
    EXPECT_EQ(list.rowCount(), 0) << "a sender that keeps sending cannot hold the search";
}

TEST(SearchSchedule, ThreeSendsSpreadOverTheWindow) {
    const struct {
        int windowMs;
        QList<int> times;
    } cases[] = {
        {1000, {0, 300, 600}}, {500, {0, 150, 300}}, {100, {0, 30, 60}}, {5000, {0, 300, 600}}, {0, {0, 0, 0}}};
    for (const auto& c : cases) EXPECT_EQ(searchSendTimes(c.windowMs), c.times) << c.windowMs;
}

TEST_F(DiscoveryTest, ANewSearchEmptiesTheListAndListensOnANewPort) {
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch();
    network.deliver(kFirstPort, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1")));
    discovery.beginSearch();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_NE(discovery.localPort(), kFirstPort);
    network.deliver(kFirstPort, replyFrom("192.168.1.31", searchReply("192168001031", "", "late")));
    EXPECT_EQ(list.rowCount(), 0) << "a reply to the earlier search is not read";
}

TEST_F(DiscoveryTest, OversizeRepliesAddNoRowAnd255BytesAreShownWhole) {
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch();
    const QByteArray base = searchReply("192168001030", "ops", "");
    network.deliver(kFirstPort, replyFrom("192.168.1.30", base.leftJustified(256, 'x')));
    EXPECT_EQ(list.rowCount(), 0);
    network.deliver(kFirstPort, replyFrom("192.168.1.30", base.leftJustified(255, 'x')));
    ASSERT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.entry(0).userAndDeviceName.size(), 255 - 28);
}

TEST_F(DiscoveryTest, FinishSearchClearsTheSessionAndTellsWhetherAnyDeviceAnswered) {
    session.parameters = factoryParameters();
    session.parameters.macAddress = "001122334455";
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch();
    EXPECT_FALSE(discovery.finishSearch());
    EXPECT_EQ(session.parameters.macAddress, "");
    EXPECT_EQ(session.parameters.baudRate, "");
    EXPECT_EQ(session.parameters.netmask, "0.0.0.0") << "destination, gateway and netmask are kept";
    EXPECT_EQ(session.parameters.destinationIp, "127.0.0.2");

    // A reply after the wait, within the window, still adds its row.
    network.deliver(kFirstPort, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1")));
    EXPECT_EQ(list.rowCount(), 1);
    discovery.beginSearch();
    network.deliver(kFirstPort + 1, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1")));
    EXPECT_TRUE(discovery.finishSearch());
}

TEST_F(DiscoveryTest, ListRefreshReusesTheDiscoverySocketAsItStands) {
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch();
    network.deliver(kFirstPort, replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1")));
    network.clearRecord();
    discovery.refreshList();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(network.timeline(), QStringList{"send 40000 * X"}) << "the later sends follow in the event loop";
    network.deliver(kFirstPort, replyFrom("192.168.1.50", searchReply("192168001030", "ops", "gate-1")));
    EXPECT_EQ(list.entry(0).deviceAddress, "192.168.1.50");
}

TEST_F(DiscoveryTest, ListRefreshBeforeAnySearchOpensTheSocketFirst) {
    DeviceDiscovery discovery(network, list, session);
    discovery.refreshList();
    EXPECT_EQ(network.timeline(), QStringList({"open 0", "broadcast-allowed 40000", "send 40000 * X"}));
}

TEST_F(DiscoveryTest, TargetedSearchListsOnlyTheTargetOncePerDeviceNewestOnTop) {
    network.respond = [](const testing::SentDatagram& sent) -> QList<Datagram> {
        if (sent.text != "X" || !sent.destination.isBroadcast) return {};
        return {replyFrom("192.168.1.30", searchReply("192168001030", "ops", "first")),
                replyFrom("192.168.1.31", searchReply("192168001031", "ops", "other")),
                replyFrom("192.168.1.30", searchReply("192168001033", "ops", "clone")),
                replyFrom("192.168.1.30", searchReply("192168001030", "ops", "second"))};
    };
    EXPECT_EQ(runTargetedSearch(network, list, "192.168.1.30"), 2);
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.entry(0).userAndDeviceName, "ops/clone");
    EXPECT_EQ(list.entry(1).userAndDeviceName, "ops/second");

    const QStringList start{"open 5010", "broadcast-allowed 5010", "send 5010 * X", "pause 100"};
    EXPECT_EQ(network.timeline().mid(0, 4), start);
    EXPECT_EQ(network.entries("send").size(), 3) << "X at 0, 300 and 600 ms";
    EXPECT_EQ(network.clockMs, 1000) << "read until a second after the first send";
    EXPECT_EQ(network.entries("read").size(), 10 * kTargetedSearchReadAttempts);
    EXPECT_EQ(network.timeline().last(), "close 5010");
}

TEST_F(DiscoveryTest, TargetedSearchMatchesTheAddressText) {
    network.respond = [](const testing::SentDatagram&) -> QList<Datagram> {
        return {replyFrom("192.168.1.30", searchReply("192168001030", "ops", "gate-1"))};
    };
    EXPECT_EQ(runTargetedSearch(network, list, "192.168.001.030"), 0);
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(DiscoveryTest, ChangeIpOnThisNetworkProbesAndSendsToThePresentAddress) {
    int probes = 0;
    network.respond = [&](const testing::SentDatagram& sent) -> QList<Datagram> {
        if (sent.text != "X" || ++probes < 2) return {};
        return {replyFrom("192.168.1.31", "Aother"), replyFrom("192.168.1.30", "Areply")};
    };
    const DeviceEntry row{true, "192168001030", "ops/gate-1", "192.168.1.30", {}};
    EXPECT_EQ(changeIpAddress(network, row, "192.168.1.50"), ChangeIpOutcome::Sent);
    EXPECT_EQ(network.timeline(),
              QStringList({"open 3004", "send 3004 192.168.1.30 X", "pause 100", "read 3004 nothing",
                           "send 3004 192.168.1.30 X", "pause 100", "read 3004 Aother", "read 3004 Areply",
                           "send 3004 192.168.1.30 L", "pause 50", "send 3004 192.168.1.30 SIP192.168.1.50|34",
                           "pause 10", "send 3004 192.168.1.30 E|35", "pause 200", "close 3004"}))
        << "the probe is sent again until the row's own address answers";

    network.clearRecord();
    network.respond = [](const testing::SentDatagram&) -> QList<Datagram> {
        return {replyFrom("192.168.1.31", "Aother")};
    };
    EXPECT_EQ(changeIpAddress(network, row, "192.168.1.50"), ChangeIpOutcome::NotConnected);
    EXPECT_EQ(network.entries("send").size(), 3) << "three probes, then nothing: another device's answer is not taken";
}

TEST_F(DiscoveryTest, ChangeIpOnAnotherNetworkNamesTheDeviceByMacInABroadcast) {
    changeIpAddress(network, DeviceEntry{false, "001122334455", "ops/gate-1", "10.0.0.5", {}}, "192.168.1.50");
    EXPECT_EQ(network.timeline(),
              QStringList({"open 3004", "broadcast-allowed 3004", "send 3004 * W001122334455", "pause 100",
                           "send 3004 * L", "pause 50", "send 3004 * SIP192.168.1.50|34", "pause 50",
                           "send 3004 * E|35", "pause 200", "close 3004"}));
    EXPECT_EQ(network.clockMs, 400);

    network.clearRecord();
    const DeviceEntry onThisNetwork{true, "192168001030", "ops/gate-1", "192.168.1.30", "eth0"};
    changeIpAddress(network, onThisNetwork, "192.168.1.50", ChangeIpReach::ByMacName);
    EXPECT_EQ(network.entries("send"), QStringList({"send 3004 *@eth0 W192168001030", "send 3004 *@eth0 L",
                                                    "send 3004 *@eth0 SIP192.168.1.50|34", "send 3004 *@eth0 E|35"}))
        << "by MAC name, a device on this network is named too, never probed at its address";
}

TEST_F(DiscoveryTest, ChangeIpToSomethingThatIsNoAddressSendsNothing) {
    for (const char* newAddress : {"", "192.168.1", "192.168.1.256", "192.168.1.5x"}) {
        EXPECT_EQ(
            changeIpAddress(network, DeviceEntry{true, "192168001030", "ops/gate-1", "192.168.1.30", {}}, newAddress),
            ChangeIpOutcome::Refused)
            << newAddress;
    }
    EXPECT_TRUE(network.timeline().isEmpty());
}

TEST_F(DiscoveryTest, ConfirmSendsOneBToTheDeviceOrToEveryone) {
    confirmDevice(network, DeviceEntry{true, "192168001030", "", "192.168.1.30", {}});
    EXPECT_EQ(network.timeline(), QStringList({"open 3104", "send 3104 192.168.1.30 B", "close 3104"}));
    network.clearRecord();
    confirmDevice(network, DeviceEntry{false, "001122334455", "", "10.0.0.5", {}});
    EXPECT_EQ(network.timeline(), QStringList({"open 3104", "broadcast-allowed 3104", "send 3104 * B", "close 3104"}));
    EXPECT_EQ(network.clockMs, 0);
}

TEST_F(DiscoveryTest, WithoutALocalAddressEveryDeviceIsReachedByBroadcast) {
    network.addresses.clear();
    confirmDevice(network, DeviceEntry{true, "192168001030", "", "192.168.1.30", {}});
    EXPECT_EQ(network.entries("send"), QStringList{"send 3104 * B"});
}

TEST_F(DiscoveryTest, RowsRememberTheirInterfaceAndAnyInterfacesSubnetLightsTheLamp) {
    network.addresses = {"192.0.2.1", "198.51.100.7"};
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch();
    network.deliver(kFirstPort, replyFrom("198.51.100.30", searchReply("000000000030", "", "a"), "wlan0"));
    network.deliver(kFirstPort, replyFrom("192.168.1.24", searchReply("192168001024", "", "b"), "eth0"));
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.entry(0), (DeviceEntry{true, "000000000030", "/a", "198.51.100.30", "wlan0"}));
    EXPECT_EQ(list.entry(1), (DeviceEntry{false, "192168001024", "/b", "192.168.1.24", "eth0"}));

    network.respond = [](const testing::SentDatagram&) -> QList<Datagram> {
        return {replyFrom("192.0.2.9", searchReply("000000000009", "", "c"), "eth0")};
    };
    list.clear();
    ASSERT_EQ(runTargetedSearch(network, list, "192.0.2.9"), 1);
    EXPECT_EQ(list.entry(0), (DeviceEntry{true, "000000000009", "/c", "192.0.2.9", "eth0"}));
}

TEST_F(DiscoveryTest, BroadcastFormsGoOutOnlyOnTheInterfaceTheDeviceWasHeardOn) {
    const DeviceEntry heard{false, "001122334455", "", "10.0.0.5", "eth1"};
    changeIpAddress(network, heard, "10.0.0.6");
    confirmDevice(network, heard);
    EXPECT_EQ(network.entries("send"),
              QStringList({"send 3004 *@eth1 W001122334455", "send 3004 *@eth1 L", "send 3004 *@eth1 SIP10.0.0.6|34",
                           "send 3004 *@eth1 E|35", "send 3104 *@eth1 B"}));
    network.clearRecord();
    DeviceDiscovery discovery(network, list, session);
    discovery.beginSearch();
    discovery.refreshList();
    EXPECT_EQ(network.entries("send"), QStringList({"send 40000 * X", "send 40000 * X"}))
        << "search and list refresh go out on every interface";
}

TEST_F(DiscoveryTest, AConflictRowIsNamedByItsMacAndAUnicastRowIsProbedAtItsAddress) {
    DeviceEntry conflict{true, "192168001030", "", "192.168.1.30", "eth0"};
    conflict.addressConflict = true;
    DeviceEntry probed{false, "010000000005", "", "10.0.0.5", "eth0"};
    probed.foundByUnicast = true;
    DeviceEntry both = probed;
    both.addressConflict = true;
    const struct {
        const char* name;
        DeviceEntry row;
        QStringList changeIpSends;
        bool confirmed;
        QStringList confirmSends;
    } cases[] = {
        {"conflict on this network",
         conflict,
         {"send 3004 *@eth0 W192168001030", "send 3004 *@eth0 L", "send 3004 *@eth0 SIP192.168.1.31|34",
          "send 3004 *@eth0 E|35"},
         false,
         {}},
        {"found by unicast on another network",
         probed,
         {"send 3004 10.0.0.5 X", "send 3004 10.0.0.5 X", "send 3004 10.0.0.5 X"},
         true,
         {"send 3104 10.0.0.5 B"}},
        {"both",
         both,
         {"send 3004 *@eth0 W010000000005", "send 3004 *@eth0 L", "send 3004 *@eth0 SIP192.168.1.31|34",
          "send 3004 *@eth0 E|35"},
         false,
         {}},
    };
    for (const auto& c : cases) {
        network.clearRecord();
        changeIpAddress(network, c.row, "192.168.1.31");
        EXPECT_EQ(network.entries("send"), c.changeIpSends) << c.name;
        network.clearRecord();
        EXPECT_EQ(confirmDevice(network, c.row), c.confirmed) << c.name;
        EXPECT_EQ(network.entries("send"), c.confirmSends) << c.name;
    }
}

TEST(DeviceListModel, MarksRowsSharingAnAddressAndCountsADeviceFoundBothWaysAsFoundByBroadcast) {
    DeviceListModel list;
    DeviceEntry probed{true, "00112233440B", "", "1.1.1.1", {}};
    probed.foundByUnicast = true;
    list.place(probed);
    EXPECT_FALSE(list.entry(0).addressConflict);
    list.place(DeviceEntry{true, "00112233440C", "", "1.1.1.1", {}});
    EXPECT_TRUE(list.entry(0).addressConflict && list.entry(1).addressConflict);
    list.place(probed);
    EXPECT_TRUE(list.entry(0).addressConflict) << "an update keeps the mark";
    EXPECT_TRUE(list.entry(0).foundByUnicast);
    list.place(DeviceEntry{true, "00112233440B", "", "1.1.1.1", {}});
    EXPECT_FALSE(list.entry(0).foundByUnicast) << "heard by broadcast too";
    list.place(probed);
    EXPECT_FALSE(list.entry(0).foundByUnicast);
}

TEST_F(DiscoveryTest, ARangeSearchProbesEachAddressByUnicastAndListsAnswersAscendingAndMarked) {
    network.respond = [](const testing::SentDatagram& sent) -> QList<Datagram> {
        if (sent.destination.address == "10.0.0.40")
            return {replyFrom("10.0.0.40", searchReply("010000000040", "", "b"))};
        if (sent.destination.address == "10.0.0.3")
            return {replyFrom("10.0.0.3", searchReply("010000000003", "", "a"))};
        if (sent.destination.address == "10.0.0.7")
            return {replyFrom("10.0.0.99", searchReply("010000000099", "", "x"))};
        return {};
    };
    QString error;
    const QStringList addresses = *rangeAddresses("10.0.0.0/26", error);
    ASSERT_EQ(runRangeSearch(network, list, addresses), 2);
    const QStringList sends = network.entries("send");
    ASSERT_EQ(sends.size(), 62) << "one probe per address, the network and broadcast addresses skipped";
    EXPECT_EQ(sends.first(), sends.first().section(u' ', 0, 1) + " 10.0.0.1 X");
    EXPECT_TRUE(std::none_of(sends.cbegin(), sends.cend(), [](const QString& s) { return s.contains(" * "); }))
        << "no broadcast";
    EXPECT_EQ(network.entries("pause").size(), 3 + 20) << "a pause before each later batch, then the reads";
    ASSERT_EQ(list.rowCount(), 2) << "an answer from an address not probed makes no row";
    EXPECT_EQ(list.entry(0).deviceAddress, "10.0.0.3");
    EXPECT_EQ(list.entry(1).deviceAddress, "10.0.0.40");
    EXPECT_TRUE(list.entry(0).foundByUnicast && list.entry(1).foundByUnicast);
    EXPECT_GE(network.clockMs, 3 * kRangeBatchMs + kRangeAnswerWaitMs);
}

// On Windows a read fails where an ICMP "port unreachable" came back for an
// earlier datagram (a probe of an address where nothing listens): the read
// loops that stop when nothing waits skip it and take the answer behind it.
// (The targeted and range searches read again at every step anyway.)
TEST(ReadLoops, ASearchAndAProbeSkipAFailedReadAndTakeTheAnswerBehindIt) {
    const QString gateAddress = QStringLiteral("192.168.1.30");
    const QByteArray gate = searchReply("192168001030", "ops", "gate-1");
    const struct {
        const char* loop;
        // Runs the loop with a failed read before the gate's answer; true when the answer was taken.
        std::function<bool(FakeNetwork&, DeviceListModel&)> run;
    } cases[] = {
        {"search",
         [&](FakeNetwork& network, DeviceListModel& list) {
             DeviceSession session;
             DeviceDiscovery discovery(network, list, session);
             // The first search request is answered; the delivery raises the notification.
             bool answered = false;
             network.respond = [&](const testing::SentDatagram&) -> QList<Datagram> {
                 if (std::exchange(answered, true)) return {};
                 return {failedRead(), replyFrom(gateAddress, gate)};
             };
             discovery.beginSearch();
             network.deliver(discovery.localPort(), failedRead());
             return list.rowCount() == 1;
         }},
        {"probe (change of IP; the read-out reads the same way)",
         [&](FakeNetwork& network, DeviceListModel&) {
             network.respond = [&](const testing::SentDatagram&) -> QList<Datagram> {
                 return {failedRead(), replyFrom(gateAddress, gate)};
             };
             const DeviceEntry row{true, "192168001030", "ops/gate-1", gateAddress, {}};
             return changeIpAddress(network, row, "192.168.1.50") == ChangeIpOutcome::Sent &&
                    network.sentTexts().count("X") == 1;
         }},
    };
    for (const auto& c : cases) {
        FakeNetwork network;
        DeviceListModel list;
        EXPECT_TRUE(c.run(network, list)) << c.loop << ": the answer after the failed read was not taken";
        EXPECT_TRUE(network.timeline().contains(QStringLiteral("read %1 failed").arg(network.sent().first().localPort)))
            << c.loop << ": the failed read came first";
    }
}

// The devices a new address would put a device beside: the window's change
// of IP, write and factory reset ask the list this, and so does the command line.
TEST(DeviceListModel, NamesTheOtherDevicesAtTheAddressAChangeWouldGiveADevice) {
    DeviceListModel list;
    const DeviceEntry gate{true, "001122334455", "ops/gate", "192.168.1.30", {}};
    const DeviceEntry west{true, "00112233440B", "", "192.168.1.40", {}};
    const DeviceEntry boxed{false, "00112233440D", "", "192.168.1.24", {}};
    for (const DeviceEntry& row : {gate, west, DeviceEntry{true, "00112233440C", "", "192.168.1.40", {}}, boxed})
        list.place(row);
    // The device of west's MAC, in other letters, elsewhere now: its old row is no other device.
    DeviceEntry westMoved = west;
    westMoved.macAddress = "00112233440b";
    westMoved.deviceAddress = "192.168.1.50";
    const QString factory = addressAfterFactoryDefaults(DeviceRoute::byMacName("001122334455"));
    const struct {
        const char* what;
        DeviceEntry device;
        QString address;
        QStringList holders;
    } cases[] = {
        {"two devices there, in list order", gate, "192.168.1.40", {"00112233440B", "00112233440C"}},
        {"the same four numbers", gate, "192.168.001.040", {"00112233440B", "00112233440C"}},
        {"a free address", gate, "192.168.1.31", {}},
        {"its own address", gate, "192.168.1.30", {}},
        {"its own address, shared already: no new conflict", west, "192.168.1.40", {}},
        {"itself, its MAC in any case, is never named", westMoved, "192.168.1.40", {"00112233440C"}},
        {"no dotted address", gate, "192.168.1", {}},
        {"the factory address of a broadcast route", gate, factory, {"00112233440D"}},
        {"no new address on a unicast route",
         gate,
         addressAfterFactoryDefaults(DeviceRoute::unicast("192.168.1.30")),
         {}},
        {"a device at the factory address already", boxed, factory, {}},
    };
    EXPECT_EQ(factory, "192.168.1.24");
    for (const auto& c : cases) EXPECT_EQ(list.otherDevicesAt(c.device, c.address), c.holders) << c.what;
}

TEST(DeviceListModel, ShowsTheFourColumnsWithTheirHeadingsAndTheStatusImage) {
    DeviceListModel list;
    EXPECT_EQ(list.columnCount(), 4);
    const QStringList headings{QStringLiteral("状  态"), QStringLiteral("MAC地址"), QStringLiteral("使用者/设备名"),
                               QStringLiteral("设备IP")};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list.headerData(column, Qt::Horizontal).toString(), headings[column]);
        EXPECT_EQ(DeviceListModel::columnWidth(column), column == 0 ? 60 : 100);
    }
    list.place(DeviceEntry{true, "mac1", "a/b", "1.1.1.1", {}});
    list.place(DeviceEntry{false, "mac0", "", "2.2.2.2", {}}, DeviceListModel::NewRowAt::Top);
    EXPECT_EQ(list.data(list.index(0, 0)).toString(), "") << "the status column has no text";
    EXPECT_FALSE(list.data(list.index(0, 0), DeviceListModel::SameNetworkRole).toBool());
    EXPECT_TRUE(list.data(list.index(1, 0), DeviceListModel::SameNetworkRole).toBool());
    EXPECT_EQ(list.data(list.index(1, 1)).toString(), "mac1");
    EXPECT_EQ(list.data(list.index(1, 3)).toString(), "1.1.1.1");
    EXPECT_EQ(list.findByAddress("1.1.1.1"), 1);
    EXPECT_EQ(list.findByAddress("3.3.3.3"), -1);
}

TEST(DeviceListModel, ListsADeviceOncePerMacAddressAndInterfaceUpToItsLimit) {
    using Placement = DeviceListModel::Placement;
    const DeviceEntry first{true, "mac1", "a/b", "1.1.1.1", "eth0"};
    const struct {
        DeviceEntry entry;
        Placement placement;
        const char* why;
    } cases[] = {
        {DeviceEntry{true, "mac1", "a/renamed", "1.1.1.1", "eth0"}, Placement::Updated, "the same device again"},
        {DeviceEntry{true, "mac1", "a/b", "1.1.1.1", "eth1"}, Placement::Added, "the same MAC on another segment"},
        {DeviceEntry{true, "mac1", "a/b", "1.1.1.2", "eth0"}, Placement::Added, "the same MAC at another address"},
        {DeviceEntry{true, "mac2", "a/b", "1.1.1.1", "eth0"}, Placement::Added, "another MAC at the same address"},
    };
    for (const auto& c : cases) {
        DeviceListModel list;
        list.place(first);
        EXPECT_EQ(list.place(c.entry), c.placement) << c.why;
        DeviceEntry expected = c.placement == Placement::Updated ? c.entry : first;
        // Another MAC at the same address marks both rows.
        expected.addressConflict =
            c.entry.macAddress != first.macAddress && c.entry.deviceAddress == first.deviceAddress;
        EXPECT_EQ(list.entry(0), expected) << c.why;
    }

    DeviceListModel full;
    for (int i = 0; i < DeviceListModel::kMaxRows; ++i)
        full.place(DeviceEntry{true, QString::number(i), "", "1.1.1.1", {}});
    EXPECT_EQ(full.place(DeviceEntry{true, "new", "", "1.1.1.1", {}}), Placement::ListFull);
    EXPECT_EQ(full.place(DeviceEntry{true, "7", "x", "1.1.1.1", {}}), Placement::Updated)
        << "a listed device still updates";
    EXPECT_EQ(full.rowCount(), DeviceListModel::kMaxRows);
}

}  // namespace
}  // namespace serverconf
