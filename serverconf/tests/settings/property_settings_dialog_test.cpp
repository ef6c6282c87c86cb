// The property settings dialog on its own: what it shows for a parameter
// set, the work-mode rule, the page switch, the field limits and Cancel.

#include "channel/fake_network.h"
#include "dialogs/parameter_choice_box.h"
#include "dialogs/property_settings_dialog.h"
#include "settings_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace serverconf {
namespace {

using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;
using Page = PropertySettingsDialog::Page;
using testing::pick;

constexpr std::array<Field, 4> clientFields{Field::DestinationIp, Field::DestinationPort, Field::GatewayIp,
                                            Field::Netmask};

DeviceParameters readParameters() {
    DeviceParameters parameters = factoryParameters();
    parameters.userName = QStringLiteral("ops");
    parameters.deviceName = QStringLiteral("gate-1");
    parameters.macAddress = QStringLiteral("001122334455");
    parameters.ipAddress = QStringLiteral("192.168.1.30");
    parameters.protocol = QStringLiteral("1");
    parameters.workMode = QStringLiteral("2");
    parameters.baudRate = QStringLiteral("11");
    parameters.parity = QStringLiteral("2");
    return parameters;
}

class PropertySettingsDialogTest : public ::testing::Test {
protected:
    PropertySettingsDialog& open() {
        dialog = std::make_unique<PropertySettingsDialog>(network, session);
        dialog->show();
        return *dialog;
    }

    // Enabled state of the five controls of the work-mode rule.
    std::vector<bool> clientControlsEnabled() const {
        std::vector<bool> states;
        for (Field which : clientFields) states.push_back(dialog->field(which)->isEnabled());
        states.push_back(dialog->networkAdvancedButton()->isEnabled());
        return states;
    }

    testing::FakeNetwork network;
    DeviceSession session{readParameters(), QStringLiteral("192.168.1.30")};
    std::unique_ptr<PropertySettingsDialog> dialog;
};

TEST_F(PropertySettingsDialogTest, OpensWithTheReadValuesOnTheNetworkPage) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("属性设置"));
    EXPECT_EQ(dialog->field(Field::UserName)->text(), QStringLiteral("ops"));
    EXPECT_EQ(dialog->field(Field::MacAddress)->text(), QStringLiteral("001122334455"));
    EXPECT_FALSE(dialog->field(Field::MacAddress)->isEnabled());
    EXPECT_EQ(dialog->field(Field::Port)->text(), QStringLiteral("1001"));
    EXPECT_EQ(dialog->field(Field::Netmask)->text(), QStringLiteral("0.0.0.0"));
    EXPECT_EQ(dialog->list(List::Protocol)->currentText(), QStringLiteral("TCP"));
    EXPECT_EQ(dialog->list(List::BaudRate)->currentText(), QStringLiteral("28800bps"));
    EXPECT_EQ(dialog->list(List::RtsCts)->currentText(), QStringLiteral("1- 使用"));
    EXPECT_EQ(dialog->tabs()->tabText(0), QStringLiteral("网络属性设置"));
    EXPECT_EQ(dialog->tabs()->tabText(1), QStringLiteral("串口属性设置"));
    EXPECT_EQ(dialog->tabs()->currentIndex(), 0);
    EXPECT_TRUE(dialog->field(Field::UserName)->isVisible());
    EXPECT_FALSE(dialog->list(List::BaudRate)->isVisible());
}

TEST_F(PropertySettingsDialogTest, ValuesOfNoEntrySelectNothingAndAreHandedOnUnchanged) {
    session.parameters.baudRate = QStringLiteral("12");
    session.parameters.dtr.clear();
    session.parameters.workMode = QStringLiteral("1");
    open();
    EXPECT_EQ(dialog->list(List::BaudRate)->currentIndex(), -1);
    EXPECT_EQ(dialog->list(List::Dtr)->currentIndex(), -1);
    EXPECT_EQ(dialog->list(List::WorkMode)->currentIndex(), -1);
    // Work mode "1" leaves the client's settings usable.
    EXPECT_EQ(clientControlsEnabled(), std::vector<bool>(5, true));
    const PropertyDialogValues values = dialog->values();
    EXPECT_EQ(values.baudRate, QStringLiteral("12"));
    EXPECT_EQ(values.dtr, QString());
    EXPECT_EQ(values.workMode, QStringLiteral("1"));
    EXPECT_EQ(values.reportedIpAddress, QStringLiteral("192.168.1.30"));
}

TEST_F(PropertySettingsDialogTest, WorkModeServerDisablesTheClientSettingsAndClientEnablesThem) {
    session.parameters.workMode = QStringLiteral("0");
    open();
    EXPECT_EQ(dialog->list(List::WorkMode)->currentText(), QStringLiteral("服务器"));
    EXPECT_EQ(clientControlsEnabled(), std::vector<bool>(5, false));
    pick(dialog->list(List::WorkMode), QStringLiteral("客户端"));
    EXPECT_EQ(dialog->workingValue(List::WorkMode), QStringLiteral("2"));
    EXPECT_EQ(clientControlsEnabled(), std::vector<bool>(5, true));
    pick(dialog->list(List::WorkMode), QStringLiteral("服务器"));
    EXPECT_EQ(dialog->workingValue(List::WorkMode), QStringLiteral("0"));
    EXPECT_EQ(clientControlsEnabled(), std::vector<bool>(5, false));
}

TEST_F(PropertySettingsDialogTest, ChosenEntriesBecomeTheWorkingValuesAndUntouchedListsKeepTheirs) {
    open();
    pick(dialog->list(List::BaudRate), QStringLiteral("115200bps"));
    EXPECT_EQ(dialog->workingValue(List::BaudRate), QStringLiteral("7"));
    pick(dialog->list(List::BaudRate), QStringLiteral("150bps"));
    EXPECT_EQ(dialog->workingValue(List::BaudRate), QStringLiteral("8"));
    pick(dialog->list(List::Parity), QStringLiteral("Odd"));
    pick(dialog->list(List::Dtr), QStringLiteral("1- 使用"));
    pick(dialog->list(List::Protocol), QStringLiteral("UDP"));
    const PropertyDialogValues values = dialog->values();
    EXPECT_EQ(values.parity, QStringLiteral("2"));
    EXPECT_EQ(values.dtr, QStringLiteral("1"));
    EXPECT_EQ(values.protocol, QStringLiteral("0"));
    EXPECT_EQ(values.rtsCts, QStringLiteral("1"));
    EXPECT_EQ(values.dataBits, QStringLiteral("1"));
}

TEST_F(PropertySettingsDialogTest, SwitchingPagesKeepsEveryValueAndEnabledState) {
    session.parameters.workMode = QStringLiteral("0");
    open();
    dialog->field(Field::UserName)->setText(QStringLiteral("typed"));
    const PropertyDialogValues before = dialog->values();
    const std::vector<bool> enabledBefore = clientControlsEnabled();

    dialog->tabs()->setCurrentIndex(1);
    EXPECT_FALSE(dialog->page(Page::Network)->isVisible());
    EXPECT_TRUE(dialog->list(List::BaudRate)->isVisible());
    EXPECT_TRUE(dialog->okButton()->isVisible());
    dialog->tabs()->setCurrentIndex(0);
    EXPECT_TRUE(dialog->field(Field::UserName)->isVisible());
    EXPECT_FALSE(dialog->page(Page::Serial)->isVisible());

    const PropertyDialogValues after = dialog->values();
    EXPECT_EQ(after.userName, before.userName);
    EXPECT_EQ(after.workMode, before.workMode);
    EXPECT_EQ(after.baudRate, before.baudRate);
    EXPECT_EQ(clientControlsEnabled(), enabledBefore);
}

TEST_F(PropertySettingsDialogTest, NameAndPortFieldsTakeAtMostTheirBytesOfCodePage936) {
    session.parameters.userName.clear();
    session.parameters.deviceName.clear();
    session.parameters.port.clear();
    open();
    QTest::keyClicks(dialog->field(Field::UserName), QStringLiteral("abcdefghi"));
    EXPECT_EQ(dialog->field(Field::UserName)->text(), QStringLiteral("abcdefgh"));
    testing::typeText(dialog->field(Field::DeviceName), QStringLiteral("设备名称号"));
    EXPECT_EQ(dialog->field(Field::DeviceName)->text(), QStringLiteral("设备名称"));
    QTest::keyClicks(dialog->field(Field::Port), QStringLiteral("123456"));
    EXPECT_EQ(dialog->field(Field::Port)->text(), QStringLiteral("12345"));
    // Other fields have no limit.
    QTest::keyClicks(dialog->field(Field::DestinationPort), QStringLiteral("1234567"));
    EXPECT_EQ(dialog->field(Field::DestinationPort)->text(), QStringLiteral("10011234567"));
}

TEST_F(PropertySettingsDialogTest, LongerNameFromTheDeviceIsShownWholeAndCanBeShortened) {
    session.parameters.userName = QStringLiteral("abcdefghij");
    open();
    QLineEdit* name = dialog->field(Field::UserName);
    EXPECT_EQ(name->text(), QStringLiteral("abcdefghij"));
    name->end(false);
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), QStringLiteral("abcdefghi"));
    QTest::keyClicks(name, QStringLiteral("x"));
    EXPECT_EQ(name->text(), QStringLiteral("abcdefghi"));
}

TEST_F(PropertySettingsDialogTest, CancelEscapeAndCloseEmptyTheSetButTheAddressAndSendNothing) {
    const std::vector<std::function<void(PropertySettingsDialog&)>> ways{
        [](PropertySettingsDialog& d) { d.cancelButton()->click(); },
        [](PropertySettingsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](PropertySettingsDialog& d) { d.close(); },
    };
    for (const auto& cancel : ways) {
        session = DeviceSession{readParameters(), QStringLiteral("192.168.1.30")};
        open();
        dialog->field(Field::UserName)->setText(QStringLiteral("typed"));
        cancel(*dialog);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        DeviceParameters expected;
        expected.ipAddress = QStringLiteral("192.168.1.30");
        EXPECT_EQ(session.parameters, expected);
        EXPECT_TRUE(session.currentDeviceAddress.isEmpty());
    }
    EXPECT_TRUE(network.sent().isEmpty());
}

TEST_F(PropertySettingsDialogTest, EnterInAFieldNeitherClosesNorClears) {
    open();
    QTest::keyClick(dialog->field(Field::Port), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(session.parameters, readParameters());
    EXPECT_TRUE(network.sent().isEmpty());
}

}  // namespace
}  // namespace serverconf
