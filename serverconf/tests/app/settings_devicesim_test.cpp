// "设   置" in the device manager window against simulated device servers:
// what the read-out shows, when it gives up, and what OK, the factory
// settings and Cancel send (devicesim's log).

#include "device_window_support.h"
#include "dialogs/progress_dialog.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_values.h"
#include "settings_dialogs/parameter_choice_box.h"
#include "write_series.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace serverconf {
namespace {

using devicesim::LogRecord;
using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;
using testing::writeSeries;

const QString gateAddress = QStringLiteral("127.0.0.5");

// The values of gate as the simulator below starts it: its options over a
// device's factory values.
DeviceParameters gateValues() {
    return testing::parametersWith({{"ON", "ops"},
                                    {"DN", "gate-1"},
                                    {"TP", "1"},
                                    {"RM", "2"},
                                    {"FC", "0"},
                                    {"DT", "1"},
                                    {"BR", "11"},
                                    {"PR", "2"},
                                    {"BB", "0"},
                                    {"PN", "4001"},
                                    {"DI", "127.0.0.9"},
                                    {"DP", "5001"},
                                    {"NM", "255.0.0.0"},
                                    {"CM", "2"},
                                    {"CT", "30"},
                                    {"ML", "128"},
                                    {"MD", "3"},
                                    {"RC", "1"}},
                                   testing::factoryResetValues());
}

class SettingsTest : public ::testing::Test, protected testing::WindowOnDevices {
protected:
    SettingsTest()
        : WindowOnDevices({QStringLiteral("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,TP=1,RM=2,FC=0,DT=1,"
                                          "BR=11,PR=2,BB=0,PN=4001,DI=127.0.0.9,DP=5001,NM=255.0.0.0,CM=2,CT=30,"
                                          "ML=128,MD=3,RC=1"),
                           QStringLiteral("addr=127.0.0.6,mac=001122334466,user=lab,drop=3"),
                           QStringLiteral("addr=127.0.0.7,mac=001122334477,short=1")}) {}
    void SetUp() override { start(); }

    // Runs Settings on the device at `address`; `step` acts in the property
    // dialog once it shows, with the log position after the read-out set.
    void runSettings(const QString& address, const std::function<void(PropertySettingsDialog&)>& step) {
        settings(address, [this, step](PropertySettingsDialog& dialog) {
            // The 22 rounds end with the answer to "GNM|21" (a retry round
            // may follow, for a device that lost a reply).
            EXPECT_TRUE(simulator.waitFor([](const QList<LogRecord>& records) {
                return std::any_of(records.begin(), records.end(), [](const LogRecord& record) {
                    return record.direction == u"out" && record.payload.endsWith("|21");
                });
            }));
            mark = simulator.mark();
            step(dialog);
        });
    }

    QStringList sentSinceMark() const { return devicesim::payloads(simulator.received(mark)); }

    qsizetype mark = 0;
};

TEST_F(SettingsTest, ReadOutOpensThePropertyDialogWithTheDevicesValues) {
    QStringList shown;
    runSettings(gateAddress, [&](PropertySettingsDialog& dialog) {
        for (Field which : {Field::UserName, Field::DeviceName, Field::MacAddress, Field::IpAddress, Field::Port,
                            Field::DestinationIp, Field::DestinationPort, Field::GatewayIp, Field::Netmask}) {
            shown << dialog.field(which)->text();
        }
        for (List which :
             {List::Protocol, List::WorkMode, List::RtsCts, List::Dtr, List::BaudRate, List::Parity, List::DataBits}) {
            shown << dialog.list(which)->currentText();
        }
        dialog.cancelButton()->click();
    });
    EXPECT_EQ(shown,
              (QStringList{"ops", "gate-1", "001122334455", gateAddress, "4001", "127.0.0.9", "5001", "127.0.0.1",
                           "255.0.0.0", "TCP", "客户端", "0- 禁用", "1- 使用", "28800bps", "Odd", "7bits"}));
    EXPECT_TRUE(notices.notices().empty());
}

TEST_F(SettingsTest, NoMacReplyGivesTheConnectionMessageAlsoRightAfterAWrite) {
    runSettings(gateAddress, [](PropertySettingsDialog& dialog) { dialog.okButton()->click(); });
    waitForRelisting();
    ASSERT_TRUE(notices.notices().empty());
    // 127.0.0.6 answers every get request but "GFE|3".
    const qsizetype dialogsBefore = script.opened().count(QStringLiteral("serverconf::PropertySettingsDialog"));
    runSettings(QStringLiteral("127.0.0.6"), [](PropertySettingsDialog&) {});
    EXPECT_EQ(script.opened().count(QStringLiteral("serverconf::PropertySettingsDialog")), dialogsBefore);
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(notices.notices()[0].text, QStringLiteral("请检查设备与pc连线状态!"));
}

TEST_F(SettingsTest, ShortReplyIsReportedUnderTheProgramsNameAndTheReadOutGoesOn) {
    QString mac;
    runSettings(QStringLiteral("127.0.0.7"), [&](PropertySettingsDialog& dialog) {
        mac = dialog.field(Field::MacAddress)->text();
        dialog.cancelButton()->click();
    });
    // The user name is asked for in three more rounds, and its reply is short each time.
    ASSERT_EQ(notices.notices().size(), 1u + kRetryRounds);
    for (const testing::RecordedNotice& notice : notices.notices()) {
        EXPECT_EQ(notice.title, QStringLiteral("serverconf"));
        EXPECT_EQ(notice.text, QStringLiteral("sdfsdfsd"));
    }
    EXPECT_EQ(mac, QStringLiteral("001122334477"));
}

TEST_F(SettingsTest, OkWithoutChangesWritesTheShownValuesThenWaitsAndRefreshesTheList) {
    QStringList sentBeforeUpdateWindow;
    runSettings(gateAddress, [&](PropertySettingsDialog& dialog) {
        script.then<ProgressDialog>([&](ProgressDialog&) { sentBeforeUpdateWindow = sentSinceMark(); });
        dialog.okButton()->click();
    });
    waitForRelisting();
    const QStringList written = writeSeries(gateValues(), {{gateAddress, 37}});
    EXPECT_EQ(sentBeforeUpdateWindow, written);
    const QList<LogRecord> received = simulator.received(mark);
    for (const LogRecord& record : received.mid(0, written.size())) EXPECT_EQ(record.to, gateAddress);
    // After the update window, the list refresh searches again.
    ASSERT_GT(received.size(), written.size());
    EXPECT_EQ(received[written.size()].payload, "X");
    EXPECT_TRUE(received[written.size()].isBroadcast());
}

TEST_F(SettingsTest, EditsGoToTheReportedAddressAndANewAddressIsSentLast) {
    runSettings(gateAddress, [](PropertySettingsDialog& dialog) {
        dialog.field(Field::UserName)->setText(QStringLiteral("Amy"));
        dialog.field(Field::IpAddress)->setText(QStringLiteral("127.0.0.8"));
        dialog.okButton()->click();
    });
    waitForRelisting();
    DeviceParameters written = gateValues();
    written.userName = QStringLiteral("Amy");
    const QStringList series = writeSeries(written, {{"127.0.0.8", 37}});
    EXPECT_EQ(sentSinceMark().mid(0, series.size()), series);
    for (const LogRecord& record : simulator.received(mark).mid(0, series.size())) EXPECT_EQ(record.to, gateAddress);
    // The device took the address and answers the refresh from it.
    EXPECT_GE(window.devices().findByAddress(QStringLiteral("127.0.0.8")), 0);
}

TEST_F(SettingsTest, FactorySettingsSendTheDefaultsAndChangeNeitherTheSetNorTheAddress) {
    DeviceParameters whenPressed;
    runSettings(gateAddress, [&](PropertySettingsDialog& dialog) {
        whenPressed = session.parameters;
        dialog.field(Field::UserName)->setText(QStringLiteral("edited"));
        dialog.factoryButton()->click();
    });
    waitForRelisting();
    const QStringList series = writeSeries(testing::factoryResetValues(), {});
    EXPECT_EQ(sentSinceMark().mid(0, series.size()), series);
    EXPECT_EQ(session.parameters, whenPressed);
    EXPECT_GE(window.devices().findByAddress(gateAddress), 0);
}

// Typed or loaded from a file, an address another listed device holds
// would put both at one address.
TEST_F(SettingsTest, OkOntoAnAddressAnotherListedDeviceHoldsIsRefusedAndTheDialogStaysOpen) {
    const struct {
        const char* how;
        std::function<void(PropertySettingsDialog&)> giveAddress;
    } cases[] = {
        {"typed", [](PropertySettingsDialog& d) { d.field(Field::IpAddress)->setText(QStringLiteral("127.0.0.6")); }},
        {"loaded",
         [](PropertySettingsDialog& d) {
             d.applyProfile(testing::parametersWith({{"IP", "127.0.0.6"}}), {kIpGetTag});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        const qsizetype noticesBefore = notices.texts().size();
        bool openAfterRefusal = false;
        runSettings(gateAddress, [&](PropertySettingsDialog& dialog) {
            c.giveAddress(dialog);
            dialog.okButton()->click();
            openAfterRefusal = dialog.isVisible();
            dialog.cancelButton()->click();
        });
        EXPECT_TRUE(openAfterRefusal) << "the dialog stays open for a correction";
        EXPECT_EQ(notices.texts().mid(noticesBefore),
                  QStringList{QStringLiteral("此IP地址已被其他设备使用: 001122334466")});
        // Nothing went out before this confirmation.
        window.confirmButton()->click();
        ASSERT_TRUE(simulator.waitForReceived(1, mark));
        EXPECT_EQ(sentSinceMark(), QStringList{"B"});
    }
}

TEST_F(SettingsTest, CancelEmptiesTheParameterSetAndSendsNothing) {
    runSettings(gateAddress, [](PropertySettingsDialog& dialog) { dialog.cancelButton()->click(); });
    DeviceParameters expected;
    expected.ipAddress = gateAddress;
    EXPECT_EQ(session.parameters, expected);
    // A confirmation sent now is the first datagram the device gets after the dialog opened.
    window.confirmButton()->click();
    ASSERT_TRUE(simulator.waitForReceived(1, mark));
    EXPECT_EQ(sentSinceMark(), QStringList{"B"});
}

TEST_F(SettingsTest, TheReadOutLogsNothingWhenNoLoggingRulesAreSet) {
    if (testing::DebugMessageRecorder::rulesSetOutside()) GTEST_SKIP() << "logging rules are set from outside";
    const testing::DebugMessageRecorder debug;
    runSettings(gateAddress, [](PropertySettingsDialog& dialog) { dialog.cancelButton()->click(); });
    EXPECT_EQ(debug.messages(), "") << "every logging category is off by default";
}

}  // namespace
}  // namespace serverconf
