// The read-out, the write and the factory defaults against a recording
// network: exact datagrams, destinations, local ports and pauses, run
// instantly.

#include "recording_network.h"

#include "params/parameter_read_out.h"
#include "params/parameter_write.h"
#include "params/request_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace serverconf {
namespace {

using testing::RecordingChannel;
using testing::RecordingNetwork;

DeviceParameters sampleDevice()
{
    DeviceParameters device = factoryParameters();
    device.userName = QStringLiteral("ops");
    device.deviceName = QStringLiteral("gate-1");
    device.macAddress = QStringLiteral("001122334455");
    device.ipAddress = QStringLiteral("192.168.1.30");
    return device;
}

// Answers the probe "X" from `address` and every get request at once with
// value|tag.
RecordingNetwork::Responder deviceAnswering(const DeviceParameters& device, const QString& address)
{
    return [=](RecordingChannel& from, const QByteArray& text, const Destination&) {
        if (text == "X") {
            from.deliver("Areply", address);
            return;
        }
        if (!text.startsWith('G'))
            return;
        const int tag = text.mid(text.indexOf('|') + 1).toInt();
        from.deliver(parameterReply(*device.valueByGetTag(tag), tag), address);
    };
}

class ReadOutTest : public ::testing::Test {
protected:
    ReadOutResult readRow(const DeviceEntry& row)
    {
        window.open(0);
        network.log.clear();
        return readParameters(network, window, &row, session);
    }

    RecordingNetwork network;
    RecordingChannel window{network, QStringLiteral("win")};
    DeviceSession session;
    DeviceEntry localRow{1, QStringLiteral("001122334455"), QStringLiteral("ops/gate-1"), QStringLiteral("192.168.1.30"), {}};
    DeviceEntry remoteRow{0, QStringLiteral("001122334455"), QStringLiteral("ops/gate-1"), QStringLiteral("10.0.0.5"), {}};
};

TEST_F(ReadOutTest, LocalDeviceIsProbedThenReadFromTheAddressThatAnswered)
{
    // The probe is answered from .31: every later request goes there.
    network.responder = deviceAnswering(sampleDevice(), QStringLiteral("192.168.1.31"));
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters, sampleDevice());
    EXPECT_EQ(result.route, DeviceRoute::unicast(QStringLiteral("192.168.1.31")));
    const QStringList expectedStart{
        "op1 open 3001", "op1 send X > 192.168.1.30", "pause 100", "op1 read Areply", "op1 close",
        "win send L > 192.168.1.31", "pause 50", "win read none",
        "win send GON|1 > 192.168.1.31", "pause 50", "win read ops|1",
        "win send GDN|2 > 192.168.1.31", "pause 50", "win read gate-1|2",
    };
    EXPECT_EQ(network.log.mid(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(network.log.last(), QStringLiteral("win read 0.0.0.0|21"));
    EXPECT_EQ(network.sends().last(), QStringLiteral("GNM|21 > 192.168.1.31"));
    EXPECT_EQ(network.sends().size(), 1 + 1 + 21);
    EXPECT_EQ(network.pausedMs(), 1200);  // 100 + 22 rounds of 50
}

TEST_F(ReadOutTest, RemoteDeviceIsNamedAndReadByBroadcast)
{
    network.responder = deviceAnswering(sampleDevice(), QStringLiteral("10.0.0.5"));
    const ReadOutResult result = readRow(remoteRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters, sampleDevice());
    EXPECT_EQ(result.route, DeviceRoute::byMacName(QStringLiteral("001122334455")));
    const QStringList expectedStart{
        "win allow broadcast", "win send W001122334455 > *", "pause 100", "win send L > *", "pause 10",
        "pause 50", "win read none", "win send GON|1 > *",
    };
    EXPECT_EQ(network.log.mid(0, expectedStart.size()), expectedStart);
    for (const QString& send : network.sends())
        EXPECT_TRUE(send.endsWith(QStringLiteral(" > *"))) << send.toStdString();
    EXPECT_EQ(network.pausedMs(), 1210);
}

// Answers like deviceAnswering, but every get request of `lost` tags goes
// unanswered its first `times` times.
RecordingNetwork::Responder deviceLosing(const DeviceParameters& device, const QString& address, QList<int> lost,
                                         int times)
{
    auto asked = std::make_shared<std::map<int, int>>();
    const RecordingNetwork::Responder answer = deviceAnswering(device, address);
    return [=](RecordingChannel& from, const QByteArray& text, const Destination& to) {
        const int tag = text.startsWith('G') ? text.mid(text.indexOf('|') + 1).toInt() : 0;
        if (lost.contains(tag) && ++(*asked)[tag] <= times)
            return;
        answer(from, text, to);
    };
}

// The device read before left all its values; this one loses replies.
TEST_F(ReadOutTest, StartsFromAnEmptySetAndAsksForEachLostValueOnceMore)
{
    struct Case {
        QList<int> lost;
        int times;
        ReadOutOutcome outcome;
    };
    const Case cases[] = {
        {{4}, 1, ReadOutOutcome::Read},
        {{4}, 2, ReadOutOutcome::Read},
        {{12, 2}, 1, ReadOutOutcome::Read},
        {{12, 2}, 2, ReadOutOutcome::Read},
        {{3}, 1, ReadOutOutcome::Read},
        {{3}, 2, ReadOutOutcome::NotConnected},
    };
    DeviceParameters other = sampleDevice();
    for (const ParameterDefinition& parameter : kParameters)
        other.*parameter.member = QStringLiteral("other %1").arg(QLatin1StringView(parameter.code));
    for (const Case& c : cases) {
        QStringList lostTags;
        for (int tag : c.lost)
            lostTags << QString::number(tag);
        const QString label = QStringLiteral("tags %1 lost %2 times").arg(lostTags.join(u'+')).arg(c.times);
        session.parameters = other;
        const int pausedBefore = network.pausedMs();
        network.responder = deviceLosing(sampleDevice(), QStringLiteral("192.168.1.30"), c.lost, c.times);
        const ReadOutResult result = readRow(localRow);

        EXPECT_EQ(result.outcome, c.outcome) << label.toStdString();
        QList<int> retried = c.lost;
        std::sort(retried.begin(), retried.end());
        EXPECT_EQ(result.retriedTags, retried) << label.toStdString();
        EXPECT_EQ(result.missingTags, c.times == 1 ? QList<int>{} : retried) << label.toStdString();
        DeviceParameters expected = sampleDevice();
        if (c.times > 1) {
            for (int tag : c.lost)
                expected.valueByGetTag(tag)->clear();
        }
        EXPECT_EQ(session.parameters, expected) << label.toStdString() << ": nothing of the other device";
        // One more round of request, 50 ms and read per lost tag, after "GNM|21".
        EXPECT_EQ(network.pausedMs() - pausedBefore, 1200 + 50 * static_cast<int>(c.lost.size()))
            << label.toStdString();
        QStringList retries;
        for (int tag : retried)
            retries << QString::fromLatin1(getRequest(tag)) + QStringLiteral(" > 192.168.1.30");
        EXPECT_EQ(network.sends().mid(23), retries) << label.toStdString();
    }
}

// A reply under 2 bytes stores nothing: its value is asked for again.
TEST_F(ReadOutTest, AShortReplyCountsAsLost)
{
    const RecordingNetwork::Responder answer = deviceAnswering(sampleDevice(), QStringLiteral("10.0.0.5"));
    bool shortSent = false;
    network.responder = [&](RecordingChannel& from, const QByteArray& text, const Destination& to) {
        if (text == "GBR|12" && !shortSent) {
            shortSent = true;
            from.deliver("7", QStringLiteral("10.0.0.5"));
            return;
        }
        answer(from, text, to);
    };
    const ReadOutResult result = readRow(remoteRow);
    EXPECT_EQ(result.shortReplies, 1);
    EXPECT_EQ(result.retriedTags, QList<int>{12});
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("5"));
    EXPECT_EQ(network.sends().last(), QStringLiteral("GBR|12 > *"));
}

TEST_F(ReadOutTest, NothingIsSentWithoutASelectedRow)
{
    const ReadOutResult result = readParameters(network, window, nullptr, session);
    EXPECT_EQ(result.outcome, ReadOutOutcome::NoDeviceSelected);
    EXPECT_TRUE(network.log.isEmpty());
}

TEST_F(ReadOutTest, UnansweredProbeEndsTheReadOutAndForgetsTheEarlierDevice)
{
    session.parameters = sampleDevice();  // a device read before
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::NotConnected);
    EXPECT_EQ(network.log.last(), QStringLiteral("op1 close"));
    EXPECT_EQ(network.sends(), QStringList{"X > 192.168.1.30"});
    EXPECT_TRUE(session.parameters.macAddress.isEmpty());
    EXPECT_EQ(result.route.form, DeviceRoute::Form::None) << "nothing may be written after a failed read-out";
}

PropertyDialogValues dialogValues()
{
    PropertyDialogValues values;
    values.userName = QString();  // empty: "SON|18"
    values.deviceName = QStringLiteral("GAte");
    values.port = QStringLiteral("1002");
    values.ipAddressField = QStringLiteral("192.168.1.77");
    values.destinationIp = QStringLiteral("192.168.1.5");
    values.destinationPort = QStringLiteral("4001");
    values.gatewayIp = QStringLiteral("192.168.1.1");
    values.netmask = QStringLiteral("255.255.255.0");
    values.protocol = QStringLiteral("1");
    values.workMode = QStringLiteral("2");
    values.rtsCts = QStringLiteral("0");
    values.dtr = QStringLiteral("1");
    values.baudRate = QStringLiteral("11");
    values.parity = QStringLiteral("2");
    values.dataBits = QStringLiteral("0");
    return values;
}

// The 19 set requests of dialogValues() with advanced values CM=3 CT=9
// RC=1 ML=128 MD=4, in the order they go out.
QStringList dialogSetRequests()
{
    return {"SON|18", "SDNGAte|19", "STP1|20", "SPN1002|21", "SRM2|22", "SFC0|23", "SDT1|24",
            "SBR11|25", "SPR2|26", "SBB0|27", "SRC1|28", "SCM3|29", "SCT9|30", "SML128|31",
            "SMD4|32", "SDI192.168.1.5|33", "SDP4001|34", "SGI192.168.1.1|35", "SNM255.255.255.0|36"};
}

QStringList addressed(const QStringList& texts, const QString& to)
{
    QStringList result;
    for (const QString& text : texts)
        result << text + QStringLiteral(" > ") + to;
    return result;
}

class WriteTest : public ::testing::Test {
protected:
    WriteTest()
    {
        session.parameters = sampleDevice();
        session.parameters.connectMode = QStringLiteral("3");
        session.parameters.connectTimeLimit = QStringLiteral("9");
        session.parameters.onTheFly = QStringLiteral("1");
        session.parameters.maxPacketCount = QStringLiteral("128");
        session.parameters.maxCharDelay = QStringLiteral("4");
    }

    RecordingNetwork network;
    DeviceSession session;
    const DeviceRoute localRoute = DeviceRoute::unicast(QStringLiteral("192.168.1.30"));
    const DeviceRoute remoteRoute = DeviceRoute::byMacName(QStringLiteral("001122334455"));
};

TEST_F(WriteTest, LocalDeviceGetsEverySetRequestAtItsReportedAddressAndTheNewAddressLast)
{
    EXPECT_EQ(writeParameters(network, localRoute, session.parameters, dialogValues()), Delivery::Unicast);

    const QString to = QStringLiteral("192.168.1.30");
    QStringList expected = addressed(QStringList{"L"} + dialogSetRequests() + QStringList{"SIP192.168.1.77|37", "E"}, to);
    EXPECT_EQ(network.sends(), expected);
    EXPECT_EQ(network.log.first(), QStringLiteral("op1 open 6666"));
    EXPECT_EQ(network.log.mid(1, 3), (QStringList{"op1 send L > 192.168.1.30", "pause 50", "op1 send SON|18 > 192.168.1.30"}));
    EXPECT_EQ(network.log.mid(network.log.size() - 3),
              (QStringList{"op1 send E > 192.168.1.30", "pause 500", "op1 close"}));
    EXPECT_EQ(network.pausedMs(), 50 + 20 * 10 + 500);

    EXPECT_EQ(session.parameters.ipAddress, QStringLiteral("192.168.1.30"));  // only "SIP" carries the new one
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("11"));
    EXPECT_EQ(session.parameters.deviceName, QStringLiteral("GAte"));
}

TEST_F(WriteTest, RemoteDeviceIsNamedFirstAndItsAddressGoesWithTag33)
{
    EXPECT_EQ(writeParameters(network, remoteRoute, session.parameters, dialogValues()), Delivery::Broadcast);

    const QStringList expected = addressed(QStringList{"W001122334455", "L"} + dialogSetRequests()
                                               + QStringList{"SIP192.168.1.77|33", "E"},
                                           QStringLiteral("*"));
    EXPECT_EQ(network.sends(), expected);
    EXPECT_EQ(network.log.mid(0, 4), (QStringList{"op1 open 6666", "op1 allow broadcast",
                                                  "op1 send W001122334455 > *", "pause 100"}));
    EXPECT_EQ(network.pausedMs(), 100 + 50 + 20 * 10 + 500);
}

// The route, not the address or MAC the device reported, decides where
// the write and the factory defaults go.
TEST_F(WriteTest, TheRouteOfTheReadOutIsTakenWhateverTheDeviceReported)
{
    session.parameters.ipAddress.clear();  // the reply to "GIP|4" was lost
    session.parameters.macAddress = QStringLiteral("0A0B0C0D0E0F");
    EXPECT_EQ(writeParameters(network, localRoute, session.parameters, dialogValues()), Delivery::Unicast);
    EXPECT_EQ(restoreFactoryDefaults(network, remoteRoute), Delivery::Broadcast);
    const QStringList sends = network.sends();
    ASSERT_EQ(sends.size(), 22 + 23);
    for (const QString& send : sends.mid(0, 22))
        EXPECT_TRUE(send.endsWith(QStringLiteral(" > 192.168.1.30"))) << send.toStdString();
    EXPECT_EQ(sends.at(22), QStringLiteral("W001122334455 > *"));
}

// "SIP" with such a text would leave the device without an address it can
// be reached at.
TEST_F(WriteTest, AnIpFieldThatIsNoDottedAddressIsRefusedBeforeAnythingIsSent)
{
    const DeviceParameters before = session.parameters;
    for (const char* field : {"", "192.168.1", "192.168.1.", "192.168.1.256", "192.168.1.5 ", "a.b.c.d",
                              "192.168.1.5.6"}) {
        PropertyDialogValues values = dialogValues();
        values.ipAddressField = QString::fromLatin1(field);
        EXPECT_EQ(writeParameters(network, localRoute, session.parameters, values), Delivery::Refused) << field;
        EXPECT_EQ(session.parameters, before) << field << ": the dialog's values are not taken";
    }
    EXPECT_TRUE(network.log.isEmpty());
}

TEST_F(WriteTest, NothingIsSentOnARouteThatCannotReachTheDevice)
{
    for (const DeviceRoute& route : {DeviceRoute{}, DeviceRoute::byMacName(QString())}) {
        EXPECT_EQ(writeParameters(network, route, session.parameters, dialogValues()), Delivery::NotSent);
        EXPECT_EQ(restoreFactoryDefaults(network, route), Delivery::NotSent);
    }
    EXPECT_TRUE(network.log.isEmpty());
}

QStringList factorySetRequests()
{
    return {"SON|18", "SDN|19", "STP0|20", "SPN1001|21", "SRM0|22", "SFC1|23", "SDT0|24",
            "SBR5|25", "SPR0|26", "SBB1|27", "SRC0|28", "SCM1|29", "SCT5|30", "SML255|31",
            "SMD1|32", "SDI127.0.0.2|33", "SDP1001|34", "SGI127.0.0.1|35", "SNM0.0.0.0|36"};
}

TEST_F(WriteTest, FactoryDefaultsOnTheLocalNetworkKeepTheDeviceAddress)
{
    EXPECT_EQ(restoreFactoryDefaults(network, localRoute), Delivery::Unicast);

    EXPECT_EQ(network.sends(),
              addressed(QStringList{"L"} + factorySetRequests() + QStringList{"E"}, QStringLiteral("192.168.1.30")));
    EXPECT_EQ(network.log.first(), QStringLiteral("op1 open 5555"));
    EXPECT_EQ(network.pausedMs(), 50 + 19 * 10 + 500);
}

TEST_F(WriteTest, FactoryDefaultsByBroadcastResetTheAddressWithTag33)
{
    EXPECT_EQ(restoreFactoryDefaults(network, remoteRoute), Delivery::Broadcast);

    EXPECT_EQ(network.sends(), addressed(QStringList{"W001122334455", "L"} + factorySetRequests()
                                             + QStringList{"SIP192.168.1.24|33", "E"},
                                         QStringLiteral("*")));
    EXPECT_EQ(network.pausedMs(), 100 + 50 + 20 * 10 + 500);
}

TEST_F(ReadOutTest, ADeviceHeardOnOneInterfaceIsReadWrittenAndResetByBroadcastThereOnly)
{
    DeviceEntry heard = remoteRow;
    heard.interfaceName = QStringLiteral("eth1");
    network.responder = deviceAnswering(sampleDevice(), QStringLiteral("10.0.0.5"));
    const ReadOutResult result = readRow(heard);
    ASSERT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(result.route, DeviceRoute::byMacName(QStringLiteral("001122334455"), QStringLiteral("eth1")));
    ASSERT_EQ(writeParameters(network, result.route, session.parameters, dialogValues()), Delivery::Broadcast);
    ASSERT_EQ(restoreFactoryDefaults(network, result.route), Delivery::Broadcast);
    for (const QString& send : network.sends())
        EXPECT_TRUE(send.endsWith(QStringLiteral(" > *@eth1"))) << send.toStdString();
    EXPECT_EQ(network.sends().size(), (2 + 21) + (2 + 20 + 1) + (2 + 20 + 1));
}

}  // namespace
}  // namespace serverconf
