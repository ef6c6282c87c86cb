#include "preferences/window_placement.h"

#include <limits>

namespace serverconf {
namespace {

// How much of the caption must lie on a screen for the mouse to take it.
constexpr int kGripWidth = 60;
constexpr int kGripHeight = 20;

bool captionReachable(const QRect& window, const QRect& screen) {
    const QRect caption(window.topLeft(), QSize(window.width(), qMin(window.height(), kGripHeight)));
    const QRect shown = caption & screen;
    return shown.width() >= qMin(window.width(), kGripWidth) && shown.height() >= caption.height();
}

// Squared distance from `point` to the nearest point of `area`.
long long distanceSquared(const QPoint& point, const QRect& area) {
    const long long dx = point.x() < area.left() ? area.left() - point.x() : qMax(0, point.x() - area.right());
    const long long dy = point.y() < area.top() ? area.top() - point.y() : qMax(0, point.y() - area.bottom());
    return dx * dx + dy * dy;
}

}  // namespace

QRect placedOnScreens(const QRect& window, const QList<QRect>& screens) {
    const QRect* nearest = nullptr;
    long long nearestDistance = std::numeric_limits<long long>::max();
    for (const QRect& screen : screens) {
        if (captionReachable(window, screen)) return window;
        const long long distance = distanceSquared(window.center(), screen);
        if (distance < nearestDistance) {
            nearest = &screen;
            nearestDistance = distance;
        }
    }
    if (!nearest) return window;
    // As close to the stored place as the screen allows; a window larger
    // than the screen keeps its top left corner on it.
    const int x = qMax(nearest->left(), qMin(window.left(), nearest->right() + 1 - window.width()));
    const int y = qMax(nearest->top(), qMin(window.top(), nearest->bottom() + 1 - window.height()));
    return QRect(QPoint(x, y), window.size());
}

}  // namespace serverconf
