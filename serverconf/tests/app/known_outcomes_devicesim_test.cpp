// The window against simulated devices that lose or refuse what they are
// sent: every Settings and change of IP ends with a known outcome, told
// the user when it is not the one asked for.

#include "channel/channel_ports.h"
#include "device_window_support.h"
#include "dialogs/change_ip_dialog.h"
#include "dialogs/ip_address_edit.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::payloads;
using Field = PropertySettingsDialog::Field;
using testing::WindowOnDevices;

const QString gateAddress = QStringLiteral("127.0.0.5");
const QString gateDevice = QStringLiteral("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,");

TEST(KnownOutcomes, SettingsReadsBackWhatOkWroteAndNamesWhatDidNotTake) {
    const struct {
        const char* fault;
        const char* deviceName;  // typed before OK
        bool dialogOpens;
        QStringList notices;
        int deviceNameSends;  // "SDN<name>|19" from the write's port
    } cases[] = {
        {"searchmac=009900000077", "door", false, {QStringLiteral("设备MAC地址不符!")}, 0},
        {"ignore=DN:1", "door", true, {}, 2},
        {"ignore=DN", "door", true, {QStringLiteral("以下参数未设置成功: 设备名")}, 3},
        {"", "GAte", true, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        WindowOnDevices flow({gateDevice + QString::fromLatin1(c.fault)});
        flow.start();
        const qsizetype mark = flow.simulator.mark();
        const bool opened = flow.settings(gateAddress, [&](PropertySettingsDialog& dialog) {
            dialog.field(Field::DeviceName)->setText(QString::fromLatin1(c.deviceName));
            dialog.okButton()->click();
        });
        EXPECT_EQ(opened, c.dialogOpens);
        EXPECT_EQ(flow.notices.texts(), c.notices);
        const QString request = QStringLiteral("SDN%1|19").arg(QString::fromLatin1(c.deviceName));
        EXPECT_EQ(payloads(flow.receivedFrom(kParameterWritePort, mark, 0)).count(request), c.deviceNameSends);
    }
}

TEST(KnownOutcomes, AChangeOfIpTheDeviceDoesNotTakeIsToldTheUser) {
    for (const bool taken : {true, false}) {
        WindowOnDevices flow({gateDevice + (taken ? QString() : QStringLiteral("ignore=IP"))});
        flow.start();
        testing::selectRows(flow.window, {flow.window.devices().findByAddress(gateAddress)});
        flow.script.then<ChangeIpDialog>([](ChangeIpDialog& dialog) {
            dialog.addressField()->setText(QStringLiteral("127.0.0.60"));
            dialog.okButton()->click();
        });
        flow.window.changeIp();
        EXPECT_EQ(flow.notices.texts(), taken ? QStringList{} : QStringList{QStringLiteral("设备未在新IP地址出现!")})
            << (taken ? "taken" : "not taken");
    }
}

}  // namespace
}  // namespace serverconf
