// Save and Load of the property dialog through the file dialogs: the names
// written, the replace question, the messages and what a file changes.

#include "settings_dialogs/device_profile_commands.h"
#include "dialog_test_support.h"
#include "params/device_profile.h"
#include "settings_test_support.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace serverconf {
namespace {

using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;
using testing::FileDialogScript;
using testing::NoticeRecorder;

class DeviceProfileCommandsTest : public testing::PropertyDialogTest {
protected:
    QString path(const QString& name) const { return directory.filePath(name); }

    void load(const QString& name, const QByteArray& content = {}) {
        if (!content.isEmpty()) {
            QFile file(path(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        FileDialogScript files({path(name)});
        dialog->loadButton()->click();
    }

    QTemporaryDir directory;
    NoticeRecorder notices;
};

TEST_F(DeviceProfileCommandsTest, SavedFileLoadsIntoAFreshDialogAsTheFirstOneShowedIt) {
    open();
    field(Field::DestinationIp)->setText(QStringLiteral("127.0.0.9"));
    field(Field::IpAddress)->setText(QStringLiteral("192.168.1.31"));
    testing::pick(list(List::RtsCts), QStringLiteral("0- 禁用"));
    session.parameters.connectTimeLimit = QStringLiteral("30");
    {
        FileDialogScript files({path(QStringLiteral("gate"))});
        dialog->saveButton()->click();
        EXPECT_EQ(files.asked, QStringList{QStringLiteral("save 设备配置文件(*.ds)")});
    }
    const ParameterEdits saved = dialog->values();

    DeviceParameters other;
    other.macAddress = QStringLiteral("00AABBCCDDEE");
    other.ipAddress = QStringLiteral("10.0.0.1");
    open(other);
    load(QStringLiteral("gate.ds"));
    const ParameterEdits loaded = dialog->values();
    for (auto member : {&ParameterEdits::userName, &ParameterEdits::ipAddressField, &ParameterEdits::destinationIp,
                        &ParameterEdits::rtsCts, &ParameterEdits::baudRate, &ParameterEdits::workMode}) {
        EXPECT_EQ(loaded.*member, saved.*member);
    }
    EXPECT_EQ(loaded.rtsCts, QStringLiteral("0"));
    EXPECT_EQ(list(List::BaudRate)->currentText(), QStringLiteral("28800bps"));
    EXPECT_EQ(session.parameters.connectTimeLimit, QStringLiteral("30"));
    EXPECT_EQ(field(Field::MacAddress)->text(), QStringLiteral("00AABBCCDDEE")) << "the MAC address is never loaded";
    EXPECT_TRUE(notices.notices().empty());
}

TEST_F(DeviceProfileCommandsTest, SaveAddsTheExtensionOnlyWhenMissingAndAsksAboutTheFileItWrites) {
    open();
    {
        FileDialogScript files({path(QStringLiteral("a.ds"))});
        dialog->saveButton()->click();
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.ds.ds"))));
    field(Field::UserName)->setText(QStringLiteral("second"));
    {
        // "a" would be a.ds, which exists; "no" asks for another name.
        FileDialogScript files({path(QStringLiteral("a")), path(QStringLiteral("b"))}, false);
        dialog->saveButton()->click();
        EXPECT_EQ(files.asked.mid(1, 1), QStringList{QStringLiteral("replace ") + path(QStringLiteral("a.ds"))});
    }
    EXPECT_EQ(loadDeviceProfileFile(path(QStringLiteral("a.ds")))->userName, QStringLiteral("使用者"));
    EXPECT_EQ(loadDeviceProfileFile(path(QStringLiteral("b.ds")))->userName, QStringLiteral("second"));

    FileDialogScript unwritable({path(QStringLiteral("missing/folder/x"))});
    dialog->saveButton()->click();
    EXPECT_EQ(notices.texts(), QStringList{profileNotSavedMessage()});
}

TEST_F(DeviceProfileCommandsTest, LoadRefusesWhatIsNotAConfigurationFileWithoutTouchingTheDialog) {
    open();
    const ParameterEdits before = dialog->values();
    ASSERT_TRUE(QDir(directory.path()).mkdir(QStringLiteral("dir.ds")));
    const struct {
        const char* name;
        QByteArray content;  // empty: the file is not written
    } refused[] = {
        {"upper.DS", "[main]\r\nON=x\r\n"},
        {"nowhere.ds", {}},
        {"dir.ds", {}},
        {"empty.ds", {}},
        {"garbage.ds", "garbage"},
        {"other.ds", "[other]\r\nON=x\r\nBR=3\r\n"},
        {"nokeys.ds", "[main]\r\nXX=1\r\n"},
    };
    QFile(path(QStringLiteral("empty.ds"))).open(QIODevice::WriteOnly);
    std::size_t shown = 0;
    for (const auto& file : refused) {
        SCOPED_TRACE(file.name);
        load(QString::fromLatin1(file.name), file.content);
        ASSERT_EQ(notices.notices().size(), ++shown);
        EXPECT_EQ(notices.notices().back().title, QStringLiteral("提示"));
        EXPECT_EQ(notices.notices().back().text, QStringLiteral("所选文件格式不对!"));
        EXPECT_EQ(dialog->values(), before);
        EXPECT_EQ(session.parameters, testing::readValues());
    }
}

TEST_F(DeviceProfileCommandsTest, LoadedValuesOfNoEntryLeaveTheListsAndWorkModeAppliesItsRule) {
    open();
    load(QStringLiteral("server.ds"), "[main]\r\nON=\r\nRM=0\r\nBR=12\r\nCT=9\r\n");
    EXPECT_EQ(field(Field::UserName)->text(), QString());
    EXPECT_EQ(list(List::BaudRate)->currentText(), QStringLiteral("28800bps"));
    EXPECT_EQ(dialog->workingValue(List::BaudRate), QStringLiteral("11"));
    EXPECT_EQ(dialog->workingValue(List::Protocol), QStringLiteral("1"));  // no TP line
    EXPECT_FALSE(field(Field::GatewayIp)->isEnabled());
    EXPECT_FALSE(dialog->networkAdvancedButton()->isEnabled());
    EXPECT_EQ(session.parameters.connectTimeLimit, QStringLiteral("9"));
    EXPECT_EQ(session.parameters.maxPacketCount, QStringLiteral("255")) << "a file without ML leaves it";

    load(QStringLiteral("client.ds"), "[main]\r\nRM=2\r\n");
    EXPECT_TRUE(field(Field::GatewayIp)->isEnabled());
    EXPECT_TRUE(dialog->networkAdvancedButton()->isEnabled());
}

TEST_F(DeviceProfileCommandsTest, APartialFileChangesOnlyWhatItHoldsAndOkWritesTheRestAsShown) {
    open();
    load(QStringLiteral("baud.ds"), "[main]\r\nBR=7\r\nPN=\r\nDN=\r\n");
    EXPECT_EQ(dialog->workingValue(List::BaudRate), QStringLiteral("7"));
    EXPECT_EQ(field(Field::DeviceName)->text(), QString()) << "an empty name is a name";
    for (const auto& [which, shown] : {std::pair{Field::UserName, QStringLiteral("使用者")},
                                       {Field::IpAddress, QStringLiteral("192.168.1.30")},
                                       {Field::Port, QStringLiteral("1001")},
                                       {Field::DestinationIp, QStringLiteral("127.0.0.2")},
                                       {Field::GatewayIp, QStringLiteral("127.0.0.1")},
                                       {Field::Netmask, QStringLiteral("0.0.0.0")}}) {
        EXPECT_EQ(field(which)->text(), shown) << "kept: " << shown.toStdString();
    }
    EXPECT_EQ(dialog->workingValue(List::Parity), QStringLiteral("2"));
    dialog->okButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    QStringList sent;
    for (const auto& datagram : network.sent()) sent.append(QString::fromLatin1(datagram.text));
    for (const char* request : {"SBR7|25", "SPN1001|21", "SDN|19", "SPR2|26", "SGI127.0.0.1|35"}) {
        EXPECT_TRUE(sent.contains(QString::fromLatin1(request))) << request;
    }
    EXPECT_TRUE(notices.texts().isEmpty());
}

TEST_F(DeviceProfileCommandsTest, SaveAndLoadLogNothingWhenNoLoggingRulesAreSet) {
    if (testing::DebugMessageRecorder::rulesSetOutside()) GTEST_SKIP() << "logging rules are set from outside";
    const testing::DebugMessageRecorder debug;
    open();
    {
        FileDialogScript files(
            {path(QStringLiteral("quiet")), path(QStringLiteral("quiet.ds")), path(QStringLiteral("nowhere.ds"))});
        dialog->saveButton()->click();
        dialog->loadButton()->click();
        dialog->loadButton()->click();
    }
    dialog->reject();
    EXPECT_EQ(notices.texts(), QStringList{QStringLiteral("所选文件格式不对!")});
    EXPECT_EQ(debug.messages(), "") << "every logging category is off by default";
}

}  // namespace
}  // namespace serverconf
