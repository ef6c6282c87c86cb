// The advanced dialogs opened from the property dialog: what they show,
// what OK stores and when, and that Cancel stores nothing.

#include "dialog_test_support.h"
#include "dialogs/notice.h"
#include "settings_dialogs/network_advanced_dialog.h"
#include "settings_dialogs/serial_advanced_dialog.h"
#include "settings_test_support.h"

#include <QLineEdit>
#include <QPushButton>

namespace serverconf {
namespace {

using testing::ModalScript;
using testing::pick;

// The entry is the held text read as a number the way atoi reads it; out of 0..99 selects nothing.
TEST(NetworkAdvancedDialog, TimeLimitIsSelectedByItsNumberAndOkStoresAnUntouchedHeldText) {
    DeviceParameters parameters;
    const std::vector<std::pair<QString, int>> cases{{"5", 5},  {"100", -1}, {"-1", -1},
                                                     {"", 0},   {"abc", 0},  {"\t+3x", 3},
                                                     {"-0", 0}, {"99", 99},  {"99999999999999999999", -1}};
    for (const auto& [held, index] : cases) {
        parameters.connectTimeLimit = held;
        NetworkAdvancedDialog dialog(parameters);
        EXPECT_EQ(dialog.timeLimitList()->currentIndex(), index) << held.toStdString();
        dialog.okButton()->click();
        EXPECT_EQ(parameters.connectTimeLimit, held);
    }
}

class AdvancedDialogsTest : public testing::PropertyDialogTest {
protected:
    void SetUp() override {
        DeviceParameters parameters = testing::readValues();
        parameters.connectMode = QStringLiteral("0");
        parameters.onTheFly = QStringLiteral("1");
        open(parameters);
    }
    ModalScript script;
};

TEST_F(AdvancedDialogsTest, NetworkOkStoresAtOnceAndCancelStoresNothing) {
    script.then<NetworkAdvancedDialog>([](NetworkAdvancedDialog& advanced) {
        EXPECT_EQ(advanced.connectModeList()->currentText(), QStringLiteral("immediately"));
        pick(advanced.connectModeList(), QStringLiteral("on command or DSR=LOW"));
        pick(advanced.timeLimitList(), QStringLiteral("7"));
        advanced.okButton()->click();
    });
    QString shownOnReopening;
    script.then<NetworkAdvancedDialog>([&](NetworkAdvancedDialog& advanced) {
        shownOnReopening = advanced.connectModeList()->currentText();
        pick(advanced.connectModeList(), QStringLiteral("on command"));
        advanced.cancelButton()->click();
    });
    dialog->networkAdvancedButton()->click();
    EXPECT_EQ(session.parameters.connectMode, QStringLiteral("3"));
    EXPECT_EQ(session.parameters.connectTimeLimit, QStringLiteral("7"));
    dialog->networkAdvancedButton()->click();
    EXPECT_EQ(shownOnReopening, QStringLiteral("on command or DSR=LOW"));
    EXPECT_EQ(session.parameters.connectMode, QStringLiteral("3"));
    EXPECT_TRUE(script.allStepsPlayed());
}

TEST_F(AdvancedDialogsTest, SerialOkShowsThePacketCountBeforeTheOtherValuesAreStored) {
    DeviceParameters atMessage;
    QString message;
    setNoticeHook([&](const QString& title, const QString& text) {
        atMessage = session.parameters;
        message = title + u'|' + text;
    });
    script.then<SerialAdvancedDialog>([](SerialAdvancedDialog& advanced) {
        EXPECT_EQ(advanced.onTheFlyList()->currentText(), QStringLiteral("使用"));
        advanced.packetCountField()->setText(QStringLiteral("1024"));
        advanced.charDelayField()->setText(QStringLiteral("20"));
        pick(advanced.onTheFlyList(), QStringLiteral("禁用"));
        advanced.okButton()->click();
    });
    dialog->serialAdvancedButton()->click();
    setNoticeHook({});
    EXPECT_EQ(message, programName() + QStringLiteral("|1024"));
    EXPECT_EQ(atMessage.maxPacketCount, QStringLiteral("1024"));
    EXPECT_EQ(atMessage.maxCharDelay, QStringLiteral("1"));
    EXPECT_EQ(atMessage.onTheFly, QStringLiteral("1"));
    EXPECT_EQ(session.parameters.maxCharDelay, QStringLiteral("20"));
    EXPECT_EQ(session.parameters.onTheFly, QStringLiteral("0"));
}

TEST_F(AdvancedDialogsTest, SerialCancelAndEscapeStoreNothing) {
    const DeviceParameters before = session.parameters;
    script.then<SerialAdvancedDialog>([](SerialAdvancedDialog& advanced) {
        advanced.packetCountField()->setText(QStringLiteral("9"));
        advanced.cancelButton()->click();
    });
    script.then<SerialAdvancedDialog>([](SerialAdvancedDialog& advanced) {
        pick(advanced.onTheFlyList(), QStringLiteral("禁用"));
        QTest::keyClick(&advanced, Qt::Key_Escape);
    });
    dialog->serialAdvancedButton()->click();
    dialog->serialAdvancedButton()->click();
    EXPECT_TRUE(script.allStepsPlayed());
    EXPECT_EQ(session.parameters, before);
}

}  // namespace
}  // namespace serverconf
