// The read-out, the write and the factory defaults against the recording
// fake network: exact datagrams, destinations, local ports and pauses, run
// instantly.

#include "fake_network.h"
#include "parameter_values.h"
#include "write_series.h"

#include "parameter_operations/device_reads.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/parameter_write.h"
#include "params/request_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace serverconf {
namespace {

using testing::FakeNetwork;
using testing::replyFrom;
using testing::SentDatagram;
using testing::writeSeries;

DeviceParameters sampleDevice() {
    DeviceParameters device = factoryParameters();
    device.userName = QStringLiteral("ops");
    device.deviceName = QStringLiteral("gate-1");
    device.macAddress = QStringLiteral("001122334455");
    device.ipAddress = QStringLiteral("192.168.1.30");
    return device;
}

// Answers the probe "X" from `address` and every get request at once with
// value|tag.
FakeNetwork::Responder deviceAnswering(const DeviceParameters& device, const QString& address) {
    return [=](const SentDatagram& sent) -> QList<Datagram> {
        if (sent.text == "X") return {replyFrom(address, "Areply")};
        if (!sent.text.startsWith('G')) return {};
        const int tag = sent.text.mid(sent.text.indexOf('|') + 1).toInt();
        return {replyFrom(address, parameterReply(*device.valueByGetTag(tag), tag))};
    };
}

// Each text as the timeline writes its send from `port` to `to`.
QStringList sendEntries(const QStringList& texts, quint16 port, const QString& to) {
    QStringList result;
    for (const QString& text : texts) result << QStringLiteral("send %1 %2 %3").arg(port).arg(to, text);
    return result;
}

class ReadOutTest : public ::testing::Test {
protected:
    ReadOutTest() {
        window->open(0);
        network.clearRecord();
    }
    ReadOutResult readRow(const DeviceEntry& row) {
        network.clearRecord();
        return readParameters(network, *window, &row, session);
    }

    FakeNetwork network;
    // The device manager window's channel, on the fake's first "any" port.
    std::unique_ptr<CommandChannel> window = network.createChannel();
    static constexpr quint16 kWindowPort = 40000;
    DeviceSession session;
    DeviceEntry localRow{
        1, QStringLiteral("001122334455"), QStringLiteral("ops/gate-1"), QStringLiteral("192.168.1.30"), {}};
    DeviceEntry remoteRow{
        0, QStringLiteral("001122334455"), QStringLiteral("ops/gate-1"), QStringLiteral("10.0.0.5"), {}};
};

TEST_F(ReadOutTest, LocalDeviceIsProbedUntilItsOwnAddressAnswersThenRead) {
    const FakeNetwork::Responder answer = deviceAnswering(sampleDevice(), QStringLiteral("192.168.1.30"));
    int probes = 0;
    network.respond = [&](const SentDatagram& sent) -> QList<Datagram> {
        // The first probe is lost and another device answers in its place.
        if (sent.text == "X" && ++probes == 1) return {replyFrom(QStringLiteral("192.168.1.31"), "Aother")};
        return answer(sent);
    };
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters, sampleDevice());
    EXPECT_EQ(result.route, DeviceRoute::unicast(QStringLiteral("192.168.1.30")));
    const QStringList expectedStart{
        "open 3001",
        "send 3001 192.168.1.30 X",
        "pause 100",
        "read 3001 Aother",
        "send 3001 192.168.1.30 X",
        "pause 100",
        "read 3001 Areply",
        "close 3001",
        "send 40000 192.168.1.30 L",
        "pause 50",
        "read 40000 nothing",
        "send 40000 192.168.1.30 GON|1",
        "pause 50",
        "read 40000 ops|1",
        "send 40000 192.168.1.30 GDN|2",
        "pause 50",
        "read 40000 gate-1|2",
    };
    EXPECT_EQ(network.timeline().mid(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(network.timeline().last(), QStringLiteral("read 40000 0.0.0.0|21"));
    EXPECT_EQ(network.entries("send").last(), QStringLiteral("send 40000 192.168.1.30 GNM|21"));
    EXPECT_EQ(network.sent().size(), 2 + 1 + 21);
    EXPECT_EQ(network.clockMs, 1300);  // two probes of 100 + 22 rounds of 50
}

TEST_F(ReadOutTest, AnotherDevicesValuesAreNeverShown) {
    const struct {
        const char* why;
        QString replySender;
        QString readMac;
        ReadOutOutcome outcome;
    } cases[] = {
        {"the row's device", "10.0.0.5", "001122334455", ReadOutOutcome::Read},
        {"lower-case digits of the row's MAC", "10.0.0.5", "00112233445a", ReadOutOutcome::WrongDevice},
        {"another MAC read", "10.0.0.5", "001122334466", ReadOutOutcome::WrongDevice},
        {"replies from another address", "10.0.0.6", "001122334455", ReadOutOutcome::NotConnected},
    };
    for (const auto& c : cases) {
        DeviceParameters device = sampleDevice();
        device.macAddress = c.readMac;
        network.respond = deviceAnswering(device, c.replySender);
        const ReadOutResult result = readRow(remoteRow);
        EXPECT_EQ(result.outcome, c.outcome) << c.why;
        if (c.outcome != ReadOutOutcome::Read) {
            EXPECT_EQ(session.parameters, DeviceParameters{}) << c.why;
            EXPECT_EQ(result.route.form, DeviceRoute::Form::None) << c.why;
        }
    }
}

TEST_F(ReadOutTest, RemoteDeviceIsNamedAndReadByBroadcast) {
    network.respond = deviceAnswering(sampleDevice(), QStringLiteral("10.0.0.5"));
    const ReadOutResult result = readRow(remoteRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters, sampleDevice());
    EXPECT_EQ(result.route, DeviceRoute::byMacName(QStringLiteral("001122334455")));
    const QStringList expectedStart{
        "broadcast-allowed 40000", "send 40000 * W001122334455", "pause 100", "send 40000 * L", "pause 10", "pause 50",
        "read 40000 nothing",      "send 40000 * GON|1",
    };
    EXPECT_EQ(network.timeline().mid(0, expectedStart.size()), expectedStart);
    for (const SentDatagram& sent : network.sent())
        EXPECT_EQ(testing::destinationText(sent.destination), QStringLiteral("*")) << sent.text.constData();
    EXPECT_EQ(network.clockMs, 1210);
}

// Answers like deviceAnswering, but every get request of `lost` tags goes
// unanswered its first `times` times.
FakeNetwork::Responder deviceLosing(const DeviceParameters& device, const QString& address, QList<int> lost,
                                    int times) {
    auto asked = std::make_shared<std::map<int, int>>();
    const FakeNetwork::Responder answer = deviceAnswering(device, address);
    return [=](const SentDatagram& sent) -> QList<Datagram> {
        const int tag = sent.text.startsWith('G') ? sent.text.mid(sent.text.indexOf('|') + 1).toInt() : 0;
        if (lost.contains(tag) && ++(*asked)[tag] <= times) return {};
        return answer(sent);
    };
}

// The device read before left all its values; this one loses replies.
TEST_F(ReadOutTest, StartsFromAnEmptySetAndAsksForLostValuesInUpToThreeMoreRounds) {
    struct Case {
        QList<int> lost;
        int times;
        ReadOutOutcome outcome;
    };
    const Case cases[] = {
        {{4}, 1, ReadOutOutcome::Read},     {{4}, 3, ReadOutOutcome::Read}, {{12, 2}, 2, ReadOutOutcome::Read},
        {{12, 2}, 4, ReadOutOutcome::Read}, {{3}, 3, ReadOutOutcome::Read}, {{3}, 4, ReadOutOutcome::NotConnected},
    };
    DeviceParameters other = sampleDevice();
    for (const ParameterDefinition& parameter : kParameters)
        other.*parameter.member = QStringLiteral("other %1").arg(QLatin1StringView(parameter.code));
    for (const Case& c : cases) {
        QStringList lostTags;
        for (int tag : c.lost) lostTags << QString::number(tag);
        const QString label = QStringLiteral("tags %1 lost %2 times").arg(lostTags.join(u'+')).arg(c.times);
        session.parameters = other;
        const int pausedBefore = network.clockMs;
        network.respond = deviceLosing(sampleDevice(), QStringLiteral("192.168.1.30"), c.lost, c.times);
        const ReadOutResult result = readRow(localRow);

        EXPECT_EQ(result.outcome, c.outcome) << label.toStdString();
        QList<int> retried = c.lost;
        std::sort(retried.begin(), retried.end());
        const int retryRounds = std::min(c.times, kRetryRounds);
        EXPECT_EQ(result.retriedTags, retried) << label.toStdString();
        EXPECT_EQ(result.missingTags, c.times <= kRetryRounds ? QList<int>{} : retried) << label.toStdString();
        DeviceParameters expected = sampleDevice();
        if (c.times > kRetryRounds) {
            for (int tag : c.lost) expected.valueByGetTag(tag)->clear();
        }
        EXPECT_EQ(session.parameters, expected) << label.toStdString() << ": nothing of the other device";
        // A round of request, 50 ms and read per lost tag, after "GNM|21".
        EXPECT_EQ(network.clockMs - pausedBefore, 1200 + 50 * static_cast<int>(c.lost.size()) * retryRounds)
            << label.toStdString();
        QStringList retries;
        for (int round = 0; round < retryRounds; ++round) {
            for (int tag : retried) retries << QString::fromLatin1(getRequest(tag));
        }
        EXPECT_EQ(network.entries("send").mid(23), sendEntries(retries, kWindowPort, QStringLiteral("192.168.1.30")))
            << label.toStdString();
    }
}

TEST_F(ReadOutTest, ABroadcastRetryRoundNamesTheDeviceAndOpensAgain) {
    network.respond = deviceLosing(sampleDevice(), QStringLiteral("10.0.0.5"), {12}, 2);
    const ReadOutResult result = readRow(remoteRow);
    EXPECT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(session.parameters.baudRate, "5");
    const QStringList reopenedRound{"send 40000 * W001122334455", "send 40000 * L", "send 40000 * GBR|12"};
    EXPECT_EQ(network.entries("send").mid(23), reopenedRound + reopenedRound);
}

// A reply under 2 bytes stores nothing: its value is asked for again.
TEST_F(ReadOutTest, AShortReplyCountsAsLost) {
    const FakeNetwork::Responder answer = deviceAnswering(sampleDevice(), QStringLiteral("10.0.0.5"));
    bool shortSent = false;
    network.respond = [&](const SentDatagram& sent) -> QList<Datagram> {
        if (sent.text == "GBR|12" && !shortSent) {
            shortSent = true;
            return {replyFrom(QStringLiteral("10.0.0.5"), "7")};
        }
        return answer(sent);
    };
    const ReadOutResult result = readRow(remoteRow);
    EXPECT_EQ(result.shortReplies, 1);
    EXPECT_EQ(result.retriedTags, QList<int>{12});
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("5"));
    EXPECT_EQ(network.entries("send").last(), QStringLiteral("send 40000 * GBR|12"));
}

TEST_F(ReadOutTest, NothingIsSentWithoutASelectedRow) {
    const ReadOutResult result = readParameters(network, *window, nullptr, session);
    EXPECT_EQ(result.outcome, ReadOutOutcome::NoDeviceSelected);
    EXPECT_TRUE(network.timeline().isEmpty());
}

TEST_F(ReadOutTest, UnansweredProbeEndsTheReadOutAndForgetsTheEarlierDevice) {
    session.parameters = sampleDevice();  // a device read before
    const ReadOutResult result = readRow(localRow);

    EXPECT_EQ(result.outcome, ReadOutOutcome::NotConnected);
    EXPECT_EQ(network.timeline().last(), QStringLiteral("close 3001"));
    EXPECT_EQ(network.entries("send"), QStringList(kProbeAttempts, "send 3001 192.168.1.30 X"));
    EXPECT_TRUE(session.parameters.macAddress.isEmpty());
    EXPECT_EQ(result.route.form, DeviceRoute::Form::None) << "nothing may be written after a failed read-out";
}

ParameterEdits typedEdits() {
    ParameterEdits values;
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

// The values a write of typedEdits() carries, with the fixture's advanced
// values CM=3 CT=9 RC=1 ML=128 MD=4.
DeviceParameters dialogWriteValues() {
    return testing::parametersWith({{"DN", "GAte"},
                                    {"TP", "1"},
                                    {"PN", "1002"},
                                    {"RM", "2"},
                                    {"FC", "0"},
                                    {"DT", "1"},
                                    {"BR", "11"},
                                    {"PR", "2"},
                                    {"BB", "0"},
                                    {"RC", "1"},
                                    {"CM", "3"},
                                    {"CT", "9"},
                                    {"ML", "128"},
                                    {"MD", "4"},
                                    {"DI", "192.168.1.5"},
                                    {"DP", "4001"},
                                    {"GI", "192.168.1.1"},
                                    {"NM", "255.255.255.0"}});
}

class WriteTest : public ::testing::Test {
protected:
    WriteTest() {
        session.parameters = sampleDevice();
        session.parameters.connectMode = QStringLiteral("3");
        session.parameters.connectTimeLimit = QStringLiteral("9");
        session.parameters.onTheFly = QStringLiteral("1");
        session.parameters.maxPacketCount = QStringLiteral("128");
        session.parameters.maxCharDelay = QStringLiteral("4");
    }

    FakeNetwork network;
    DeviceSession session;
    const DeviceRoute localRoute = DeviceRoute::unicast(QStringLiteral("192.168.1.30"));
    const DeviceRoute remoteRoute = DeviceRoute::byMacName(QStringLiteral("001122334455"));
};

TEST_F(WriteTest, LocalDeviceGetsEverySetRequestAtItsReportedAddressAndTheNewAddressLast) {
    EXPECT_EQ(writeParameters(network, localRoute, session.parameters, typedEdits()), Delivery::Unicast);

    EXPECT_EQ(network.entries("send"), sendEntries(writeSeries(dialogWriteValues(), {{"192.168.1.77", 37}}), 6666,
                                                   QStringLiteral("192.168.1.30")));
    const QStringList& timeline = network.timeline();
    EXPECT_EQ(timeline.first(), QStringLiteral("open 6666"));
    EXPECT_EQ(timeline.mid(1, 3),
              (QStringList{"send 6666 192.168.1.30 L", "pause 50", "send 6666 192.168.1.30 SON|18"}));
    EXPECT_EQ(timeline.mid(timeline.size() - 3), (QStringList{"send 6666 192.168.1.30 E", "pause 500", "close 6666"}));
    EXPECT_EQ(network.clockMs, 50 + 20 * 10 + 500);

    EXPECT_EQ(session.parameters.ipAddress, QStringLiteral("192.168.1.30"));  // only "SIP" carries the new one
    EXPECT_EQ(session.parameters.baudRate, QStringLiteral("11"));
    EXPECT_EQ(session.parameters.deviceName, QStringLiteral("GAte"));
}

TEST_F(WriteTest, RemoteDeviceIsNamedFirstAndItsAddressGoesWithTag33) {
    EXPECT_EQ(writeParameters(network, remoteRoute, session.parameters, typedEdits()), Delivery::Broadcast);

    EXPECT_EQ(network.entries("send"),
              sendEntries(QStringList{"W001122334455"} + writeSeries(dialogWriteValues(), {{"192.168.1.77", 33}}), 6666,
                          QStringLiteral("*")));
    EXPECT_EQ(network.timeline().mid(0, 4),
              (QStringList{"open 6666", "broadcast-allowed 6666", "send 6666 * W001122334455", "pause 100"}));
    EXPECT_EQ(network.clockMs, 100 + 50 + 20 * 10 + 500);
}

// The route, not the address or MAC the device reported, decides where
// the write and the factory defaults go.
TEST_F(WriteTest, TheRouteOfTheReadOutIsTakenWhateverTheDeviceReported) {
    session.parameters.ipAddress.clear();  // the reply to "GIP|4" was lost
    session.parameters.macAddress = QStringLiteral("0A0B0C0D0E0F");
    EXPECT_EQ(writeParameters(network, localRoute, session.parameters, typedEdits()), Delivery::Unicast);
    EXPECT_EQ(restoreFactoryDefaults(network, remoteRoute), Delivery::Broadcast);
    const QStringList sends = network.entries("send");
    ASSERT_EQ(sends.size(), 22 + 23);
    for (const QString& send : sends.mid(0, 22))
        EXPECT_TRUE(send.startsWith(QStringLiteral("send 6666 192.168.1.30 "))) << send.toStdString();
    EXPECT_EQ(sends.at(22), QStringLiteral("send 5555 * W001122334455"));
}

// "SIP" with such a text would leave the device without an address it can
// be reached at.
TEST_F(WriteTest, AnIpFieldThatIsNoDottedAddressIsRefusedBeforeAnythingIsSent) {
    const DeviceParameters before = session.parameters;
    for (const char* field :
         {"", "192.168.1", "192.168.1.", "192.168.1.256", "192.168.1.5 ", "a.b.c.d", "192.168.1.5.6"}) {
        ParameterEdits values = typedEdits();
        values.ipAddressField = QString::fromLatin1(field);
        EXPECT_EQ(writeParameters(network, localRoute, session.parameters, values), Delivery::Refused) << field;
        EXPECT_EQ(session.parameters, before) << field << ": the edits are not taken";
    }
    EXPECT_TRUE(network.timeline().isEmpty());
}

TEST_F(WriteTest, ValuesNotReadAreLeftOutAndTheRestKeepTheirOrderAndPacing) {
    const struct {
        QSet<int> leftOut;
        const char* ipField;
        Delivery delivery;
        QStringList missingSends;
    } cases[] = {
        {{16, 17}, "192.168.1.77", Delivery::Unicast, {"SML128|31", "SMD4|32"}},
        {{kIpGetTag}, "", Delivery::Unicast, {"SIP192.168.1.77|37"}},
        {{kIpGetTag, 1, 21}, "x", Delivery::Unicast, {"SON|18", "SNM255.255.255.0|36", "SIP192.168.1.77|37"}},
        {{}, "", Delivery::Refused, {}},
    };
    for (const auto& c : cases) {
        FakeNetwork fresh;
        DeviceParameters parameters = session.parameters;
        ParameterEdits values = typedEdits();
        values.ipAddressField = QString::fromLatin1(c.ipField);
        EXPECT_EQ(writeParameters(fresh, localRoute, parameters, values, c.leftOut), c.delivery) << c.ipField;
        if (c.delivery == Delivery::Refused) {
            EXPECT_TRUE(fresh.timeline().isEmpty());
            continue;
        }
        QStringList expected = writeSeries(dialogWriteValues(), {{"192.168.1.77", 37}});
        for (const QString& missing : c.missingSends) expected.removeOne(missing);
        EXPECT_EQ(fresh.entries("send"), sendEntries(expected, 6666, QStringLiteral("192.168.1.30"))) << c.ipField;
        EXPECT_EQ(fresh.clockMs, 50 + (20 - static_cast<int>(c.missingSends.size())) * 10 + 500) << c.ipField;
    }
}

TEST_F(WriteTest, NothingIsSentOnARouteThatCannotReachTheDevice) {
    for (const DeviceRoute& route : {DeviceRoute{}, DeviceRoute::byMacName(QString())}) {
        EXPECT_EQ(writeParameters(network, route, session.parameters, typedEdits()), Delivery::NotSent);
        EXPECT_EQ(restoreFactoryDefaults(network, route), Delivery::NotSent);
    }
    EXPECT_TRUE(network.timeline().isEmpty());
}

TEST_F(WriteTest, FactoryDefaultsOnTheLocalNetworkKeepTheDeviceAddress) {
    EXPECT_EQ(restoreFactoryDefaults(network, localRoute), Delivery::Unicast);

    EXPECT_EQ(network.entries("send"),
              sendEntries(writeSeries(testing::factoryResetValues(), {}), 5555, QStringLiteral("192.168.1.30")));
    EXPECT_EQ(network.timeline().first(), QStringLiteral("open 5555"));
    EXPECT_EQ(network.clockMs, 50 + 19 * 10 + 500);
}

TEST_F(WriteTest, FactoryDefaultsByBroadcastResetTheAddressWithTag33) {
    EXPECT_EQ(restoreFactoryDefaults(network, remoteRoute), Delivery::Broadcast);

    EXPECT_EQ(
        network.entries("send"),
        sendEntries(QStringList{"W001122334455"} + writeSeries(testing::factoryResetValues(), {{"192.168.1.24", 33}}),
                    5555, QStringLiteral("*")));
    EXPECT_EQ(network.clockMs, 100 + 50 + 20 * 10 + 500);
}

TEST_F(ReadOutTest, ADeviceHeardOnOneInterfaceIsReadWrittenAndResetByBroadcastThereOnly) {
    DeviceEntry heard = remoteRow;
    heard.interfaceName = QStringLiteral("eth1");
    network.respond = deviceAnswering(sampleDevice(), QStringLiteral("10.0.0.5"));
    const ReadOutResult result = readRow(heard);
    ASSERT_EQ(result.outcome, ReadOutOutcome::Read);
    EXPECT_EQ(result.route, DeviceRoute::byMacName(QStringLiteral("001122334455"), QStringLiteral("eth1")));
    ASSERT_EQ(writeParameters(network, result.route, session.parameters, typedEdits()), Delivery::Broadcast);
    ASSERT_EQ(restoreFactoryDefaults(network, result.route), Delivery::Broadcast);
    for (const SentDatagram& sent : network.sent())
        EXPECT_EQ(testing::destinationText(sent.destination), QStringLiteral("*@eth1")) << sent.text.constData();
    EXPECT_EQ(network.sent().size(), (2 + 21) + (2 + 20 + 1) + (2 + 20 + 1));
}

}  // namespace
}  // namespace serverconf
