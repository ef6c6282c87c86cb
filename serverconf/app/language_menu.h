#pragma once
// The language entry of the main window's system menu: Chinese or English,
// stored for the next runs (a --lang option or SERVERCONF_LANG still wins).

class QMenu;
class QWidget;

namespace serverconf {

// Appends the entry to `systemMenu`; `window` is the parent of its notice.
void addLanguageMenu(QMenu* systemMenu, QWidget* window);

}  // namespace serverconf
