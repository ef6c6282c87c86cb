// Where a window stored in an earlier run is shown on today's screens.

#include "preferences/window_placement.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

struct PlacementCase {
    const char* what;
    QRect stored;
    QList<QRect> screens;
    QRect expected;
};

const QRect kLeft(0, 0, 1920, 1040);
const QRect kRight(1920, 0, 1280, 1024);
const QRect kWindow(100, 100, 560, 330);

const PlacementCase kCases[] = {
    {"on the screen: kept", kWindow, {kLeft}, kWindow},
    {"on the second screen: kept", QRect(2000, 300, 560, 330), {kLeft, kRight}, QRect(2000, 300, 560, 330)},
    {"across two screens: kept", QRect(1700, 100, 560, 330), {kLeft, kRight}, QRect(1700, 100, 560, 330)},
    {"mostly off the right edge, caption still takeable: kept",
     QRect(1850, 100, 560, 330),
     {kLeft},
     QRect(1850, 100, 560, 330)},
    {"second screen gone: onto the remaining one, as near as it fits",
     QRect(2000, 300, 560, 330),
     {kLeft},
     QRect(1360, 300, 560, 330)},
    {"caption above the screen: moved down onto it", QRect(100, -200, 560, 330), {kLeft}, QRect(100, 0, 560, 330)},
    {"caption just off the top (bottom still shown): moved",
     QRect(100, -19, 560, 330),
     {kLeft},
     QRect(100, 0, 560, 330)},
    {"far left: onto the left edge", QRect(-5000, 100, 560, 330), {kLeft, kRight}, QRect(0, 100, 560, 330)},
    {"below everything, nearer the right screen: onto it",
     QRect(2500, 3000, 560, 330),
     {kLeft, kRight},
     QRect(2500, 694, 560, 330)},
    {"larger than the screen: top left corner on it",
     QRect(-100, -100, 800, 600),
     {QRect(0, 0, 640, 480)},
     QRect(0, 0, 800, 600)},
    {"no screen known: kept", QRect(-5000, 100, 560, 330), {}, QRect(-5000, 100, 560, 330)},
};

TEST(WindowPlacement, AStoredPlaceIsKeptWhileItsCaptionIsOnAScreenAndMovedOntoTheNearestOtherwise) {
    for (const PlacementCase& test : kCases) {
        EXPECT_EQ(placedOnScreens(test.stored, test.screens), test.expected) << test.what;
    }
}

}  // namespace
}  // namespace serverconf
