// One simulated device as a state machine: replies, naming by MAC, staging
// and applying values, and each fault option.

#include "simulated_device.h"
#include "device_option.h"

#include <gtest/gtest.h>

namespace devicesim {
namespace {

SimulatedDevice device(const QString& option) {
    QString error;
    const std::optional<DeviceConfig> config = parseDeviceOption(option, error);
    EXPECT_TRUE(config) << error.toStdString();
    return SimulatedDevice(config.value_or(DeviceConfig{}));
}

QList<QByteArray> replies(SimulatedDevice& d, const QByteArray& request, bool broadcast = false) {
    QList<QByteArray> texts;
    for (const OutgoingReply& reply : d.handle(parseDeviceRequest(request), broadcast).replies) texts << reply.text;
    return texts;
}

TEST(SimulatedDevice, AnswersSearchAndGetRequests) {
    SimulatedDevice d = device("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,BR=7");
    EXPECT_EQ(replies(d, "X", true), QList<QByteArray>{"A001122334455/V1.0.0*0000000ops/gate-1"});
    EXPECT_EQ(replies(d, "GFE|3"), QList<QByteArray>{"001122334455|3"});
    EXPECT_EQ(replies(d, "GBR|12"), QList<QByteArray>{"7|12"});
    EXPECT_TRUE(replies(d, "L").isEmpty());
    EXPECT_TRUE(replies(d, "GPN|6").isEmpty()) << "a wrong tag is not answered";
}

TEST(SimulatedDevice, BroadcastExchangesConcernOnlyTheDeviceNamedByItsMac) {
    SimulatedDevice d = device("addr=127.0.1.9,mac=009900000009");
    EXPECT_TRUE(replies(d, "GPN|5", true).isEmpty()) << "not named yet";
    replies(d, "W001122334455", true);
    EXPECT_TRUE(replies(d, "GPN|5", true).isEmpty()) << "another device was named";
    replies(d, "W009900000009", true);
    EXPECT_EQ(replies(d, "GPN|5", true), QList<QByteArray>{"1001|5"});
    replies(d, "E", true);
    EXPECT_TRUE(replies(d, "GPN|5", true).isEmpty()) << "E ends the naming";
}

TEST(SimulatedDevice, ARoutedDeviceHearsNoBroadcastButAnswersUnicast) {
    SimulatedDevice d = device("addr=127.0.1.9,mac=009900000009,routed");
    const struct {
        const char* request;
        bool broadcast;
        QList<QByteArray> answer;
    } cases[] = {
        {"X", true, {}},
        {"W009900000009", true, {}},
        {"GPN|5", true, {}},  // not named: the W never arrived
        {"X", false, {"A009900000009/V1.0.0*0000000/"}},
        {"GPN|5", false, {"1001|5"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replies(d, c.request, c.broadcast), c.answer) << c.request << (c.broadcast ? " by broadcast" : "");
    }
}

TEST(SimulatedDevice, SetRequestsTakeEffectAtTheEnd) {
    SimulatedDevice d = device("addr=127.0.0.5");
    replies(d, "L");
    replies(d, "SPN4001|21");
    replies(d, "SON|18");
    EXPECT_EQ(replies(d, "GPN|5"), QList<QByteArray>{"1001|5"}) << "staged only";
    replies(d, "E");
    EXPECT_EQ(replies(d, "GPN|5"), QList<QByteArray>{"4001|5"});
    EXPECT_EQ(replies(d, "GON|1"), QList<QByteArray>{"|1"});

    replies(d, "SPN5001|21");
    replies(d, "L");
    replies(d, "E");
    EXPECT_EQ(replies(d, "GPN|5"), QList<QByteArray>{"4001|5"}) << "L drops what was staged before it";
}

TEST(SimulatedDevice, ANewLoopbackAddressTakesEffectOtherAddressesOnlyAsTheValue) {
    SimulatedDevice d = device("addr=127.0.0.5");
    replies(d, "SIP127.0.0.50|34");
    EXPECT_EQ(d.handle(parseDeviceRequest("E|35"), false).newAddress, QString("127.0.0.50"));

    SimulatedDevice other = device("addr=127.0.0.6");
    replies(other, "SIP192.168.1.24|33");
    const Outcome outcome = other.handle(parseDeviceRequest("E"), false);
    EXPECT_FALSE(outcome.newAddress);
    EXPECT_EQ(other.values().value("IP"), "192.168.1.24");
    EXPECT_EQ(other.address(), "127.0.0.6");
}

TEST(SimulatedDevice, FaultsShapeTheReplies) {
    SimulatedDevice d = device("addr=127.0.0.5,drop=3,dup=4,oversize=5,short=6,delay=7:120,noprobe");
    EXPECT_TRUE(replies(d, "GFE|3").isEmpty());
    EXPECT_EQ(replies(d, "GIP|4").size(), 2);
    EXPECT_EQ(replies(d, "GPN|5").value(0).size(), kOversizeReplyBytes);
    EXPECT_EQ(replies(d, "GTP|6"), QList<QByteArray>{"0"});
    const Outcome delayed = d.handle(parseDeviceRequest("GRM|7"), false);
    ASSERT_EQ(delayed.replies.size(), 1);
    EXPECT_EQ(delayed.replies[0].delayMs, 120);
    EXPECT_TRUE(replies(d, "X").isEmpty()) << "the probe is not answered";
    EXPECT_EQ(replies(d, "X", true).size(), 1) << "the search still is";

    SimulatedDevice other = device("addr=127.0.0.5,mac=001122334455,searchmac=009900000009");
    EXPECT_EQ(replies(other, "X", true), QList<QByteArray>{"A009900000009/V1.0.0*0000000/"});
    EXPECT_EQ(replies(other, "GFE|3"), QList<QByteArray>{"001122334455|3"}) << "its own MAC in the read-out";
}

TEST(SimulatedDevice, ALateReplyComesWithTheNextAnswerOnce) {
    SimulatedDevice d = device("addr=127.0.0.5,late=5");
    EXPECT_TRUE(replies(d, "GPN|5").isEmpty());
    EXPECT_EQ(replies(d, "GTP|6"), QList<QByteArray>({"1001|5", "0|6"}));
    EXPECT_EQ(replies(d, "GPN|5"), QList<QByteArray>{"1001|5"}) << "only once";
}

TEST(SimulatedDevice, ALostReplyComesBackAfterItsCountAndOthersAreNotLost) {
    SimulatedDevice d = device("addr=127.0.0.5,lose=4:2+X:1");
    EXPECT_TRUE(replies(d, "GIP|4").isEmpty());
    EXPECT_TRUE(replies(d, "GIP|4").isEmpty());
    EXPECT_EQ(replies(d, "GIP|4"), QList<QByteArray>{"127.0.0.5|4"}) << "the third request is answered";
    EXPECT_EQ(replies(d, "GPN|5"), QList<QByteArray>{"1001|5"});
    EXPECT_TRUE(replies(d, "X").isEmpty());
    EXPECT_EQ(replies(d, "X").size(), 1);
}

// The pattern of lost answers to `requests` requests of "GPN|5": "x" lost, "." sent.
QString lossPattern(const QString& spec, int requests = 400) {
    SimulatedDevice d = device(spec);
    QString pattern;
    for (int i = 0; i < requests; ++i) pattern += replies(d, "GPN|5").isEmpty() ? u'x' : u'.';
    return pattern;
}

TEST(SimulatedDevice, RandomLossesKeepToTheirRateAndRepeatWithTheSeed) {
    const QString seven = lossPattern("addr=127.0.0.5,loss=5,seed=7");
    EXPECT_EQ(lossPattern("addr=127.0.0.5,loss=5,seed=7"), seven) << "the same seed loses the same replies";
    EXPECT_NE(lossPattern("addr=127.0.0.5,loss=5,seed=8"), seven);
    EXPECT_GE(seven.count(u'x'), 8) << "about 20 of 400";
    EXPECT_LE(seven.count(u'x'), 32) << "about 20 of 400";
    EXPECT_EQ(lossPattern("addr=127.0.0.5,seed=7").count(u'x'), 0) << "no loss unless asked for";
    EXPECT_EQ(lossPattern("addr=127.0.0.5,loss=100").count(u'.'), 0);
}

TEST(SimulatedDevice, IgnoredSetRequestsLeaveTheValueAsItWas) {
    const struct {
        const char* spec;
        QList<QByteArray> baudRateAfterEachWrite;
    } cases[] = {
        {"addr=127.0.0.5,ignore=BR:2", {"5|12", "5|12", "7|12", "7|12"}},
        {"addr=127.0.0.5,ignore=BR", {"5|12", "5|12", "5|12", "5|12"}},
        {"addr=127.0.0.5,ignore=PN:1+BR:1", {"5|12", "7|12", "7|12", "7|12"}},
        {"addr=127.0.0.5,ignore=PN", {"7|12", "7|12", "7|12", "7|12"}},
    };
    for (const auto& c : cases) {
        SimulatedDevice d = device(c.spec);
        QList<QByteArray> after;
        for (int write = 0; write < 4; ++write) {
            replies(d, "L");
            replies(d, "SBR7|25");
            replies(d, "E");
            after << replies(d, "GBR|12").value(0);
        }
        EXPECT_EQ(after, c.baudRateAfterEachWrite) << c.spec;
    }
}

TEST(SimulatedDevice, LostRequestsAreNotActedOnAndRepeatWithTheSeed) {
    const auto answered = [](const QString& spec) {
        SimulatedDevice d = device(spec);
        QString pattern;
        for (int i = 0; i < 400; ++i) pattern += replies(d, "GPN|5").isEmpty() ? u'x' : u'.';
        return pattern;
    };
    const QString seven = answered("addr=127.0.0.5,reqloss=5,seed=7");
    EXPECT_EQ(answered("addr=127.0.0.5,reqloss=5,seed=7"), seven) << "the same seed loses the same requests";
    EXPECT_GE(seven.count(u'x'), 8) << "about 20 of 400";
    EXPECT_LE(seven.count(u'x'), 32) << "about 20 of 400";
    EXPECT_NE(answered("addr=127.0.0.5,loss=5,seed=7"), seven) << "requests and replies are lost independently";
    EXPECT_EQ(answered("addr=127.0.0.5,reqloss=100").count(u'.'), 0);

    SimulatedDevice d = device("addr=127.0.0.5,reqloss=100");
    replies(d, "L");
    replies(d, "SPN4001|21");
    replies(d, "E");
    EXPECT_EQ(d.values().value("PN"), "1001") << "a lost set request changes nothing";
}

TEST(DeviceOption, RejectsWhatCannotBeSimulated) {
    QString error;
    for (const char* bad :
         {"", "mac=001122334455", "addr=192.168.1", "addr=127.0.0.256", "addr=127.0.0.5,drop=22",
          "addr=127.0.0.5,delay=3", "addr=127.0.0.5,late=3+4", "addr=127.0.0.5,colour=red", "addr=127.0.0.5,bogus",
          "addr=127.0.0.5,lose=4", "addr=127.0.0.5,lose=4:-1", "addr=127.0.0.5,loss=101", "addr=127.0.0.5,loss=x",
          "addr=127.0.0.5,seed=-1", "addr=127.0.0.5,reqloss=101", "addr=127.0.0.5,ignore=br",
          "addr=127.0.0.5,ignore=BR:x", "addr=127.0.0.5,ignore=BR:-2", "addr=127.0.0.5,ignore=BR:1:2"}) {
        error.clear();
        EXPECT_FALSE(parseDeviceOption(bad, error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
    EXPECT_EQ(parseDeviceOption("addr=127.0.3.4", error)->values.value("FE"), "127000003004");
    // Outside loopback only on a private segment, which devicesim checks
    // when it starts, not here.
    const std::optional<DeviceConfig> segmentDevice = parseDeviceOption("addr=192.168.1.24,bcast", error);
    ASSERT_TRUE(segmentDevice) << error.toStdString();
    EXPECT_TRUE(segmentDevice->answersByBroadcast);
    EXPECT_FALSE(parseDeviceOption("addr=127.0.0.5", error)->answersByBroadcast);
    EXPECT_EQ(deviceOptionLines("# devices\n\naddr=127.0.0.5\r\n  addr=127.0.0.6  \n"),
              QList<DeviceOptionLine>({{3, "addr=127.0.0.5"}, {4, "addr=127.0.0.6"}}))
        << "device options with the numbers of their lines, for the error messages";
}

}  // namespace
}  // namespace devicesim
