// Save and Load of the property dialog through the file dialogs: names,
// the replace question, the messages and what a file does to the dialog.

#include "channel/fake_network.h"
#include "dialogs/device_profile_commands.h"
#include "dialogs/parameter_choice_box.h"
#include "dialogs/property_settings_dialog.h"
#include "params/device_profile.h"
#include "settings_test_support.h"
#include "window_test_support.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace serverconf {
namespace {

using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;
using testing::FileDialogScript;
using testing::NoticeRecorder;
using testing::pick;

DeviceParameters deviceValues() {
    DeviceParameters parameters = factoryParameters();
    parameters.userName = QStringLiteral("使用者");
    parameters.deviceName = QStringLiteral("gate-1");
    parameters.macAddress = QStringLiteral("001122334455");
    parameters.ipAddress = QStringLiteral("192.168.1.30");
    parameters.workMode = QStringLiteral("2");
    parameters.baudRate = QStringLiteral("7");
    parameters.connectTimeLimit = QStringLiteral("30");
    parameters.maxPacketCount = QStringLiteral("128");
    return parameters;
}

class DeviceProfileCommandsTest : public ::testing::Test {
protected:
    PropertySettingsDialog& open(const DeviceParameters& parameters) {
        session.parameters = parameters;
        dialog = std::make_unique<PropertySettingsDialog>(network, session);
        dialog->show();
        return *dialog;
    }

    QString path(const QString& name) const { return directory.filePath(name); }

    void writeFile(const QString& name, const QByteArray& content) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir directory;
    testing::FakeNetwork network;
    DeviceSession session;
    std::unique_ptr<PropertySettingsDialog> dialog;
};

TEST_F(DeviceProfileCommandsTest, SavedFileLoadsIntoAFreshDialogAsTheFirstOneShowedIt) {
    open(deviceValues());
    dialog->field(Field::DestinationIp)->setText(QStringLiteral("127.0.0.9"));
    dialog->field(Field::Netmask)->setText(QStringLiteral("255.0.0.0"));
    dialog->field(Field::IpAddress)->setText(QStringLiteral("192.168.1.31"));
    pick(dialog->list(List::RtsCts), QStringLiteral("0- 禁用"));
    pick(dialog->list(List::Parity), QStringLiteral("Mark"));
    const PropertyDialogValues saved = dialog->values();
    {
        FileDialogScript files({path(QStringLiteral("gate"))});
        dialog->saveButton()->click();
        EXPECT_EQ(files.filters, QStringList{QStringLiteral("设备配置文件(*.ds)")});
        EXPECT_EQ(files.kinds, std::vector<FileChoice>{FileChoice::Save});
    }
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("gate.ds"))));

    DeviceParameters other;
    other.macAddress = QStringLiteral("00AABBCCDDEE");
    other.ipAddress = QStringLiteral("10.0.0.1");
    open(other);
    {
        FileDialogScript files({path(QStringLiteral("gate.ds"))});
        dialog->loadButton()->click();
        EXPECT_EQ(files.kinds, std::vector<FileChoice>{FileChoice::Open});
    }
    const PropertyDialogValues loaded = dialog->values();
    EXPECT_EQ(loaded.userName, saved.userName);
    EXPECT_EQ(loaded.ipAddressField, QStringLiteral("192.168.1.31"));
    EXPECT_EQ(loaded.destinationIp, QStringLiteral("127.0.0.9"));
    EXPECT_EQ(loaded.netmask, QStringLiteral("255.0.0.0"));
    EXPECT_EQ(loaded.rtsCts, QStringLiteral("0"));
    EXPECT_EQ(loaded.parity, QStringLiteral("3"));
    EXPECT_EQ(loaded.baudRate, QStringLiteral("7"));
    EXPECT_EQ(dialog->list(List::BaudRate)->currentText(), QStringLiteral("115200bps"));
    // The file's advanced values go into the parameter set; the MAC address stays.
    EXPECT_EQ(session.parameters.connectTimeLimit, QStringLiteral("30"));
    EXPECT_EQ(session.parameters.maxPacketCount, QStringLiteral("128"));
    EXPECT_EQ(session.parameters.macAddress, QStringLiteral("00AABBCCDDEE"));
    EXPECT_EQ(dialog->field(Field::MacAddress)->text(), QStringLiteral("00AABBCCDDEE"));
    // The address the write goes to is still the one read from the device.
    EXPECT_EQ(loaded.reportedIpAddress, QStringLiteral("10.0.0.1"));
}

TEST_F(DeviceProfileCommandsTest, SaveAddsTheExtensionOnlyWhenMissingAndAsksAboutTheFileItWrites) {
    open(deviceValues());
    {
        FileDialogScript files({path(QStringLiteral("a.ds"))});
        dialog->saveButton()->click();
        EXPECT_TRUE(files.replaceQuestions.isEmpty());
    }
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("a.ds"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.ds.ds"))));

    // "a" is written as a.ds, which exists: the question names it; "no" asks for a name again.
    dialog->field(Field::UserName)->setText(QStringLiteral("second"));
    {
        FileDialogScript files({path(QStringLiteral("a")), path(QStringLiteral("b"))}, false);
        dialog->saveButton()->click();
        EXPECT_EQ(files.replaceQuestions, QStringList{path(QStringLiteral("a.ds"))});
        EXPECT_EQ(files.kinds.size(), 2u);
    }
    EXPECT_EQ(loadDeviceProfileFile(path(QStringLiteral("a.ds"))).userName, QStringLiteral("使用者"));
    EXPECT_EQ(loadDeviceProfileFile(path(QStringLiteral("b.ds"))).userName, QStringLiteral("second"));

    {
        FileDialogScript files({path(QStringLiteral("a"))}, true);
        dialog->saveButton()->click();
    }
    EXPECT_EQ(loadDeviceProfileFile(path(QStringLiteral("a.ds"))).userName, QStringLiteral("second"));
}

TEST_F(DeviceProfileCommandsTest, UnwritableFileIsReported) {
    open(deviceValues());
    NoticeRecorder notices;
    FileDialogScript files({path(QStringLiteral("missing/folder/x"))});
    dialog->saveButton()->click();
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(notices.notices()[0].text, profileNotSavedMessage());
}

TEST_F(DeviceProfileCommandsTest, LoadRefusesOtherExtensionsAndMissingFilesWithoutTouchingTheDialog) {
    open(deviceValues());
    writeFile(QStringLiteral("upper.DS"), "[main]\r\nON=x\r\n");
    NoticeRecorder notices;
    {
        FileDialogScript files({path(QStringLiteral("upper.DS"))});
        dialog->loadButton()->click();
    }
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(notices.notices()[0].text, QStringLiteral("所选文件格式不对!"));
    {
        FileDialogScript files({path(QStringLiteral("nowhere.ds"))});
        dialog->loadButton()->click();
    }
    EXPECT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(dialog->field(Field::UserName)->text(), QStringLiteral("使用者"));
    EXPECT_EQ(session.parameters, deviceValues());
}

TEST_F(DeviceProfileCommandsTest, LoadedValuesOfNoEntryLeaveTheListsAndWorkModeAppliesItsRule) {
    open(deviceValues());
    writeFile(QStringLiteral("server.ds"), "[main]\r\nON=\r\nRM=0\r\nBR=12\r\nCT=9\r\n");
    {
        FileDialogScript files({path(QStringLiteral("server.ds"))});
        dialog->loadButton()->click();
    }
    EXPECT_EQ(dialog->field(Field::UserName)->text(), QString());
    EXPECT_EQ(dialog->list(List::BaudRate)->currentText(), QStringLiteral("115200bps"));
    EXPECT_EQ(dialog->workingValue(List::BaudRate), QStringLiteral("7"));
    // No TP line: the protocol stays.
    EXPECT_EQ(dialog->workingValue(List::Protocol), QStringLiteral("0"));
    EXPECT_EQ(dialog->workingValue(List::WorkMode), QStringLiteral("0"));
    EXPECT_FALSE(dialog->field(Field::GatewayIp)->isEnabled());
    EXPECT_FALSE(dialog->networkAdvancedButton()->isEnabled());
    EXPECT_EQ(session.parameters.connectTimeLimit, QStringLiteral("9"));
    EXPECT_EQ(session.parameters.maxPacketCount, QString());

    writeFile(QStringLiteral("client.ds"), "[main]\r\nRM=2\r\nBR=11\r\n");
    {
        FileDialogScript files({path(QStringLiteral("client.ds"))});
        dialog->loadButton()->click();
    }
    EXPECT_TRUE(dialog->field(Field::GatewayIp)->isEnabled());
    EXPECT_TRUE(dialog->networkAdvancedButton()->isEnabled());
    EXPECT_EQ(dialog->list(List::BaudRate)->currentText(), QStringLiteral("28800bps"));
}

}  // namespace
}  // namespace serverconf
