#include "dialogs/ip_address_edit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStringList>

#include <algorithm>

namespace serverconf {
namespace {

constexpr int maxPartValue = 255;

// Canonical decimal text of one part: no leading zeros, at most 255, blank stays blank.
QString normalisedPart(const QString& digits) {
    if (digits.isEmpty()) return {};
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (!ok) return {};
    return QString::number(qMin(value, maxPartValue));
}

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    auto* digitsOnly = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (int i = 0; i < 4; ++i) {
        auto* part = new QLineEdit(this);
        part->setFrame(false);
        part->setAlignment(Qt::AlignCenter);
        part->setMaxLength(3);
        part->setValidator(digitsOnly);
        part->setContextMenuPolicy(Qt::NoContextMenu);
        part->installEventFilter(this);
        connect(part, &QLineEdit::textEdited, this, [this, i] { partEdited(i); });
        parts_[i] = part;
    }
    setFocusProxy(parts_[0]);
    layOutParts();
}

QString IpAddressEdit::text() const {
    if (isBlank()) return {};
    QStringList pieces;
    for (const QLineEdit* part : parts_) {
        const QString piece = normalisedPart(part->text());
        pieces << (piece.isEmpty() ? QStringLiteral("0") : piece);
    }
    return pieces.join(QLatin1Char('.'));
}

void IpAddressEdit::setText(const QString& address) {
    const QStringList pieces = address.trimmed().split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        const QString piece = i < pieces.size() ? pieces[i].trimmed() : QString();
        const bool digits = !piece.isEmpty() && piece.size() <= 3 &&
                            std::all_of(piece.begin(), piece.end(), [](QChar c) { return c.isDigit(); });
        parts_[i]->setText(digits ? normalisedPart(piece) : QString());
    }
}

void IpAddressEdit::clear() {
    for (QLineEdit* part : parts_) part->clear();
}

bool IpAddressEdit::isBlank() const {
    return std::all_of(parts_.begin(), parts_.end(), [](const QLineEdit* part) { return part->text().isEmpty(); });
}

void IpAddressEdit::partEdited(int index) {
    QLineEdit* part = parts_[index];
    const QString digits = part->text();
    if (digits.size() == 3) {
        part->setText(normalisedPart(digits));
        if (index < 3) {
            parts_[index + 1]->setFocus();
            parts_[index + 1]->selectAll();
        }
    }
}

int IpAddressEdit::indexOf(QObject* part) const {
    for (int i = 0; i < 4; ++i) {
        if (parts_[i] == part) return i;
    }
    return -1;
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    const int index = indexOf(watched);
    if (index >= 0 && event->type() == QEvent::FocusOut) {
        parts_[index]->setText(normalisedPart(parts_[index]->text()));
    }
    if (index < 0 || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* part = parts_[index];
    const bool dot = key->text() == QStringLiteral(".") || key->key() == Qt::Key_Space;
    if (dot) {
        if (index < 3 && !part->text().isEmpty()) {
            parts_[index + 1]->setFocus();
            parts_[index + 1]->selectAll();
        }
        return true;
    }
    if (key->key() == Qt::Key_Backspace && part->cursorPosition() == 0 && !part->hasSelectedText() && index > 0) {
        QLineEdit* previous = parts_[index - 1];
        previous->setFocus();
        previous->setCursorPosition(previous->text().size());
        return true;
    }
    if (key->key() == Qt::Key_Left && part->cursorPosition() == 0 && index > 0) {
        parts_[index - 1]->setFocus();
        parts_[index - 1]->setCursorPosition(parts_[index - 1]->text().size());
        return true;
    }
    if (key->key() == Qt::Key_Right && part->cursorPosition() == part->text().size() && index < 3) {
        parts_[index + 1]->setFocus();
        parts_[index + 1]->setCursorPosition(0);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void IpAddressEdit::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layOutParts();
}

void IpAddressEdit::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        for (QLineEdit* part : parts_) part->setFont(font());
        layOutParts();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

int IpAddressEdit::dotWidth() const { return qMax(4, fontMetrics().horizontalAdvance(QLatin1Char('.')) + 2); }

// Four equal parts with a gap for a dot between neighbours.
void IpAddressEdit::layOutParts() {
    const QRect inner = contentsRect();
    const int gap = dotWidth();
    const int partWidth = qMax(1, (inner.width() - 3 * gap) / 4);
    int left = inner.left();
    for (QLineEdit* part : parts_) {
        part->setGeometry(left, inner.top(), partWidth, inner.height());
        left += partWidth + gap;
    }
    update();
}

void IpAddressEdit::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    for (int i = 0; i < 3; ++i) {
        const QRect partRect = parts_[i]->geometry();
        const QRect gapRect(partRect.right() + 1, partRect.top(), dotWidth(), partRect.height());
        painter.drawText(gapRect, Qt::AlignCenter, QStringLiteral("."));
    }
}

}  // namespace serverconf
