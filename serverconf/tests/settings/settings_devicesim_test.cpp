// "设   置" on the device manager window against simulated device servers:
// what the read-out shows, when it gives up, and what OK, the factory
// settings and Cancel send (devicesim's log).

#include "app/device_manager_dialog.h"
#include "channel/udp_environment.h"
#include "devicesim_process.h"
#include "dialogs/notice.h"
#include "dialogs/parameter_choice_box.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/property_settings_dialog.h"
#include "window_test_support.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::DeviceSimProcess;
using devicesim::LogRecord;
using testing::ModalScript;
using testing::NoticeRecorder;
using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;

const QString gateAddress = QStringLiteral("127.0.0.5");
const QString muteAddress = QStringLiteral("127.0.0.6");
const QString stutterAddress = QStringLiteral("127.0.0.7");

QStringList payloads(const QList<LogRecord>& records) {
    QStringList texts;
    for (const LogRecord& record : records) texts << QString::fromLatin1(record.payload);
    return texts;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(simulator.start(error)) << error.toStdString();
        window.search();
        ASSERT_EQ(window.devices().rowCount(), 3);
    }

    void select(const QString& address) {
        const int row = window.devices().findByAddress(address);
        ASSERT_GE(row, 0) << address.toStdString();
        QItemSelectionModel* selection = window.deviceList()->selectionModel();
        selection->clearSelection();
        selection->select(window.deviceList()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // Log position once the read-out's last get request has been logged:
    // what is received from here on was sent by the dialog.
    qsizetype markAfterReadOut() {
        EXPECT_TRUE(simulator.waitFor([](const QList<LogRecord>& records) {
            return !records.isEmpty() && records.back().direction == u"out" && records.back().payload.endsWith("|21");
        }));
        return simulator.mark();
    }

    // Waits until the list refresh has listed every device again.
    void waitForRelisting(int rows = 3) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.devices().rowCount() == rows; }, 3000));
    }

    DeviceSimProcess simulator{
        {QStringLiteral("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,TP=1,RM=2,FC=0,DT=1,BR=11,PR=2,"
                        "BB=0,PN=4001,DI=127.0.0.9,DP=5001,GI=127.0.0.1,NM=255.0.0.0,CM=2,CT=30,ML=128,MD=3,RC=1"),
         QStringLiteral("addr=127.0.0.6,mac=001122334466,user=lab,name=door-2,drop=3"),
         QStringLiteral("addr=127.0.0.7,mac=001122334477,short=1")}};
    UdpEnvironment environment;
    DeviceSession session;
    DeviceManagerDialog window{environment, session};
};

TEST_F(SettingsTest, ReadOutOpensThePropertyDialogWithTheDevicesValues) {
    select(gateAddress);
    NoticeRecorder notices;
    ModalScript script;
    QStringList fields;
    QStringList lists;
    bool macEnabled = true;
    script.then<PropertySettingsDialog>([&](PropertySettingsDialog& dialog) {
        for (Field which : {Field::UserName, Field::DeviceName, Field::MacAddress, Field::IpAddress, Field::Port,
                            Field::DestinationIp, Field::DestinationPort, Field::GatewayIp, Field::Netmask}) {
            fields << dialog.field(which)->text();
        }
        for (List which : {List::Protocol, List::WorkMode, List::RtsCts, List::Dtr, List::BaudRate, List::Parity,
                           List::DataBits}) {
            lists << dialog.list(which)->currentText();
        }
        macEnabled = dialog.field(Field::MacAddress)->isEnabled();
        dialog.cancelButton()->click();
    });
    window.settingsButton()->click();

    EXPECT_TRUE(notices.notices().empty());
    EXPECT_TRUE(script.allStepsPlayed());
    EXPECT_EQ(fields, (QStringList{"ops", "gate-1", "001122334455", gateAddress, "4001", "127.0.0.9", "5001",
                                   "127.0.0.1", "255.0.0.0"}));
    EXPECT_EQ(lists, (QStringList{"TCP", QStringLiteral("客户端"), QStringLiteral("0- 禁用"), QStringLiteral("1- 使用"),
                                  "28800bps", "Odd", "7bits"}));
    EXPECT_FALSE(macEnabled);
}

TEST_F(SettingsTest, DeviceWithoutMacReplyGivesTheConnectionMessageAlsoAfterAWrite) {
    NoticeRecorder notices;
    ModalScript script;
    select(gateAddress);
    script.then<PropertySettingsDialog>([](PropertySettingsDialog& dialog) { dialog.okButton()->click(); });
    window.settingsButton()->click();
    waitForRelisting();
    ASSERT_TRUE(notices.notices().empty());
    ASSERT_EQ(session.parameters.macAddress, QStringLiteral("001122334455"));

    // The second device answers everything but "GFE|3".
    select(muteAddress);
    const QStringList openedBefore = script.opened();
    window.settingsButton()->click();
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(notices.notices()[0].text, QStringLiteral("请检查设备与pc连线状态!"));
    EXPECT_EQ(script.opened(), openedBefore);
    EXPECT_EQ(session.parameters.userName, QStringLiteral("lab"));
}

TEST_F(SettingsTest, ShortReplyIsReportedUnderTheProgramsNameAndTheReadOutGoesOn) {
    select(stutterAddress);
    NoticeRecorder notices;
    ModalScript script;
    QString mac;
    script.then<PropertySettingsDialog>([&](PropertySettingsDialog& dialog) {
        mac = dialog.field(Field::MacAddress)->text();
        dialog.cancelButton()->click();
    });
    window.settingsButton()->click();
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, programName());
    EXPECT_EQ(notices.notices()[0].text, QStringLiteral("sdfsdfsd"));
    EXPECT_EQ(mac, QStringLiteral("001122334477"));
}

TEST_F(SettingsTest, OkWithoutChangesWritesTheShownValuesThenWaitsAndRefreshesTheList) {
    select(gateAddress);
    ModalScript script;
    qsizetype mark = 0;
    script.then<PropertySettingsDialog>([&](PropertySettingsDialog& dialog) {
        mark = markAfterReadOut();
        dialog.okButton()->click();
    });
    QStringList sentBeforeUpdateWindow;
    script.then<ProgressDialog>([&](ProgressDialog& progress) {
        EXPECT_EQ(progress.text(), QStringLiteral("正在更新设备，请等待!"));
        sentBeforeUpdateWindow = payloads(simulator.received(mark));
    });
    window.settingsButton()->click();
    waitForRelisting();

    const QStringList expected{"L",          "SONops|18",    "SDNgate-1|19",     "STP1|20",     "SPN4001|21",
                               "SRM2|22",    "SFC0|23",      "SDT1|24",          "SBR11|25",    "SPR2|26",
                               "SBB0|27",    "SRC1|28",      "SCM2|29",          "SCT30|30",    "SML128|31",
                               "SMD3|32",    "SDI127.0.0.9|33", "SDP5001|34",    "SGI127.0.0.1|35", "SNM255.0.0.0|36",
                               "SIP127.0.0.5|37", "E"};
    EXPECT_EQ(sentBeforeUpdateWindow, expected);
    const QList<LogRecord> written = simulator.received(mark).mid(0, expected.size());
    for (const LogRecord& record : written) EXPECT_EQ(record.to, gateAddress) << record.payload.constData();
    // After the update window: the list refresh's search.
    const QList<LogRecord> after = simulator.received(mark).mid(expected.size());
    ASSERT_FALSE(after.isEmpty());
    EXPECT_EQ(after.front().payload, "X");
    EXPECT_TRUE(after.front().isBroadcast());
}

TEST_F(SettingsTest, EditedValuesAreWrittenToTheOldAddressAndTheNewAddressGoesLast) {
    select(gateAddress);
    ModalScript script;
    qsizetype mark = 0;
    script.then<PropertySettingsDialog>([&](PropertySettingsDialog& dialog) {
        mark = markAfterReadOut();
        dialog.field(Field::UserName)->setText(QStringLiteral("Amy"));
        dialog.field(Field::DestinationPort)->setText(QStringLiteral("6001"));
        dialog.field(Field::IpAddress)->setText(QStringLiteral("127.0.0.8"));
        dialog.okButton()->click();
    });
    window.settingsButton()->click();
    waitForRelisting();

    const QList<LogRecord> written = simulator.received(mark);
    const QStringList sent = payloads(written);
    const qsizetype end = sent.indexOf(QStringLiteral("E"));
    ASSERT_GE(end, 2);
    EXPECT_EQ(sent[end - 1], QStringLiteral("SIP127.0.0.8|37"));
    EXPECT_TRUE(sent.contains(QStringLiteral("SONAmy|18")));
    EXPECT_TRUE(sent.contains(QStringLiteral("SDP6001|34")));
    for (qsizetype index = 0; index <= end; ++index) EXPECT_EQ(written[index].to, gateAddress);
    // The device took the address and answers the refresh from it.
    EXPECT_GE(window.devices().findByAddress(QStringLiteral("127.0.0.8")), 0);
}

TEST_F(SettingsTest, FactorySettingsSendTheDefaultsAndKeepTheDevicesAddress) {
    select(gateAddress);
    ModalScript script;
    qsizetype mark = 0;
    DeviceParameters shown;
    script.then<PropertySettingsDialog>([&](PropertySettingsDialog& dialog) {
        mark = markAfterReadOut();
        dialog.field(Field::UserName)->setText(QStringLiteral("edited"));
        shown = session.parameters;
        dialog.factoryButton()->click();
    });
    window.settingsButton()->click();
    waitForRelisting();

    const QStringList sent = payloads(simulator.received(mark)).mid(0, 21);
    EXPECT_EQ(sent, (QStringList{"L", "SON|18", "SDN|19", "STP0|20", "SPN1001|21", "SRM0|22", "SFC1|23", "SDT0|24",
                                 "SBR5|25", "SPR0|26", "SBB1|27", "SRC0|28", "SCM1|29", "SCT5|30", "SML255|31",
                                 "SMD1|32", "SDI127.0.0.2|33", "SDP1001|34", "SGI127.0.0.1|35", "SNM0.0.0.0|36", "E"}));
    // Neither the parameter set nor the address changed; the device is listed where it was.
    EXPECT_EQ(session.parameters, shown);
    EXPECT_GE(window.devices().findByAddress(gateAddress), 0);
}

TEST_F(SettingsTest, CancelEmptiesTheParameterSetAndSendsNothing) {
    select(gateAddress);
    ModalScript script;
    qsizetype mark = 0;
    script.then<PropertySettingsDialog>([&](PropertySettingsDialog& dialog) {
        mark = markAfterReadOut();
        dialog.field(Field::UserName)->setText(QStringLiteral("edited"));
        dialog.cancelButton()->click();
    });
    window.settingsButton()->click();

    DeviceParameters expected;
    expected.ipAddress = gateAddress;
    EXPECT_EQ(session.parameters, expected);
    EXPECT_TRUE(session.currentDeviceAddress.isEmpty());
    // A confirmation sent now is the first datagram the device gets after the dialog opened.
    window.confirmButton()->click();
    ASSERT_TRUE(simulator.waitForReceived(1, mark));
    EXPECT_EQ(payloads(simulator.received(mark)), QStringList{"B"});
    EXPECT_EQ(window.devices().rowCount(), 3);
}

}  // namespace
}  // namespace serverconf
