// What the window keeps for the next run, in the test's own settings
// folder: its place on the screen and the language chosen in its system menu.

#include "app/device_manager_dialog.h"
#include "app/window_place.h"
#include "dialog_test_support.h"
#include "fake_network.h"
#include "preferences/preferences.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

TEST(RememberedChoices, TheWindowReturnsToItsPlaceAndOntoTheScreenWhenThatPlaceIsGone) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* what;
        QPoint left;
        QPoint restored;
    } cases[] = {
        {"on the screen", screen.topLeft() + QPoint(40, 30), screen.topLeft() + QPoint(40, 30)},
        {"on a screen no longer there", screen.topLeft() + QPoint(-9000, 30), screen.topLeft() + QPoint(0, 30)},
    };
    for (const auto& test : cases) {
        QWidget closed;
        closed.setFixedSize(200, 100);
        closed.move(test.left);
        rememberWindowPlace(closed);
        QWidget opened;
        opened.setFixedSize(200, 100);
        restoreWindowPlace(opened);
        EXPECT_EQ(opened.pos(), test.restored) << test.what;
    }
}

TEST(RememberedChoices, TheLanguageChosenInTheSystemMenuIsStoredAndTheChoiceIsConfirmed) {
    testing::FakeNetwork network;
    DeviceSession session;
    DeviceManagerDialog window(network, session);
    QMenu* languages = nullptr;
    for (QAction* action : window.systemMenu()->actions()) {
        if (action->menu()) languages = action->menu();
    }
    ASSERT_NE(languages, nullptr) << "the system menu has a language entry";
    testing::NoticeRecorder notices;
    for (const auto& [name, code] : {std::pair{"English", "en"}, std::pair{"中文", "zh"}}) {
        QAction* entry = nullptr;
        for (QAction* action : languages->actions()) {
            if (action->text() == QString::fromUtf8(name)) entry = action;
        }
        ASSERT_NE(entry, nullptr) << name;
        entry->trigger();
        EXPECT_EQ(storedLanguageCode(), QString::fromLatin1(code)) << name;
    }
    EXPECT_EQ(notices.notices().size(), 2u) << "each choice says when it applies";
}

}  // namespace
}  // namespace serverconf
