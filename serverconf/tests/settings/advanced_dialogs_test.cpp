// The two advanced dialogs opened from the property dialog's "高级设置"
// buttons: what they show, what OK stores and when, and that Cancel stores
// nothing.

#include "channel/fake_network.h"
#include "dialogs/network_advanced_dialog.h"
#include "dialogs/notice.h"
#include "dialogs/parameter_choice_box.h"
#include "dialogs/property_settings_dialog.h"
#include "dialogs/serial_advanced_dialog.h"
#include "settings_test_support.h"
#include "window_test_support.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using testing::ModalScript;
using testing::NoticeRecorder;
using testing::pick;

TEST(NetworkAdvancedDialog, TimeLimitIsSelectedByItsNumberAndAnUntouchedListStoresTheHeldText) {
    DeviceParameters parameters;
    parameters.connectMode = QStringLiteral("3");
    for (const auto& [held, index] : std::vector<std::pair<QString, int>>{{"5", 5}, {"100", -1}, {"-1", -1}, {"", 0}}) {
        parameters.connectTimeLimit = held;
        NetworkAdvancedDialog dialog(parameters);
        EXPECT_EQ(dialog.timeLimitList()->currentIndex(), index) << held.toStdString();
        EXPECT_EQ(dialog.connectModeList()->currentText(), QStringLiteral("on command or DSR=LOW"));
        dialog.okButton()->click();
        EXPECT_EQ(parameters.connectTimeLimit, held);
        EXPECT_EQ(parameters.connectMode, QStringLiteral("3"));
    }
}

class AdvancedFromPropertyDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.parameters.macAddress = QStringLiteral("001122334455");
        session.parameters.workMode = QStringLiteral("2");
        session.parameters.connectMode = QStringLiteral("0");
        session.parameters.connectTimeLimit = QStringLiteral("5");
        session.parameters.onTheFly = QStringLiteral("1");
        session.parameters.maxPacketCount = QStringLiteral("255");
        session.parameters.maxCharDelay = QStringLiteral("1");
        property.show();
    }

    testing::FakeNetwork network;
    DeviceSession session;
    PropertySettingsDialog property{network, session};
    ModalScript script;
};

TEST_F(AdvancedFromPropertyDialogTest, NetworkOkStoresTheChoicesAndReopeningShowsThem) {
    script.then<NetworkAdvancedDialog>([](NetworkAdvancedDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("网络高级属性设置"));
        EXPECT_EQ(dialog.connectModeList()->currentText(), QStringLiteral("immediately"));
        EXPECT_EQ(dialog.timeLimitList()->currentText(), QStringLiteral("5"));
        pick(dialog.connectModeList(), QStringLiteral("on command or DSR=LOW"));
        pick(dialog.timeLimitList(), QStringLiteral("7"));
        dialog.okButton()->click();
    });
    property.networkAdvancedButton()->click();
    EXPECT_EQ(session.parameters.connectMode, QStringLiteral("3"));
    EXPECT_EQ(session.parameters.connectTimeLimit, QStringLiteral("7"));

    QString modeShown;
    script.then<NetworkAdvancedDialog>([&](NetworkAdvancedDialog& dialog) {
        modeShown = dialog.connectModeList()->currentText();
        pick(dialog.connectModeList(), QStringLiteral("on command"));
        dialog.cancelButton()->click();
    });
    property.networkAdvancedButton()->click();
    EXPECT_EQ(modeShown, QStringLiteral("on command or DSR=LOW"));
    EXPECT_EQ(session.parameters.connectMode, QStringLiteral("3"));
    EXPECT_TRUE(script.allStepsPlayed());
    EXPECT_TRUE(property.isVisible());
}

TEST_F(AdvancedFromPropertyDialogTest, SerialOkShowsThePacketCountBeforeTheOtherValuesAreStored) {
    NoticeRecorder notices;
    DeviceParameters atNotice;
    setNoticeHook([&](const QString& title, const QString& text) {
        atNotice = session.parameters;
        atNotice.userName = title + u'|' + text;
    });
    script.then<SerialAdvancedDialog>([](SerialAdvancedDialog& dialog) {
        EXPECT_EQ(dialog.packetCountField()->text(), QStringLiteral("255"));
        EXPECT_EQ(dialog.onTheFlyList()->currentText(), QStringLiteral("使用"));
        dialog.packetCountField()->setText(QStringLiteral("1024"));
        dialog.charDelayField()->setText(QStringLiteral("20"));
        pick(dialog.onTheFlyList(), QStringLiteral("禁用"));
        dialog.okButton()->click();
    });
    property.serialAdvancedButton()->click();

    EXPECT_EQ(atNotice.userName, programName() + QStringLiteral("|1024"));
    EXPECT_EQ(atNotice.maxPacketCount, QStringLiteral("1024"));
    EXPECT_EQ(atNotice.maxCharDelay, QStringLiteral("1"));
    EXPECT_EQ(atNotice.onTheFly, QStringLiteral("1"));
    EXPECT_EQ(session.parameters.maxCharDelay, QStringLiteral("20"));
    EXPECT_EQ(session.parameters.onTheFly, QStringLiteral("0"));
}

TEST_F(AdvancedFromPropertyDialogTest, SerialCancelAndEscapeStoreNothing) {
    const DeviceParameters before = session.parameters;
    NoticeRecorder notices;
    script.then<SerialAdvancedDialog>([](SerialAdvancedDialog& dialog) {
        dialog.packetCountField()->setText(QStringLiteral("9"));
        pick(dialog.onTheFlyList(), QStringLiteral("禁用"));
        dialog.cancelButton()->click();
    });
    script.then<SerialAdvancedDialog>([](SerialAdvancedDialog& dialog) {
        dialog.charDelayField()->setText(QStringLiteral("9"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    property.serialAdvancedButton()->click();
    property.serialAdvancedButton()->click();
    EXPECT_TRUE(script.allStepsPlayed());
    EXPECT_EQ(session.parameters, before);
    EXPECT_TRUE(notices.notices().empty());
}

}  // namespace
}  // namespace serverconf
