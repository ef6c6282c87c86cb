// The write and the factory settings of the property dialog reach the device
// that was read, and only it, in the device manager window against simulated
// devices (devicesim's log): a device on another network read after a write
// to one on this network, and a read-out that lost one of its replies after
// the read-out of another device.

#include "channel/channel_ports.h"
#include "device_window_support.h"
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
using devicesim::payloads;
using testing::WindowOnDevices;
using testing::writeSeries;

// This computer is 127.0.0.1: 127.0.0.x shares its network, 127.0.9.x does not.
const QString gateAddress = QStringLiteral("127.0.0.5");
const QString doorAddress = QStringLiteral("127.0.0.6");
const QString farAddress = QStringLiteral("127.0.9.5");
const QString gateDevice = QStringLiteral("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,PN=4001,BR=7,PR=1");

// The write and the factory defaults take the route of the read-out, never
// the sender of the last search reply (after a list refresh: the local
// device): a device on another network, read by broadcast, cannot be
// reached at its reported address.
TEST(SettingsRoute, AfterALocalWriteADeviceOnAnotherNetworkIsWrittenAndResetOnlyByBroadcastWithItsMac) {
    WindowOnDevices flow({gateDevice, QStringLiteral("addr=127.0.9.5,mac=009988776655,user=far,name=gate-9")});
    flow.start();
    ASSERT_TRUE(flow.settings(gateAddress, [](PropertySettingsDialog& dialog) {
        dialog.field(Field::UserName)->setText(QStringLiteral("changed"));
        dialog.okButton()->click();
    }));
    flow.waitForRelisting();

    struct Action {
        const char* label;
        quint16 port;
        std::function<void(PropertySettingsDialog&)> press;
        QStringList series;  // after the MAC naming
    };
    const DeviceParameters far =
        testing::parametersWith({{"ON", "far"}, {"DN", "gate-9"}}, testing::factoryResetValues());
    const Action actions[] = {
        {"确   定", kParameterWritePort, [](PropertySettingsDialog& d) { d.okButton()->click(); },
         writeSeries(far, {{farAddress, 33}})},
        {"出厂设置", kFactoryDefaultsPort, [](PropertySettingsDialog& d) { d.factoryButton()->click(); },
         writeSeries(testing::factoryResetValues(), {{"192.168.1.24", 33}})},
    };
    for (const Action& action : actions) {
        const qsizetype mark = flow.simulator.mark();
        ASSERT_TRUE(flow.settings(farAddress, action.press)) << action.label;
        flow.waitForRelisting();
        // The set exchange; the read-back follows it from the same port.
        const QList<LogRecord> sent = flow.receivedFrom(action.port, mark, 23).mid(0, 23);
        ASSERT_EQ(sent.size(), 23) << action.label;
        EXPECT_EQ(payloads(sent), QStringList{"W009988776655"} + action.series)
            << action.label << ": named by its MAC first";
        for (const LogRecord& record : sent) {
            EXPECT_TRUE(record.isBroadcast())
                << action.label << ": " << record.payload.constData() << " went to " << record.to.toStdString();
        }
    }
    EXPECT_TRUE(flow.notices.notices().empty());
}

// "出厂设置" moves a device reached by broadcast to the factory address: the
// user is told which listed devices are there already, and the reset goes on.
TEST(SettingsRoute, FactorySettingsNameTheDevicesAlreadyAtTheFactoryAddressAndGoOn) {
    WindowOnDevices flow({gateDevice, QStringLiteral("addr=127.0.9.5,mac=009988776655,user=far,name=gate-9")});
    flow.start();
    // A boxed device heard earlier.
    flow.window.devices().place(DeviceEntry{false, "00112233440D", "", "192.168.1.24", {}});
    const qsizetype mark = flow.simulator.mark();
    ASSERT_TRUE(flow.settings(farAddress, [](PropertySettingsDialog& d) { d.factoryButton()->click(); }));
    flow.waitForRelisting();
    EXPECT_EQ(flow.notices.texts(),
              QStringList{QStringLiteral("出厂设置后设备IP为192.168.1.24, 此地址已被其他设备使用: 00112233440D")});
    const QList<LogRecord> sent = flow.receivedFrom(kFactoryDefaultsPort, mark, 23).mid(0, 23);
    ASSERT_EQ(sent.size(), 23) << "the reset went out";
    EXPECT_EQ(sent[21].payload, "SIP192.168.1.24|33");
}

// A reply lost once is asked for again; lost in all four tries, its field
// opens empty, marked not read, and OK leaves it as the device holds it.
// Either way nothing of the device read before (gate, whose values are all
// different) shows in door's dialog, and gate gets nothing.
TEST(SettingsRoute, ALostReplyIsAskedAgainAndNeverFilledFromTheDeviceReadBefore) {
    struct Case {
        const char* lose;
        QString request;     // the get request whose reply is lost
        bool filledByRetry;  // lost once: the retry brings it
    };
    const Case cases[] = {
        {"lose=4:1", QStringLiteral("GIP|4"), true},
        {"lose=4:4", QStringLiteral("GIP|4"), false},
        {"lose=12:1", QStringLiteral("GBR|12"), true},
        {"lose=12:4", QStringLiteral("GBR|12"), false},
    };
    const QString doorSpec = QStringLiteral("addr=127.0.0.6,mac=001122334466,user=lab,name=door-2,PN=5002,BR=3,PR=2,");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lose);
        WindowOnDevices flow({gateDevice, doorSpec + QString::fromLatin1(c.lose)});
        flow.start();
        // Gate's values stay in the parameter set after its write.
        ASSERT_TRUE(flow.settings(gateAddress, [](PropertySettingsDialog& dialog) { dialog.okButton()->click(); }));
        flow.waitForRelisting();

        const bool lostAddress = c.request == QStringLiteral("GIP|4");
        const qsizetype mark = flow.simulator.mark();
        QStringList shown;
        QString placeholder;
        const bool opened = flow.settings(doorAddress, [&](PropertySettingsDialog& dialog) {
            shown = QStringList{dialog.field(Field::UserName)->text(),   dialog.field(Field::DeviceName)->text(),
                                dialog.field(Field::MacAddress)->text(), dialog.field(Field::IpAddress)->text(),
                                dialog.field(Field::Port)->text(),       dialog.workingValue(List::BaudRate),
                                dialog.workingValue(List::Parity)};
            placeholder = lostAddress ? dialog.field(Field::IpAddress)->placeholderText()
                                      : dialog.list(List::BaudRate)->placeholderText();
            dialog.okButton()->click();
        });
        ASSERT_TRUE(opened) << "the property dialog opened";

        QStringList expected{"lab", "door-2", "001122334466", doorAddress, "5002", "3", "2"};
        if (!c.filledByRetry) expected[lostAddress ? 3 : 5].clear();
        EXPECT_EQ(shown.join(u'|').toStdString(), expected.join(u'|').toStdString())
            << "door's own values, the lost one empty";
        EXPECT_EQ(placeholder, c.filledByRetry ? QString() : QStringLiteral("未读到"));

        // The probe, "L" and 21 get requests, then the one asked again.
        ASSERT_TRUE(flow.simulator.waitForReceived(24, mark));
        EXPECT_EQ(payloads(flow.simulator.received(mark)).at(23), c.request) << "asked again after the 22 rounds";

        const QString leftOut = lostAddress ? QStringLiteral("IP地址") : QStringLiteral("波特率");
        EXPECT_EQ(flow.notices.texts(),
                  c.filledByRetry ? QStringList{} : QStringList{QStringLiteral("以下参数未读到，未写入: ") + leftOut});
        // As shown; a value not read is not written at all.
        DeviceParameters door = testing::parametersWith({{"ON", "lab"}, {"DN", "door-2"}, {"PN", "5002"}, {"PR", "2"}},
                                                        testing::factoryResetValues());
        door.baudRate = QStringLiteral("3");
        QStringList series =
            writeSeries(door, c.filledByRetry || !lostAddress ? std::optional<testing::SetAddress>({doorAddress, 37})
                                                              : std::nullopt);
        if (!c.filledByRetry && !lostAddress) series.removeAll(QStringLiteral("SBR3|25"));
        const QList<LogRecord> written =
            flow.receivedFrom(kParameterWritePort, mark, series.size()).mid(0, series.size());
        EXPECT_EQ(payloads(written), series);
        for (const LogRecord& record : written) EXPECT_EQ(record.to, doorAddress) << record.payload.constData();
        for (const LogRecord& record : flow.simulator.received(mark)) {
            EXPECT_NE(record.to, gateAddress) << "gate got " << record.payload.constData();
        }
    }
}

}  // namespace
}  // namespace serverconf
