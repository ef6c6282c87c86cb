#include "app/window_place.h"

#include "preferences/preferences.h"
#include "preferences/window_placement.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QWidget>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(placeLog, "serverconf.windowplace", QtWarningMsg)

// The available areas of the screens, the primary one first.
QList<QRect> screenAreas() {
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen()) areas << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) areas << screen->availableGeometry();
    }
    return areas;
}

}  // namespace

void restoreWindowPlace(QWidget& window) {
    const std::optional<QRect> stored = storedWindowGeometry();
    if (!stored) return;
    const QRect placed = placedOnScreens(QRect(stored->topLeft(), window.size()), screenAreas());
    qCDebug(placeLog) << "stored" << *stored << "placed" << placed;
    window.move(placed.topLeft());
}

void rememberWindowPlace(const QWidget& window) { storeWindowGeometry(window.frameGeometry()); }

}  // namespace serverconf
