#include "dialogs/dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

namespace serverconf {
namespace {

// Rounded units * base / divisor, the way dialog rectangles are mapped.
int scale(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width is measured over the 52 Latin letters and rounded.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = qMax(1, (letters / 26 + 1) / 2);
    baseHeight_ = qMax(1, metrics.height());
}

int DialogUnits::x(int units) const { return scale(units, baseWidth_, 4); }

int DialogUnits::y(int units) const { return scale(units, baseHeight_, 8); }

QSize DialogUnits::size(int width, int height) const { return QSize(x(width), y(height)); }

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return QRect(QPoint(x(left), y(top)), size(width, height));
}

void DialogUnits::place(QWidget* control, int left, int top, int width, int height) const {
    control->setGeometry(rect(left, top, width, height));
}

DialogUnits layOutDialog(QWidget* dialog, const QFont& baseFont, int width, int height) {
    dialog->setFont(baseFont);
    const DialogUnits units(baseFont);
    dialog->setFixedSize(units.size(width, height));
    return units;
}

}  // namespace serverconf
