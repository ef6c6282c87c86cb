#pragma once
// The colours of the main window.

#include <QColor>

namespace serverconf {

inline QColor captionColour() { return QColor(187, 200, 143); }
inline QColor clientBackgroundColour() { return QColor(236, 233, 216); }
inline QColor groupFrameTextColour() { return QColor(0, 0, 255); }

}  // namespace serverconf
