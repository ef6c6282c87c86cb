#pragma once
// The main window's place on the screen, kept from one run to the next.

class QWidget;

namespace serverconf {

// Moves `window` to where it was at the end of the last run, onto a screen
// if that place is on none of today's screens. Its size stays the layout's.
void restoreWindowPlace(QWidget& window);

// Keeps the window's place for the next run.
void rememberWindowPlace(const QWidget& window);

}  // namespace serverconf
