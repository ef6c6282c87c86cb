#pragma once
// When a search sends its "X": three times spread over its window, so that
// one lost request or reply does not hide a device.

#include <QList>

namespace serverconf {

// The window every search reads replies in, and the one a list refresh and
// the targeted search read in after their first send.
inline constexpr int kSearchWindowMs = 1000;

// The moments, in milliseconds from the start, of the sends of a search
// whose window is `windowMs`: 0, 300 and 600 for the full second, scaled
// down with a shorter window (never beyond it).
QList<int> searchSendTimes(int windowMs);

}  // namespace serverconf
