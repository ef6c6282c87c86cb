#pragma once
// Placement in dialog units. Every dialog is laid out in the units of its
// design: a horizontal unit is a quarter of the average character width and
// a vertical unit an eighth of the character height of the dialog's own
// font, so a dialog keeps its proportions with whatever font renders it.

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace serverconf {

class DialogUnits {
public:
    // Base units taken from the font's metrics.
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QSize size(int width, int height) const;
    QRect rect(int left, int top, int width, int height) const;

    // Moves and sizes `control` within its parent.
    void place(QWidget* control, int left, int top, int width, int height) const;

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

private:
    int baseWidth_;
    int baseHeight_;
};

// Gives `dialog` its base font and a fixed client size in dialog units of that font;
// returns the units for placing its controls.
DialogUnits layOutDialog(QWidget* dialog, const QFont& baseFont, int width, int height);

}  // namespace serverconf
