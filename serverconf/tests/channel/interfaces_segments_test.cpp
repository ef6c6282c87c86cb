// Search, read-out, write and serverconf-cli on a computer with three
// interfaces, each leading to a segment of its own, with neither test
// variable set: what each simulated device received, and what was listed.

#include "channel/channel_ports.h"
#include "channel/udp_environment.h"
#include "cli/typed_values.h"
#include "discovery/device_discovery.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/parameter_write.h"

#include "segment_bed.h"
#include "testsupport/program_run.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace serverconf {
namespace {

using devicesim::LogRecord;
using devicesim::SegmentSpec;

// seg0 and seg2: a device on the computer's subnet. seg1: a device still at
// the factory address, outside the computer's subnet there, that answers by
// broadcast.
const QList<SegmentSpec> kSegments{
    {"192.0.2.1/24", {"addr=192.0.2.10,mac=000000000010,user=ops,name=gate-1"}},
    {"198.51.100.1/24", {"addr=192.168.1.24,mac=192168001024,name=factory,bcast"}},
    {"203.0.113.1/24", {"addr=203.0.113.20,mac=000000000020,user=lab,name=door-2"}},
};

// Two cloned units, same MAC and factory address, one on each segment.
const QList<SegmentSpec> kClones{
    {"192.0.2.1/24", {"addr=192.168.1.24,mac=001122334455,name=clone"}},
    {"198.51.100.1/24", {"addr=192.168.1.24,mac=001122334455,name=clone"}},
};

// A boxed device at the factory address, and a device outside the
// computer's subnet that a factory reset moves there.
const QList<SegmentSpec> kFactoryAddressHeld{
    {"198.51.100.1/24",
     {"addr=192.168.1.24,mac=192168001024,name=boxed,bcast", "addr=10.9.9.9,mac=000000000099,name=far,bcast"}},
};

// The payloads of the datagrams a segment's devices received after `from`,
// the search requests left out.
QStringList requestsBesidesSearch(const devicesim::DeviceSimProcess& devices, qsizetype from) {
    QStringList payloads;
    for (const LogRecord& record : devices.received(from)) {
        if (record.payload != "X") payloads << QString::fromUtf8(record.payload);
    }
    return payloads;
}

bool allBroadcast(const QList<LogRecord>& records) {
    return std::all_of(records.cbegin(), records.cend(), [](const LogRecord& record) { return record.isBroadcast(); });
}

class InterfacesOnSegments : public ::testing::Test {
protected:
    void build(const QList<SegmentSpec>& segments) {
        QString error;
        ASSERT_TRUE(bed.setUp(segments, error)) << error.toStdString();
        window->open(kAnyLocalPort);
    }

    void search(int expectedRows) {
        discovery.beginSearch();
        static_cast<void>(QTest::qWaitFor([&] { return list.rowCount() >= expectedRows; }, 3000));
        discovery.finishSearch();
        ASSERT_EQ(list.rowCount(), expectedRows);
    }

    const DeviceEntry& rowOn(const QString& interfaceName) {
        for (const DeviceEntry& entry : list.entries()) {
            if (entry.interfaceName == interfaceName) return entry;
        }
        ADD_FAILURE() << "no row heard on " << interfaceName.toStdString();
        static const DeviceEntry none;
        return none;
    }

    // Read-out of the row heard on segment `index`, then a write that gives
    // the device the user name `user`.
    void readAndWrite(int index, const QString& user) {
        const DeviceEntry row = rowOn(devicesim::SegmentBed::interfaceName(index));
        const ReadOutResult readOut = readParameters(environment, *window, &row, session);
        ASSERT_EQ(readOut.outcome, ReadOutOutcome::Read);
        ParameterEdits values = editsFrom(session.parameters);
        values.userName = user;
        ASSERT_NE(writeParameters(environment, readOut.route, session.parameters, values), Delivery::NotSent);
        ASSERT_TRUE(bed.devices(index).waitFor([](const QList<LogRecord>& records) {
            return std::any_of(records.cbegin(), records.cend(),
                               [](const LogRecord& r) { return r.payload.startsWith("applied"); });
        })) << "the device read applies the write";
    }

    devicesim::SegmentBed bed;
    // Neither test variable: the interfaces decide.
    UdpEnvironment environment{AddressSettings{}};
    DeviceListModel list;
    DeviceSession session;
    DeviceDiscovery discovery{environment, list, session};
    std::unique_ptr<CommandChannel> window = environment.createChannel();
};

TEST_F(InterfacesOnSegments, TheSegmentInterfacesAreListedAndLoopbackIsNot) {
    ASSERT_NO_FATAL_FAILURE(build(kSegments));
    QStringList names;
    for (const ListedInterface& interface : environment.interfaces()) names << interface.name;
    EXPECT_EQ(names, QStringList({"seg0", "seg1", "seg2"}));
    EXPECT_EQ(environment.localAddresses(), QStringList({"192.0.2.1", "198.51.100.1", "203.0.113.1"}));
}

TEST_F(InterfacesOnSegments, SearchListsEveryDeviceOnceWithItsLampAndInterface) {
    ASSERT_NO_FATAL_FAILURE(build(kSegments));
    ASSERT_NO_FATAL_FAILURE(search(3));
    QStringList rows;
    for (const DeviceEntry& entry : list.entries()) {
        rows << QStringLiteral("%1 %2 %3").arg(entry.sameNetwork ? 1 : 0).arg(entry.deviceAddress, entry.interfaceName);
    }
    rows.sort();
    EXPECT_EQ(rows, QStringList({"0 192.168.1.24 seg1", "1 192.0.2.10 seg0", "1 203.0.113.20 seg2"}))
        << "the factory device is on another network, the others on an interface's";
    for (int i = 0; i < bed.segmentCount(); ++i) {
        const QList<LogRecord> received = bed.devices(i).received();
        ASSERT_EQ(received.size(), 1) << "one search request on segment " << i;
        EXPECT_TRUE(received[0].isBroadcast()) << "segment " << i;
    }
}

TEST_F(InterfacesOnSegments, TheForeignDeviceIsReadAndWrittenByBroadcastOnItsSegmentOnly) {
    ASSERT_NO_FATAL_FAILURE(build(kSegments));
    ASSERT_NO_FATAL_FAILURE(search(3));
    const qsizetype marks[] = {bed.devices(0).mark(), bed.devices(1).mark(), bed.devices(2).mark()};
    readAndWrite(1, QStringLiteral("yard"));

    const QList<LogRecord> received = bed.devices(1).received(marks[1]);
    ASSERT_FALSE(received.isEmpty());
    EXPECT_EQ(received.first().payload, "W192168001024") << "read-out names the device first";
    EXPECT_TRUE(allBroadcast(received)) << "the device is reached by broadcast only";
    EXPECT_TRUE(requestsBesidesSearch(bed.devices(1), marks[1]).contains("SONyard|18"));
    EXPECT_EQ(requestsBesidesSearch(bed.devices(0), marks[0]), QStringList()) << "nothing on seg0";
    EXPECT_EQ(requestsBesidesSearch(bed.devices(2), marks[2]), QStringList()) << "nothing on seg2";

    // The device took it: read again after a new search.
    ASSERT_NO_FATAL_FAILURE(search(3));
    const DeviceEntry row = rowOn("seg1");
    ASSERT_EQ(readParameters(environment, *window, &row, session).outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters.userName, "yard");
}

TEST_F(InterfacesOnSegments, ADeviceOnAnInterfacesSubnetIsWrittenByUnicast) {
    ASSERT_NO_FATAL_FAILURE(build(kSegments));
    ASSERT_NO_FATAL_FAILURE(search(3));
    const qsizetype mark = bed.devices(2).mark();
    readAndWrite(2, QStringLiteral("hall"));
    QStringList destinations;
    for (const LogRecord& record : bed.devices(2).received(mark)) {
        if (record.payload != "X") destinations << record.to;
    }
    destinations.removeDuplicates();
    EXPECT_EQ(destinations, QStringList{"203.0.113.20"}) << "probe, read-out and write all go to the device's address";
}

TEST_F(InterfacesOnSegments, AWriteChangesTheCloneThatWasReadNotItsTwin) {
    ASSERT_NO_FATAL_FAILURE(build(kClones));
    ASSERT_NO_FATAL_FAILURE(search(2));
    const qsizetype marks[] = {bed.devices(0).mark(), bed.devices(1).mark()};
    readAndWrite(1, QStringLiteral("twin-b"));
    EXPECT_TRUE(requestsBesidesSearch(bed.devices(1), marks[1]).contains("SONtwin-b|18"));
    EXPECT_EQ(requestsBesidesSearch(bed.devices(0), marks[0]), QStringList())
        << "the twin on seg0 with the same MAC heard nothing of the read-out or the write";
}

// devicesim answers on addresses outside loopback only where nothing but a
// test segment can hear it: not in a namespace with loopback alone, nor in
// one with more than a single veth end.
TEST(DeviceSimOffLoopback, RefusesOutsideAPrivateSegment) {
    QString error;
    devicesim::DeviceSimProcess alone({"addr=192.0.2.10"});
    EXPECT_FALSE(alone.start(error)) << "loopback only";
    EXPECT_TRUE(error.contains("refused")) << error.toStdString();

    ASSERT_EQ(QProcess::execute("ip", {"link", "add", "pcA", "type", "veth", "peer", "name", "pcB"}), 0);
    devicesim::DeviceSimProcess twoVeths({"addr=192.0.2.10"});
    error.clear();
    EXPECT_FALSE(twoVeths.start(error)) << "two veth ends";
    EXPECT_TRUE(error.contains("refused")) << error.toStdString();

    devicesim::DeviceSimProcess onLoopback({"addr=127.0.0.5"});
    EXPECT_TRUE(onLoopback.start(error)) << "loopback addresses are always allowed: " << error.toStdString();
}

using CliRun = testsupport::ProgramOutcome;

// serverconf-cli with neither test variable set.
CliRun runCli(const QStringList& arguments) {
    testsupport::ProgramSettings settings;
    settings.environment.remove("SERVERCONF_BROADCAST");
    settings.environment.remove("SERVERCONF_LOCAL_ADDRESS");
    settings.timeLimitMs = 30000;
    return testsupport::runProgram(QStringLiteral(SERVERCONF_CLI_EXECUTABLE), QStringList{"--wait", "300"} + arguments,
                                   settings);
}

TEST_F(InterfacesOnSegments, CliListsTheInterfacesAndKeepsToTheOnesNamed) {
    ASSERT_NO_FATAL_FAILURE(build(kSegments));
    const CliRun interfaces = runCli({"interfaces"});
    EXPECT_EQ(interfaces.exitCode, 0) << interfaces.err.toStdString();
    EXPECT_EQ(interfaces.out,
              "seg0\t192.0.2.1/24\t192.0.2.255\n"
              "seg1\t198.51.100.1/24\t198.51.100.255\n"
              "seg2\t203.0.113.1/24\t203.0.113.255\n");

    const CliRun search = runCli({"--interface", "seg1", "search"});
    EXPECT_EQ(search.exitCode, 0) << search.err.toStdString();
    EXPECT_EQ(search.out, "0\t192168001024\t/factory\t192.168.1.24\n");
    EXPECT_TRUE(bed.devices(0).received().isEmpty()) << "seg0 heard nothing";
    EXPECT_TRUE(bed.devices(2).received().isEmpty()) << "seg2 heard nothing";

    const CliRun both = runCli({"--interface", "seg2", "--interface", "seg0", "search"});
    EXPECT_EQ(both.out.count(u'\n'), 2) << both.out.toStdString();

    const CliRun unknown = runCli({"--interface", "eth9", "search"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("eth9")) << unknown.err.toStdString();
    EXPECT_EQ(bed.devices(1).received().size(), 3) << "only the three sends of the seg1 search reached seg1";
}

TEST_F(InterfacesOnSegments, CliResetNamesTheDevicesAlreadyAtTheFactoryAddressOnStandardErrorAndGoesOn) {
    ASSERT_NO_FATAL_FAILURE(build(kFactoryAddressHeld));
    const CliRun reset = runCli({"reset", "000000000099"});
    EXPECT_EQ(reset.exitCode, 0) << reset.err.toStdString();
    EXPECT_TRUE(reset.err.contains(
        QStringLiteral("10.9.9.9: 出厂设置后设备IP为192.168.1.24, 此地址已被其他设备使用: 192168001024\n")))
        << reset.err.toStdString();
    EXPECT_TRUE(requestsBesidesSearch(bed.devices(0), 0).contains("SIP192.168.1.24|33")) << "the reset went out";
}

}  // namespace
}  // namespace serverconf
