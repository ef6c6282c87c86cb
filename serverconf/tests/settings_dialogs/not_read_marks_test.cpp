// Values a read-out did not bring, in the property dialog: marked until the
// user gives a value, left out of OK (the user is told which), and never
// saved.

#include "settings_dialogs/not_read_marks.h"
#include "dialog_test_support.h"
#include "settings_dialogs/network_advanced_dialog.h"
#include "settings_test_support.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace serverconf {
namespace {

using Field = PropertySettingsDialog::Field;
using List = PropertySettingsDialog::List;
using testing::FileDialogScript;
using testing::ModalScript;
using testing::NoticeRecorder;
using testing::readValues;

constexpr int kNetmaskTag = 21;
constexpr int kBaudRateTag = 12;
constexpr int kConnectModeTag = 8;

class NotReadMarksTest : public testing::PropertyDialogTest {
protected:
    // The set requests OK sent, by code ("NM", "BR", ...).
    QStringList setCodesSent() const {
        QStringList codes;
        for (const testing::SentDatagram& sent : network.sent()) {
            if (sent.text.startsWith('S')) codes << QString::fromLatin1(sent.text.mid(1, 2));
        }
        return codes;
    }
    QString fileWith(const QByteArray& content) {
        const QString path = directory.filePath(QStringLiteral("values.ds"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir directory;
    NoticeRecorder notices;
};

// How the user gives a value, in the dialog; `file` holds a configuration file.
using Giving = std::function<void(PropertySettingsDialog& dialog, const QString& file)>;

void loadFile(PropertySettingsDialog& dialog, const QString& file) {
    FileDialogScript files({file});
    dialog.loadButton()->click();
}

TEST_F(NotReadMarksTest, AValueNotReadIsLeftOutOfOkUntilTheUserGivesOne) {
    const struct {
        const char* why;
        int tag;
        Giving give;  // nothing: the user gives no value
        QByteArray file;
        bool sent;
    } cases[] = {
        {"netmask untouched", kNetmaskTag, {}, {}, false},
        {"netmask typed",
         kNetmaskTag,
         [](PropertySettingsDialog& d, const QString&) {
             testing::typeText(d.field(Field::Netmask), QStringLiteral("255.0.0.0"));
         },
         {},
         true},
        {"baud rate untouched", kBaudRateTag, {}, {}, false},
        {"baud rate chosen",
         kBaudRateTag,
         [](PropertySettingsDialog& d, const QString&) {
             testing::pick(d.list(List::BaudRate), QStringLiteral("115200bps"));
         },
         {},
         true},
        {"netmask loaded from a file key", kNetmaskTag, loadFile, "[main]\r\nIP=192.168.1.30\r\nNM=255.0.0.0\r\n",
         true},
        {"a file without the key", kNetmaskTag, loadFile, "[main]\r\nIP=192.168.1.30\r\nDN=door\r\n", false},
        {"connect mode untouched", kConnectModeTag, {}, {}, false},
        {"connect mode set in the advanced dialog",
         kConnectModeTag,
         [](PropertySettingsDialog& d, const QString&) {
             ModalScript script;
             script.then<NetworkAdvancedDialog>([](NetworkAdvancedDialog& advanced) {
                 testing::pick(advanced.connectModeList(), QStringLiteral("on command"));
                 advanced.okButton()->click();
             });
             d.networkAdvancedButton()->click();
         },
         {},
         true},
    };
    for (const auto& c : cases) {
        DeviceParameters parameters = readValues();
        *parameters.valueByGetTag(c.tag) = QString();
        open(parameters, {c.tag});
        network.clearRecord();
        const qsizetype noticesBefore = notices.texts().size();
        if (c.give) c.give(*dialog, c.file.isEmpty() ? QString() : fileWith(c.file));
        dialog->okButton()->click();
        const QString code = QString::fromLatin1(parameterByGetTag(c.tag)->code);
        EXPECT_EQ(setCodesSent().contains(code), c.sent) << c.why;
        EXPECT_EQ(setCodesSent().size(), c.sent ? 20 : 19) << c.why << ": the others are all sent, SIP too";
        EXPECT_EQ(
            notices.texts().mid(noticesBefore),
            c.sent ? QStringList{} : QStringList{QStringLiteral("以下参数未读到，未写入: ") + parameterName(c.tag)})
            << c.why;
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << c.why;
    }
}

TEST_F(NotReadMarksTest, MarkedFieldsShowWhyAndSaveRefusesNamingThem) {
    DeviceParameters parameters = readValues();
    parameters.netmask.clear();
    parameters.baudRate.clear();
    open(parameters, {kNetmaskTag, kBaudRateTag});
    EXPECT_EQ(field(Field::Netmask)->placeholderText(), QStringLiteral("未读到"));
    EXPECT_EQ(field(Field::Netmask)->toolTip(), QStringLiteral("未从设备读到此值，确定时不写入"));
    EXPECT_EQ(list(List::BaudRate)->placeholderText(), QStringLiteral("未读到"));
    EXPECT_EQ(field(Field::GatewayIp)->placeholderText(), QString()) << "only what was not read";

    FileDialogScript files({directory.filePath(QStringLiteral("kept.ds"))});
    dialog->saveButton()->click();
    EXPECT_TRUE(files.asked.isEmpty()) << "no file is asked for";
    EXPECT_EQ(notices.texts(), QStringList{QStringLiteral("以下参数未读到，不能保存: 波特率、网络掩码")});

    testing::typeText(field(Field::Netmask), QStringLiteral("255.0.0.0"));
    EXPECT_EQ(field(Field::Netmask)->placeholderText(), QString());
    EXPECT_EQ(field(Field::Netmask)->toolTip(), QString());
    testing::pick(list(List::BaudRate), QStringLiteral("115200bps"));
    dialog->saveButton()->click();
    EXPECT_EQ(files.asked.size(), 1) << "saved once every value is given";
}

}  // namespace
}  // namespace serverconf
