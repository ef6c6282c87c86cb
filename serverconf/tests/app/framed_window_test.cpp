// The main window's own frame: shape, colours, caption pictures and the
// caption's clicks; the About box.

#include "app/framed_dialog.h"
#include "app/window_colours.h"
#include "app/window_images.h"
#include "dialog_test_support.h"
#include "dialogs/about_dialog.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using testing::ModalScript;

class FramedDialogTest : public ::testing::Test {
protected:
    FramedDialogTest() {
        window.setWindowTitle(QStringLiteral("设备管理"));
        window.clientArea()->resize(300, 200);
        window.fitToClient();
    }

    QImage picture() { return window.grab().toImage(); }

    FramedDialog window;
};

TEST_F(FramedDialogTest, FrameSurroundsTheClientAreaInItsColours) {
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(),
              QSize(300 + 2 * FramedDialog::frameWidth, 200 + FramedDialog::captionHeight + FramedDialog::frameHeight));
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(1, window.height() / 2), captionColour());
    EXPECT_EQ(image.pixelColor(window.width() - 2, window.height() / 2), captionColour());
    EXPECT_EQ(image.pixelColor(window.width() / 2, window.height() - 2), captionColour());
    EXPECT_EQ(image.pixelColor(window.width() / 2, window.height() / 2), clientBackgroundColour());
}

TEST_F(FramedDialogTest, CornersAreCutByTheRoundedRegion) {
    window.show();
    const QRegion shape = window.mask();
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(window.width() - 1, window.height() - 1)));
    EXPECT_TRUE(shape.contains(QPoint(window.width() / 2, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, window.height() / 2)));
    EXPECT_TRUE(shape.contains(QPoint(2, 2)));
}

TEST_F(FramedDialogTest, CaptionPicturesSitRightToLeftWithThreePixelGaps) {
    const int width = window.width();
    EXPECT_EQ(window.closeRect(), QRect(width - FramedDialog::frameWidth - 20, FramedDialog::frameHeight, 20, 20));
    EXPECT_EQ(window.maximiseRect().right() + 4, window.closeRect().left());
    EXPECT_EQ(window.minimiseRect().right() + 4, window.maximiseRect().left());
    EXPECT_EQ(window.titleRect().right(), width - FramedDialog::frameWidth - 1);
}

// The middle picture is "restore" only while the window is maximised.
TEST_F(FramedDialogTest, MiddlePictureShowsRestoreWhenMaximised) {
    const auto middlePicture = [this] {
        const QRect area = window.maximiseRect();
        const QPoint corner = area.topLeft() + QPoint((area.width() - 16) / 2, (area.height() - 15) / 2);
        return picture().copy(QRect(corner, QSize(16, 15)));
    };
    const QImage maximise = maximisePicture().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage restore = restorePicture().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_NE(maximise, restore);
    EXPECT_EQ(middlePicture().convertToFormat(QImage::Format_RGB32), maximise);
    window.setWindowState(Qt::WindowMaximized);
    EXPECT_EQ(middlePicture().convertToFormat(QImage::Format_RGB32), restore);
}

TEST_F(FramedDialogTest, ClosePictureClosesAndOtherPicturesDoNothing) {
    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, {}, window.minimiseRect().center());
    QTest::mouseClick(&window, Qt::LeftButton, {}, window.maximiseRect().center());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMaximized());
    QTest::mouseClick(&window, Qt::LeftButton, {}, window.closeRect().center());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(FramedDialogTest, IconOpensTheSystemMenuWithClose) {
    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, {}, window.iconRect().center());
    QMenu* menu = window.systemMenu();
    ASSERT_TRUE(menu->isVisible());
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("关闭(&C)"));
    menu->actions().first()->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST(AboutDialogTest, ShowsVersionAndClosesWithOk) {
    AboutDialog about(programIcon());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 "));
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("SW 1.0 版")));
    ModalScript script;
    script.then<AboutDialog>([](AboutDialog& shown) {
        const auto buttons = shown.findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons.first()->text(), QStringLiteral("确定"));
        buttons.first()->click();
    });
    EXPECT_EQ(runModal(about), QDialog::Accepted);
}

}  // namespace
}  // namespace serverconf
