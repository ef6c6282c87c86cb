// The read-out, the write and the factory defaults in real time against
// simulated device servers, checked on the simulator's log of what arrived:
// texts, order, unicast or broadcast, local ports and pauses. This computer
// is 127.0.0.1; devices on 127.0.0.x share its network, devices on
// 127.0.9.x are on another one and are reached by broadcast.

#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/parameter_write.h"

#include "channel/udp_environment.h"
#include "discovery/device_discovery.h"
#include "discovery/device_list_model.h"

#include "devicesim_process.h"
#include "parameter_values.h"
#include "pause_check.h"
#include "write_series.h"

#include <QTest>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::DeviceSimProcess;
using devicesim::LogRecord;
using devicesim::payloads;
using testing::factoryResetValues;
using testing::parametersWith;
using testing::writeSeries;

const char* kLocalDevice = "addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,BR=7,PN=4001";
const char* kRemoteDevice = "addr=127.0.9.5,mac=009988776655,user=far,name=gate-9,BR=3";

// Every record came from local port `port` (0: any one port) as unicast to
// `address`, or as broadcast when `address` is empty.
void expectAddressing(const QList<LogRecord>& records, quint16 port, const QString& address) {
    ASSERT_FALSE(records.isEmpty());
    const quint16 expectedPort = port ? port : records.first().fromPort();
    for (const LogRecord& record : records) {
        EXPECT_EQ(record.fromPort(), expectedPort) << record.payload.constData();
        EXPECT_EQ(record.fromAddress(), QStringLiteral("127.0.0.1"));
        if (address.isEmpty())
            EXPECT_TRUE(record.isBroadcast()) << record.payload.constData();
        else
            EXPECT_EQ(record.to, address) << record.payload.constData();
    }
}

// The gap after record i is at least its pause, pausesMs[i].
void expectPauses(const QList<LogRecord>& records, const QList<int>& pausesMs) {
    EXPECT_EQ(devicesim::shortGaps(records, pausesMs), QStringList()) << "gaps shorter than their pauses";
}

// Pauses of a write or factory reset: ["W" 100 ms] "L" 50 ms, then 10 ms
// after each set request (the last gap logged is the one before "E").
QList<int> setExchangePauses(bool named, int setRequests) {
    QList<int> pauses = named ? QList<int>{100, 50} : QList<int>{50};
    pauses.append(QList<int>(setRequests, 10));
    return pauses;
}

QStringList getRequests() {
    QStringList texts;
    for (const ParameterDefinition& definition : kParameters)
        texts << QStringLiteral("G%1|%2").arg(QLatin1StringView(definition.code)).arg(definition.getTag);
    return texts;
}

class DeviceSimTest : public ::testing::Test {
protected:
    void startDevices(const QStringList& options) {
        simulator = std::make_unique<DeviceSimProcess>(options);
        QString error;
        ASSERT_TRUE(simulator->start(error)) << error.toStdString();
        window = environment.createChannel();
        ASSERT_TRUE(window->open(0));
    }

    // What the simulator received from `mark` on, once `count` datagrams are in.
    QList<LogRecord> receivedSince(qsizetype mark, qsizetype count) {
        EXPECT_TRUE(simulator->waitForReceived(count, mark));
        return simulator->received(mark);
    }

    ReadOutResult readRow(const DeviceEntry& row) {
        return readParameters(environment, *window, &row, session, [this] { ++shortReplyNotices; });
    }

    // Inside the test's private loopback network: broadcasts to its
    // broadcast address, this computer at 127.0.0.1.
    UdpEnvironment environment{
        AddressSettings{QHostAddress(QStringLiteral("127.255.255.255")), QStringLiteral("127.0.0.1")}};
    std::unique_ptr<DeviceSimProcess> simulator;
    std::unique_ptr<CommandChannel> window;
    DeviceSession session;
    int shortReplyNotices = 0;
    const DeviceEntry localRow{
        1, QStringLiteral("001122334455"), QStringLiteral("ops/gate-1"), QStringLiteral("127.0.0.5"), {}};
    const DeviceEntry remoteRow{
        0, QStringLiteral("009988776655"), QStringLiteral("far/gate-9"), QStringLiteral("127.0.9.5"), {}};
};

TEST_F(DeviceSimTest, ReadOutOnTheLocalNetworkProbesThenReadsByUnicast) {
    startDevices({kLocalDevice});
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(result.route, DeviceRoute::unicast(QStringLiteral("127.0.0.5")));
    DeviceParameters expected = factoryParameters();
    expected.userName = QStringLiteral("ops");
    expected.deviceName = QStringLiteral("gate-1");
    expected.macAddress = QStringLiteral("001122334455");
    expected.ipAddress = QStringLiteral("127.0.0.5");
    expected.baudRate = QStringLiteral("7");
    expected.port = QStringLiteral("4001");
    EXPECT_EQ(session.parameters, expected);

    const QList<LogRecord> received = receivedSince(0, 23);
    EXPECT_EQ(payloads(received), (QStringList{"X", "L"} + getRequests()));
    expectAddressing(received.mid(0, 1), 3001, QStringLiteral("127.0.0.5"));
    expectAddressing(received.mid(1), window->localPort(), QStringLiteral("127.0.0.5"));
    QList<int> pauses{100};
    pauses.append(QList<int>(21, 50));
    expectPauses(received, pauses);
}

TEST_F(DeviceSimTest, ReadOutOnAnotherNetworkNamesTheDeviceAndBroadcasts) {
    startDevices({kLocalDevice, kRemoteDevice});
    const ReadOutResult result = readRow(remoteRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(result.route, DeviceRoute::byMacName(QStringLiteral("009988776655")));
    EXPECT_EQ(session.parameters.macAddress, QStringLiteral("009988776655"));
    EXPECT_EQ(session.parameters.ipAddress, QStringLiteral("127.0.9.5"));
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("3"));

    const QList<LogRecord> received = receivedSince(0, 23);
    EXPECT_EQ(payloads(received), (QStringList{"W009988776655", "L"} + getRequests()));
    expectAddressing(received, window->localPort(), {});
    QList<int> pauses{100, 10 + 50};
    pauses.append(QList<int>(20, 50));
    expectPauses(received, pauses);
}

TEST_F(DeviceSimTest, ReadOutStoresALateReplyUnderItsOwnTagAndReportsAShortOne) {
    startDevices({QString::fromLatin1(kLocalDevice) + ",late=5,short=7"});
    // From the held reply on, every read takes the reply before: the one-byte
    // reply to "GRM|7" is met in the round of "GCM|8", and the reply to
    // "GNM|21" is still waiting when the 22 rounds end, so both are asked
    // again. Each try of "GRM|7" gets a one-byte reply; the last one is left
    // waiting.
    session.parameters.workMode = QStringLiteral("held before");
    session.parameters.netmask = QStringLiteral("held before");
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters.port, QStringLiteral("4001"));  // arrived with the reply to GTP|6
    EXPECT_EQ(session.parameters.gatewayIp, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(session.parameters.workMode, QString()) << "never the value held before";
    EXPECT_EQ(session.parameters.netmask, QStringLiteral("0.0.0.0"));
    EXPECT_EQ(result.retriedTags, (QList<int>{7, 21}));
    EXPECT_EQ(result.missingTags, QList<int>{7});
    EXPECT_EQ(result.shortReplies, 3);
    EXPECT_EQ(shortReplyNotices, 3);
    EXPECT_EQ(payloads(receivedSince(0, 27).mid(23)), (QStringList{"GRM|7", "GNM|21", "GRM|7", "GRM|7"}));
}

TEST_F(DeviceSimTest, ReadOutWithoutTheMacReplyFailsAfterAllRoundsAndItsRetries) {
    startDevices({QString::fromLatin1(kLocalDevice) + ",drop=3"});
    session.parameters.macAddress = QStringLiteral("AABBCCDDEEFF");  // of a device read before
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::NotConnected);
    EXPECT_TRUE(session.parameters.macAddress.isEmpty());
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("7"));
    EXPECT_EQ(result.retriedTags, QList<int>{3});
    const QList<LogRecord> received = receivedSince(0, 23 + kRetryRounds);
    ASSERT_EQ(received.size(), 23 + kRetryRounds);
    EXPECT_EQ(received.last().payload, "GFE|3");
    EXPECT_EQ(received.last().to, QStringLiteral("127.0.0.5"));
}

// A reply lost on the way is asked for again, after the 22 rounds and in
// tag order, with the same 50 ms before its read; by broadcast as well.
TEST_F(DeviceSimTest, LostRepliesAreAskedForAgainInTagOrder) {
    startDevices(
        {QString::fromLatin1(kLocalDevice) + ",lose=12:1+4:1", QString::fromLatin1(kRemoteDevice) + ",lose=18:1"});
    ReadOutResult result = readRow(localRow);
    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(result.retriedTags, (QList<int>{4, 12}));
    EXPECT_TRUE(result.missingTags.isEmpty());
    EXPECT_EQ(session.parameters.ipAddress, QStringLiteral("127.0.0.5"));
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("7"));
    QList<LogRecord> received = receivedSince(0, 25);
    EXPECT_EQ(payloads(received.mid(23)), (QStringList{"GIP|4", "GBR|12"}));
    expectAddressing(received.mid(1), window->localPort(), QStringLiteral("127.0.0.5"));
    QList<int> pauses{100};
    pauses.append(QList<int>(23, 50));
    expectPauses(received, pauses);

    const qsizetype mark = simulator->mark();
    result = readRow(remoteRow);
    EXPECT_EQ(result.retriedTags, QList<int>{18});
    EXPECT_EQ(session.parameters.destinationIp, QStringLiteral("127.0.0.2"));
    received = receivedSince(mark, 24);
    EXPECT_EQ(received.last().payload, "GDI|18");
    EXPECT_TRUE(received.last().isBroadcast());
}

// The probe "X" is sent again when its answer is lost; an answer that comes
// late, after its read-out gave up, is never taken for the next device.
TEST_F(DeviceSimTest, ProbesAreRepeatedAndTakeOnlyTheProbedAddressesAnswer) {
    startDevices(
        {QString::fromLatin1(kLocalDevice) + ",lose=X:1", "addr=127.0.0.6,delay=X:350", "addr=127.0.0.7,drop=X"});
    EXPECT_EQ(readRow(localRow).outcome, ReadOutOutcome::Read);
    EXPECT_EQ(payloads(receivedSince(0, 3).mid(0, 3)), (QStringList{"X", "X", "L"}));

    const DeviceEntry slow{true, QStringLiteral("127000000006"), {}, QStringLiteral("127.0.0.6"), {}};
    const DeviceEntry silent{true, QStringLiteral("127000000007"), {}, QStringLiteral("127.0.0.7"), {}};
    const qsizetype mark = simulator->mark();
    EXPECT_EQ(readRow(slow).outcome, ReadOutOutcome::NotConnected) << "three probes unanswered in time";
    const ReadOutResult result = readRow(silent);
    EXPECT_EQ(result.outcome, ReadOutOutcome::NotConnected) << "the late answers of .6 are not .7's";
    EXPECT_EQ(result.route.form, DeviceRoute::Form::None);
    EXPECT_EQ(payloads(receivedSince(mark, 6)), QStringList(6, "X"));
}

ParameterEdits valuesFor(const DeviceParameters& read, const QString& newAddress) {
    ParameterEdits values;
    values.userName = QStringLiteral("new");
    values.deviceName = read.deviceName;
    values.port = read.port;
    values.ipAddressField = newAddress;
    values.destinationIp = read.destinationIp;
    values.destinationPort = read.destinationPort;
    values.gatewayIp = read.gatewayIp;
    values.netmask = read.netmask;
    values.protocol = read.protocol;
    values.workMode = read.workMode;
    values.rtsCts = read.rtsCts;
    values.dtr = read.dtr;
    values.baudRate = QStringLiteral("11");
    values.parity = read.parity;
    values.dataBits = read.dataBits;
    return values;
}

TEST_F(DeviceSimTest, WriteOnTheLocalNetworkMovesTheDeviceToItsNewAddress) {
    startDevices({kLocalDevice});
    DeviceListModel list;
    DeviceDiscovery discovery(environment, list, session);
    discovery.beginSearch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.rowCount() == 1; }, 3000));
    const ReadOutResult read = readRow(list.entry(0));
    ASSERT_EQ(read.outcome, ReadOutOutcome::Read);

    const qsizetype mark = simulator->mark();
    EXPECT_EQ(writeParameters(environment, read.route, session.parameters,
                              valuesFor(session.parameters, QStringLiteral("127.0.0.6"))),
              Delivery::Unicast);
    // kLocalDevice with the two edits of valuesFor().
    const DeviceParameters written =
        parametersWith({{"ON", "new"}, {"DN", "gate-1"}, {"PN", "4001"}, {"BR", "11"}}, factoryResetValues());
    const QList<LogRecord> received = receivedSince(mark, 22);
    EXPECT_EQ(payloads(received), writeSeries(written, {{"127.0.0.6", 37}}));
    expectAddressing(received, 6666, QStringLiteral("127.0.0.5"));
    expectPauses(received, setExchangePauses(false, 20));

    discovery.refreshList();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.rowCount() == 1; }, 3000));
    EXPECT_EQ(list.entry(0).deviceAddress, QStringLiteral("127.0.0.6"));
    EXPECT_EQ(list.entry(0).userAndDeviceName, QStringLiteral("new/gate-1"));
}

TEST_F(DeviceSimTest, WriteToAnotherNetworkIsBroadcastWithTag33) {
    startDevices({kLocalDevice, kRemoteDevice});
    const ReadOutResult read = readRow(remoteRow);
    ASSERT_EQ(read.outcome, ReadOutOutcome::Read);

    const qsizetype mark = simulator->mark();
    EXPECT_EQ(writeParameters(environment, read.route, session.parameters,
                              valuesFor(session.parameters, QStringLiteral("127.0.9.6"))),
              Delivery::Broadcast);
    // kRemoteDevice with the two edits of valuesFor().
    const DeviceParameters written =
        parametersWith({{"ON", "new"}, {"DN", "gate-9"}, {"BR", "11"}}, factoryResetValues());
    const QList<LogRecord> received = receivedSince(mark, 23);
    EXPECT_EQ(payloads(received), QStringList{"W009988776655"} + writeSeries(written, {{"127.0.9.6", 33}}));
    expectAddressing(received, 6666, {});
    expectPauses(received, setExchangePauses(true, 20));
}

TEST_F(DeviceSimTest, FactoryDefaultsInBothForms) {
    startDevices({kLocalDevice, kRemoteDevice});
    qsizetype mark = simulator->mark();
    EXPECT_EQ(restoreFactoryDefaults(environment, DeviceRoute::unicast(QStringLiteral("127.0.0.5"))),
              Delivery::Unicast);
    QList<LogRecord> received = receivedSince(mark, 21);
    EXPECT_EQ(payloads(received), writeSeries(factoryResetValues(), {}));
    expectAddressing(received, 5555, QStringLiteral("127.0.0.5"));
    expectPauses(received, setExchangePauses(false, 19));

    mark = simulator->mark();
    EXPECT_EQ(restoreFactoryDefaults(environment, DeviceRoute::byMacName(QStringLiteral("009988776655"))),
              Delivery::Broadcast);
    received = receivedSince(mark, 23);
    EXPECT_EQ(payloads(received),
              QStringList{"W009988776655"} + writeSeries(factoryResetValues(), {{"192.168.1.24", 33}}));
    expectAddressing(received, 5555, {});
    expectPauses(received, setExchangePauses(true, 20));
}

}  // namespace
}  // namespace serverconf
