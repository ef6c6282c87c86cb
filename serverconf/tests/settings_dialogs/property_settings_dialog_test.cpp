// The property settings dialog on its own: what it shows, the work-mode
// rule, the page switch, the field limits, Cancel and Enter.

#include "dialog_test_support.h"
#include "settings_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace serverconf {
namespace {

using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;
using Page = PropertySettingsDialog::Page;
using testing::pick;
using testing::readValues;

class PropertySettingsDialogTest : public testing::PropertyDialogTest {
protected:
    // Enabled state of the destination IP, destination port, gateway and netmask fields and the network "高级设置".
    std::vector<bool> clientControls() const {
        std::vector<bool> states;
        for (Field which : {Field::DestinationIp, Field::DestinationPort, Field::GatewayIp, Field::Netmask}) {
            states.push_back(field(which)->isEnabled());
        }
        states.push_back(dialog->networkAdvancedButton()->isEnabled());
        return states;
    }
};

TEST_F(PropertySettingsDialogTest, ShowsTheReadValuesAndKeepsValuesOfNoEntryUnselected) {
    DeviceParameters parameters = readValues();
    parameters.dtr = QStringLiteral("12");
    open(parameters);
    EXPECT_EQ(field(Field::UserName)->text(), QStringLiteral("使用者"));
    EXPECT_EQ(field(Field::MacAddress)->text(), QStringLiteral("001122334455"));
    EXPECT_FALSE(field(Field::MacAddress)->isEnabled());
    EXPECT_EQ(list(List::BaudRate)->currentText(), QStringLiteral("28800bps"));
    EXPECT_EQ(list(List::Protocol)->currentText(), QStringLiteral("TCP"));
    EXPECT_EQ(list(List::Dtr)->currentIndex(), -1);
    EXPECT_EQ(dialog->values().dtr, QStringLiteral("12"));
    EXPECT_TRUE(field(Field::UserName)->isVisible());
    EXPECT_FALSE(list(List::BaudRate)->isVisible());
}

TEST_F(PropertySettingsDialogTest, ServerModeDisablesTheClientSettingsAndOtherModesLeaveThemUsable) {
    DeviceParameters parameters = readValues();
    parameters.workMode = QStringLiteral("0");
    open(parameters);
    EXPECT_EQ(clientControls(), std::vector<bool>(5, false));
    pick(list(List::WorkMode), QStringLiteral("客户端"));
    EXPECT_EQ(dialog->workingValue(List::WorkMode), QStringLiteral("2"));
    EXPECT_EQ(clientControls(), std::vector<bool>(5, true));
    pick(list(List::WorkMode), QStringLiteral("服务器"));
    EXPECT_EQ(dialog->workingValue(List::WorkMode), QStringLiteral("0"));
    EXPECT_EQ(clientControls(), std::vector<bool>(5, false));

    parameters.workMode = QStringLiteral("1");
    open(parameters);
    EXPECT_EQ(list(List::WorkMode)->currentIndex(), -1);
    EXPECT_EQ(clientControls(), std::vector<bool>(5, true));
}

TEST_F(PropertySettingsDialogTest, ChoicesSurviveSwitchingPagesAndUntouchedListsKeepTheirValues) {
    open();
    pick(list(List::BaudRate), QStringLiteral("115200bps"));
    pick(list(List::Parity), QStringLiteral("Odd"));
    pick(list(List::Dtr), QStringLiteral("1- 使用"));
    dialog->tabs()->setCurrentIndex(1);
    EXPECT_FALSE(dialog->page(Page::Network)->isVisible());
    EXPECT_TRUE(list(List::BaudRate)->isVisible());
    EXPECT_TRUE(dialog->okButton()->isVisible());
    dialog->tabs()->setCurrentIndex(0);
    EXPECT_FALSE(dialog->page(Page::Serial)->isVisible());

    const ParameterEdits values = dialog->values();
    EXPECT_EQ(values.baudRate, QStringLiteral("7"));
    EXPECT_EQ(values.parity, QStringLiteral("2"));
    EXPECT_EQ(values.dtr, QStringLiteral("1"));
    EXPECT_EQ(values.rtsCts, QStringLiteral("1"));
    EXPECT_EQ(values.workMode, QStringLiteral("2"));
}

TEST_F(PropertySettingsDialogTest, NamesAndPortTakeAtMostTheirBytesOfCodePage936) {
    DeviceParameters parameters = readValues();
    parameters.userName = QStringLiteral("abcdefghij");  // longer, as a device may report it
    parameters.deviceName.clear();
    parameters.port.clear();
    open(parameters);
    QTest::keyClicks(field(Field::UserName), QStringLiteral("x"));
    EXPECT_EQ(field(Field::UserName)->text(), QStringLiteral("abcdefghij"));
    QTest::keyClick(field(Field::UserName), Qt::Key_Backspace);
    EXPECT_EQ(field(Field::UserName)->text(), QStringLiteral("abcdefghi"));
    testing::typeText(field(Field::DeviceName), QStringLiteral("设备名称号"));
    EXPECT_EQ(field(Field::DeviceName)->text(), QStringLiteral("设备名称"));
    QTest::keyClicks(field(Field::Port), QStringLiteral("123456"));
    EXPECT_EQ(field(Field::Port)->text(), QStringLiteral("12345"));
}

TEST_F(PropertySettingsDialogTest, OkRefusesAnIpFieldThatIsNoDottedAddressAndStaysOpen) {
    testing::NoticeRecorder notices;
    for (const QString& typed : {QString(), QStringLiteral("192.168.1"), QStringLiteral("192.168.1.300")}) {
        open();
        field(Field::IpAddress)->setText(typed);
        dialog->okButton()->click();
        EXPECT_TRUE(dialog->isVisible()) << typed.toStdString();
    }
    ASSERT_EQ(notices.notices().size(), 3u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(notices.texts(), QStringList(3, QStringLiteral("IP地址格式不对!")));
    EXPECT_TRUE(network.sent().isEmpty());
    EXPECT_EQ(session.parameters, readValues()) << "nothing taken from the dialog";

    field(Field::IpAddress)->setText(QStringLiteral("192.168.1.31"));
    dialog->okButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_FALSE(network.sent().isEmpty());
    EXPECT_EQ(network.sent().last().text, "E");
}

TEST_F(PropertySettingsDialogTest, OkRefusesAValueThatWouldStrandTheDeviceNamingTheFieldAndStaysOpen) {
    testing::NoticeRecorder notices;
    open();
    field(Field::IpAddress)->setText(QStringLiteral("0.0.0.0"));
    field(Field::Port)->setText(QStringLiteral("0"));
    dialog->okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    field(Field::IpAddress)->setText(QStringLiteral("127.0.0.1"));
    dialog->okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(notices.texts(), QStringList({QStringLiteral("IP地址不能是0.0.0.0、255.255.255.255或组播地址!"),
                                            QStringLiteral("端口号必须在1-65535之间!")}));
    EXPECT_TRUE(network.sent().isEmpty());
}

TEST_F(PropertySettingsDialogTest, CancelEscapeAndCloseEmptyTheSetButTheAddressAndEnterDoesNothing) {
    const std::vector<std::function<void(PropertySettingsDialog&)>> cancels{
        [](PropertySettingsDialog& d) { d.cancelButton()->click(); },
        [](PropertySettingsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](PropertySettingsDialog& d) { d.close(); },
    };
    for (const auto& cancel : cancels) {
        open();
        field(Field::UserName)->setText(QStringLiteral("typed"));
        QTest::keyClick(field(Field::Port), Qt::Key_Return);
        ASSERT_TRUE(dialog->isVisible());
        ASSERT_EQ(session.parameters, readValues());
        cancel(*dialog);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        DeviceParameters expected;
        expected.ipAddress = QStringLiteral("192.168.1.30");
        EXPECT_EQ(session.parameters, expected);
    }
    EXPECT_TRUE(network.sent().isEmpty());
}

}  // namespace
}  // namespace serverconf
