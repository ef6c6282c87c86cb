// The operation dialogs, the address entry, the progress window and the
// seams that tests drive them through.

#include "dialog_test_support.h"
#include "dialogs/change_ip_dialog.h"
#include "dialogs/dialog_units.h"
#include "dialogs/ip_address_edit.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/targeted_search_dialog.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace serverconf {
namespace {

using testing::ModalScript;
using testing::NoticeRecorder;

TEST(DialogUnitsTest, MapsQuarterCharacterWidthsAndEighthCharacterHeights) {
    QFont font;
    font.setPixelSize(12);
    const DialogUnits units(font);
    EXPECT_EQ(units.x(4), units.baseWidth());
    EXPECT_EQ(units.y(8), units.baseHeight());
    EXPECT_EQ(units.x(400), 100 * units.baseWidth());
    // A larger font gives a proportionally larger dialog.
    QFont larger = font;
    larger.setPixelSize(24);
    const DialogUnits largerUnits(larger);
    EXPECT_NEAR(largerUnits.y(191), 2 * units.y(191), units.y(191) / 5);
    QWidget dialog;
    const DialogUnits laidOut = layOutDialog(&dialog, font, 148, 56);
    EXPECT_EQ(dialog.size(), laidOut.size(148, 56));
    EXPECT_EQ(dialog.font().pixelSize(), 12);
}

TEST(IpAddressEditTest, GivesDottedTextWithoutLeadingZerosAndBlankWhenEmpty) {
    IpAddressEdit field;
    EXPECT_TRUE(field.text().isEmpty());
    field.setText(QStringLiteral("192.168.001.030"));
    EXPECT_EQ(field.text(), QStringLiteral("192.168.1.30"));
    field.setText(QStringLiteral("300.1.2.3"));
    EXPECT_EQ(field.text(), QStringLiteral("255.1.2.3"));
    field.setText(QStringLiteral("10"));
    EXPECT_EQ(field.text(), QStringLiteral("10.0.0.0"));
    field.setText(QStringLiteral("a.b.c.d"));
    EXPECT_TRUE(field.isBlank());
    EXPECT_TRUE(field.text().isEmpty());
    field.setText(QStringLiteral("1.2.3.4"));
    field.setText(QString());
    EXPECT_TRUE(field.text().isEmpty());
}

// Sends each character as a key press to whichever widget has the focus.
void typeIntoFocus(const QString& text) {
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

TEST(IpAddressEditTest, TypingMovesThroughThePartsOnDotsAndThirdDigits) {
    IpAddressEdit field;
    field.resize(200, 24);
    field.show();
    field.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&field));
    const auto parts = field.findChildren<QLineEdit*>();
    ASSERT_EQ(parts.size(), 4);
    parts[0]->setFocus();
    // A dot in an empty part is ignored; a third digit moves on by itself.
    typeIntoFocus(QStringLiteral("192168.1.30"));
    EXPECT_EQ(field.text(), QStringLiteral("192.168.1.30"));
    EXPECT_EQ(QApplication::focusWidget(), parts[3]);
    // Backspace at the start of a part goes back into the previous one.
    for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), parts[2]);
    EXPECT_EQ(field.text(), QStringLiteral("192.168.0.0"));
    parts[3]->setFocus();
    typeIntoFocus(QStringLiteral("999"));
    EXPECT_EQ(field.text(), QStringLiteral("192.168.0.255"));
}

TEST(ProgressDialogTest, ModeChoosesTheText) {
    EXPECT_EQ(ProgressDialog::textFor(ProgressMode::Search), QStringLiteral("正在搜索设备，请等待!"));
    EXPECT_EQ(ProgressDialog::textFor(ProgressMode::Update), QStringLiteral("正在更新设备，请等待!"));
    EXPECT_EQ(ProgressDialog(ProgressMode::Search).text(), QStringLiteral("正在搜索设备，请等待!"));
}

TEST(ProgressDialogTest, BarStandsEmptyForTheWaitThenFullWhenItClosesItself) {
    ProgressDialog dialog(ProgressMode::Search);
    int valueWhenShown = -1;
    int valueWhenClosed = -1;
    QObject::connect(&dialog, &QDialog::finished, [&] { valueWhenClosed = dialog.barValue(); });
    ModalScript script;
    script.then<ProgressDialog>([&](ProgressDialog& shown) { valueWhenShown = shown.barValue(); });
    QElapsedTimer clock;
    clock.start();
    const int result = runModal(dialog);
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(valueWhenShown, 0);
    EXPECT_EQ(valueWhenClosed, dialog.barMaximum());
    EXPECT_GE(elapsed, ProgressDialog::waitMilliseconds - 50);
    EXPECT_LT(elapsed, 5 * ProgressDialog::waitMilliseconds);
}

TEST(ProgressDialogTest, EscapeCancelsAndEnterAcceptsAtOnce) {
    for (const auto& [key, expected] :
         {std::pair{Qt::Key_Escape, QDialog::Rejected}, std::pair{Qt::Key_Return, QDialog::Accepted}}) {
        ProgressDialog dialog(ProgressMode::Update);
        ModalScript script;
        script.then<ProgressDialog>([key](ProgressDialog& shown) { QTest::keyClick(&shown, key); });
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(runModal(dialog), expected);
        EXPECT_LT(clock.elapsed(), ProgressDialog::waitMilliseconds);
        EXPECT_EQ(dialog.barValue(), 0);
    }
}

TEST(ProgressDialogTest, OtherEventsAreHandledWhileItWaits) {
    bool handled = false;
    bool stillOpen = false;
    ProgressDialog dialog(ProgressMode::Search);
    QTimer::singleShot(100, &dialog, [&] {
        handled = true;
        stillOpen = dialog.isVisible();
    });
    runModal(dialog);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(stillOpen);
}

TEST(ChangeIpDialogTest, OkOrEnterTakesTheFieldTextCancelKeepsThePresetAddress) {
    struct Case {
        const char* label;
        std::function<void(ChangeIpDialog&)> act;
        int result;
        QString address;
    };
    const Case cases[] = {
        {"OK on an edited field",
         [](ChangeIpDialog& shown) {
             EXPECT_EQ(shown.addressField()->text(), QStringLiteral("127.0.0.21"));
             shown.addressField()->setText(QStringLiteral("127.0.0.050"));
             shown.okButton()->click();
         },
         QDialog::Accepted, QStringLiteral("127.0.0.50")},
        {"Enter in the field",
         [](ChangeIpDialog& shown) {
             shown.addressField()->setText(QStringLiteral("127.0.0.77"));
             QTest::keyClick(shown.addressField()->findChild<QLineEdit*>(), Qt::Key_Return);
         },
         QDialog::Accepted, QStringLiteral("127.0.0.77")},
        {"Escape after an edit",
         [](ChangeIpDialog& shown) {
             shown.addressField()->setText(QStringLiteral("127.0.0.99"));
             QTest::keyClick(&shown, Qt::Key_Escape);
         },
         QDialog::Rejected, QStringLiteral("127.0.0.21")},
        {"OK on a blank field keeps the dialog open; then Escape",
         [](ChangeIpDialog& shown) {
             shown.addressField()->setText(QString());
             shown.okButton()->click();
             EXPECT_TRUE(shown.isVisible());
             QTest::keyClick(&shown, Qt::Key_Escape);
         },
         QDialog::Rejected, QStringLiteral("127.0.0.21")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ChangeIpDialog dialog(QStringLiteral("127.0.0.21"));
        ModalScript script;
        script.then<ChangeIpDialog>(c.act);
        EXPECT_EQ(runModal(dialog), c.result);
        EXPECT_EQ(dialog.address(), c.address);
    }
}

TEST(ChangeIpDialogTest, HasNoCloseBox) {
    ChangeIpDialog dialog(QStringLiteral("127.0.0.21"));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("更改IP"));
}

TEST(TargetedSearchDialogTest, StartsBlankWithThePortPresetAndTakesBothOnOk) {
    TargetedSearchDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("定位搜索"));
    ModalScript script;
    script.then<TargetedSearchDialog>([](TargetedSearchDialog& shown) {
        EXPECT_TRUE(shown.addressField()->isBlank());
        EXPECT_EQ(shown.portBox()->text(), QStringLiteral("65535"));
        shown.addressField()->setText(QStringLiteral("127.0.0.31"));
        shown.portBox()->setText(QStringLiteral("80"));
        shown.okButton()->click();
    });
    EXPECT_EQ(runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.targetAddress(), QStringLiteral("127.0.0.31"));
    EXPECT_EQ(dialog.portText(), QStringLiteral("80"));
}

TEST(NoticeTest, CarriesTheNoticeTitleUnlessAnotherIsGiven) {
    NoticeRecorder recorder;
    notice(nullptr, QStringLiteral("没有选择设备!"));
    notice(nullptr, QStringLiteral("Windows 通信端口初始化失败。"), programName());
    ASSERT_EQ(recorder.notices().size(), 2u);
    EXPECT_EQ(recorder.notices()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(recorder.notices()[1].title, QStringLiteral("serverconf"));
}

}  // namespace
}  // namespace serverconf
