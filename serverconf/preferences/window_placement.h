#pragma once
// Where a window restored from an earlier run goes when the screens have
// changed since: it stays where it was while its caption can still be taken
// with the mouse, and moves onto the nearest screen otherwise.

#include <QList>
#include <QRect>

namespace serverconf {

// `window` as it was stored, `screens` the available areas of the screens
// now (the primary one first). Returns the rectangle to show the window in;
// its size never changes.
QRect placedOnScreens(const QRect& window, const QList<QRect>& screens);

}  // namespace serverconf
