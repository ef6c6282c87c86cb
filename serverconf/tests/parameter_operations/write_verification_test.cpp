// The read-back after a write: the comparison of a value sent with the value
// read back, and the rounds that send again what did not take, against a
// recording fake device that stages set requests and applies them at "E".

#include "fake_network.h"

#include "parameter_operations/parameter_write.h"
#include "parameter_operations/value_comparison.h"
#include "parameter_operations/write_verification.h"

#include <gtest/gtest.h>

#include <map>

namespace serverconf {
namespace {

using testing::FakeNetwork;
using testing::replyFrom;
using testing::SentDatagram;

TEST(ValueComparison, AValueHasTakenWhenItReadsBackTheSameAfterTheCapitalARule) {
    const struct {
        const char* code;
        const char* sent;
        const char* readBack;
        bool taken;
    } cases[] = {
        {"DN", "GAte", "Gte", true},
        {"DN", "gate", "gate", true},
        {"DN", "GAte", "GAte", true},
        {"DN", "007", "7", false},  // a name is a text
        {"DN", "gate", "", false},
        {"ON", "", "", true},
        {"PN", "1001", "1001", true},
        {"PN", "01001", "1001", true},
        {"PN", "1001", "1002", false},
        {"BR", "7", "", false},
        {"DI", "192.168.001.005", "192.168.1.5", true},
        {"IP", "192.168.1.5", "192.168.1.50", false},
        {"NM", "255.255.255.0", "255.255.255.0", true},
        {"DI", "192.168.1.5", "x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hasTaken(*parameterByCode(QString::fromLatin1(c.code)), c.sent, c.readBack), c.taken)
            << c.code << " sent " << c.sent << " read back " << c.readBack;
    }
}

TEST(ValueComparison, TwoMacTextsNameOneDeviceByTheirHexDigits) {
    const struct {
        const char* row;
        const char* read;
        bool same;
    } cases[] = {
        {"001122334455", "001122334455", true},
        {"0011223344bb", "0011223344BB", true},
        {"00-11-22-33-44-55", "001122334455", true},
        {"0011223344AA", "0011223344", true},
        {"00112233445a", "00112233445A", false},
        {"001122334455", "001122334466", false},
        {"", "", false},
        {"zz", "yy", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isSameMacAddress(c.row, c.read), c.same) << c.row << " / " << c.read;
}

// A device as the tool meets it: set requests staged, applied at "E",
// dropped at "L"; get requests answered with value|tag. The set requests of
// `ignored` codes are not taken, the first `ignoredTimes` times (-1: never).
struct FakeDevice {
    QString address = QStringLiteral("192.168.1.30");
    std::map<QString, QString> values;
    std::map<QString, QString> staged;
    QString ignored;
    int ignoredTimes = 0;
    int getRequests = 0;

    QList<Datagram> answer(const SentDatagram& sent) {
        const QString text = QString::fromLatin1(sent.text);
        const QString tag = text.section(u'|', 1);
        if (text == u"L") staged.clear();
        if (text == u"E") {
            for (const auto& [code, value] : staged) values[code] = value;
            staged.clear();
        }
        if (text.startsWith(u'S')) {
            const QString code = text.mid(1, 2);
            if (code == ignored && ignoredTimes != 0) {
                --ignoredTimes;
                return {};
            }
            staged[code] = text.mid(3).section(u'|', 0, 0);
        }
        if (text.startsWith(u'G')) {
            ++getRequests;
            // Capital A is lost on the way back, as in every reply.
            return {replyFrom(address, (withoutCapitalA(values[text.mid(1, 2)]) + u'|' + tag).toLatin1())};
        }
        return {};
    }
};

TEST(WriteVerification, ValuesThatDidNotTakeAreSentAgainUpToTwoRounds) {
    const struct {
        const char* why;
        const char* ignored;
        int ignoredTimes;
        QList<int> notTaken;
        int resendRounds;
        QStringList resent;
    } cases[] = {
        {"everything took", "", 0, {}, 0, {}},
        {"BR lost once", "BR", 1, {}, 1, {"L", "SBR11|25", "E"}},
        {"BR never taken", "BR", -1, {12}, 2, {"L", "SBR11|25", "E", "L", "SBR11|25", "E"}},
        {"SIP lost twice", "IP", 2, {}, 2, {"L", "SIP192.168.1.30|37", "E", "L", "SIP192.168.1.30|37", "E"}},
    };
    for (const auto& c : cases) {
        FakeNetwork network;
        FakeDevice device;
        device.ignored = QString::fromLatin1(c.ignored);
        device.ignoredTimes = c.ignoredTimes;
        network.respond = [&](const SentDatagram& sent) { return device.answer(sent); };
        const DeviceRoute route = DeviceRoute::unicast(device.address);
        DeviceParameters parameters = factoryParameters();
        parameters.deviceName = QStringLiteral("GAte");
        parameters.baudRate = QStringLiteral("11");
        ParameterEdits values;
        values.deviceName = parameters.deviceName;
        values.baudRate = parameters.baudRate;
        values.ipAddressField = device.address;
        ASSERT_EQ(writeParameters(network, route, parameters, values, {7, 10, 11, 13, 14}), Delivery::Unicast);
        network.clearRecord();

        const SentValues sent = sentByWrite(parameters, values.ipAddressField, {7, 10, 11, 13, 14}, route);
        const WriteVerification verification = verifySentValues(network, ReadBack{route, {device.address}, sent});
        EXPECT_EQ(verification.notTaken, c.notTaken) << c.why;
        EXPECT_EQ(verification.resendRounds, c.resendRounds) << c.why;
        QStringList setSends;
        for (const SentDatagram& datagram : network.sent()) {
            if (!datagram.text.startsWith('G') && !datagram.text.startsWith('X')) setSends << datagram.text;
        }
        // Each read-back opens with "L" as a read-out does.
        setSends.removeAll(QStringLiteral("L"));
        QStringList resent = c.resent;
        resent.removeAll(QStringLiteral("L"));
        EXPECT_EQ(setSends, resent) << c.why;
        EXPECT_EQ(network.entries("open"), QStringList{"open 6666"}) << c.why << ": on the operation's own port";
    }
}

TEST(WriteVerification, OnlyTheValuesSentAreReadBack) {
    FakeNetwork network;
    FakeDevice device;
    network.respond = [&](const SentDatagram& sent) { return device.answer(sent); };
    const DeviceRoute route = DeviceRoute::unicast(device.address);
    const QSet<int> leftOut{kIpGetTag, 16, 17};
    const SentValues sent = sentByWrite(factoryParameters(), QString(), leftOut, route);
    EXPECT_EQ(sent.getTags.size(), 17) << "19 set requests, ML and MD left out, no SIP";
    device.values = {{"ON", ""},          {"DN", ""},       {"TP", "0"}, {"PN", "1001"},      {"RM", "0"},
                     {"FC", "1"},         {"DT", "0"},      {"BR", "5"}, {"PR", "0"},         {"BB", "1"},
                     {"RC", "0"},         {"CM", "1"},      {"CT", "5"}, {"DI", "127.0.0.2"}, {"DP", "1001"},
                     {"GI", "127.0.0.1"}, {"NM", "0.0.0.0"}};
    EXPECT_TRUE(verifySentValues(network, ReadBack{route, {device.address}, sent}).verified());
    EXPECT_EQ(device.getRequests, 17);
}

TEST(WriteVerification, TheDeviceIsReadBackWhereItIsAfterTheChange) {
    FakeNetwork network;  // this computer: 192.168.1.24
    const DeviceRoute local = DeviceRoute::unicast(QStringLiteral("192.168.1.30"));
    const DeviceRoute remote = DeviceRoute::byMacName(QStringLiteral("001122334455"), QStringLiteral("eth1"));
    const struct {
        DeviceRoute before;
        QString newAddress;
        DeviceRoute after;
    } cases[] = {
        {local, "", local},
        {local, "192.168.1.30", local},
        {local, "192.168.1.50", DeviceRoute::unicast(QStringLiteral("192.168.1.50"))},
        {local, "10.0.0.9", DeviceRoute::byMacName(QStringLiteral("001122334455"))},
        {remote, "192.168.1.50", remote},
        // Found by a unicast probe beyond a router: it keeps its address and its route.
        {DeviceRoute::unicast(QStringLiteral("10.0.3.9")), "10.0.3.9",
         DeviceRoute::unicast(QStringLiteral("10.0.3.9"))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(routeAfterChange(network, c.before, QStringLiteral("001122334455"), c.newAddress), c.after)
            << c.newAddress.toStdString();
    }
}

}  // namespace
}  // namespace serverconf
