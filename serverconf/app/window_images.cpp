#include "app/window_images.h"

#include "app/window_colours.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace serverconf {
namespace {

QPixmap transparentPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

// A small device server: a box with a network socket and a lit lamp.
QPixmap programIconPicture(int size) {
    QPixmap pixmap = transparentPixmap(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    QLinearGradient body(0, 6, 0, 28);
    body.setColorAt(0, QColor(120, 150, 200));
    body.setColorAt(1, QColor(40, 70, 130));
    painter.setPen(QPen(QColor(20, 40, 80), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2, 8, 28, 16), 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 230, 230));
    painter.drawRect(QRectF(6, 12, 8, 7));
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRect(QRectF(8, 14, 4, 3));
    painter.setBrush(QColor(80, 230, 80));
    painter.drawEllipse(QPointF(20, 16), 2.2, 2.2);
    painter.setBrush(QColor(250, 190, 40));
    painter.drawEllipse(QPointF(26, 16), 2.2, 2.2);
    painter.setPen(QPen(QColor(20, 40, 80), 2));
    painter.drawLine(QPointF(16, 24), QPointF(16, 30));
    painter.drawLine(QPointF(8, 30), QPointF(24, 30));
    return pixmap;
}

namespace {

QPixmap drawIndicator(const QColor& centre, const QColor& rim) {
    QPixmap pixmap = transparentPixmap(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient lamp(QPointF(6.5, 6.5), 7.5);
    lamp.setColorAt(0, centre.lighter(150));
    lamp.setColorAt(0.6, centre);
    lamp.setColorAt(1, rim);
    painter.setPen(QPen(rim.darker(130), 1));
    painter.setBrush(lamp);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return pixmap;
}

// A caption button face of 16 x 15 in the caption colour with a raised edge;
// `glyph` draws the symbol into it.
template <typename Glyph>
QPixmap drawCaptionButton(Glyph glyph) {
    const QColor face = captionColour();
    QPixmap pixmap(16, 15);
    pixmap.fill(face);
    QPainter painter(&pixmap);
    painter.setPen(face.lighter(130));
    painter.drawLine(0, 0, 15, 0);
    painter.drawLine(0, 0, 0, 14);
    painter.setPen(face.darker(160));
    painter.drawLine(0, 14, 15, 14);
    painter.drawLine(15, 0, 15, 14);
    painter.setPen(QPen(Qt::white, 2));
    glyph(painter);
    return pixmap;
}

}  // namespace

QIcon programIcon() {
    static const QIcon icon = [] {
        QIcon drawn;
        for (int size : {16, 32, 48}) drawn.addPixmap(programIconPicture(size));
        return drawn;
    }();
    return icon;
}

QIcon statusImage(int index) {
    static const QIcon otherNetwork(drawIndicator(QColor(0, 100, 0), QColor(0, 50, 0)));
    static const QIcon sameNetwork(drawIndicator(QColor(0, 255, 0), QColor(0, 150, 0)));
    static const QIcon addressConflict(drawIndicator(QColor(255, 40, 40), QColor(150, 0, 0)));
    if (index == 2) return addressConflict;
    return index == 1 ? sameNetwork : otherNetwork;
}

QPixmap closePicture() {
    static const QPixmap picture = drawCaptionButton([](QPainter& painter) {
        painter.drawLine(4, 3, 11, 11);
        painter.drawLine(11, 3, 4, 11);
    });
    return picture;
}

QPixmap restorePicture() {
    static const QPixmap picture = drawCaptionButton([](QPainter& painter) {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(6, 3, 6, 5);
        painter.drawLine(6, 4, 12, 4);
        painter.drawRect(3, 6, 6, 5);
        painter.drawLine(3, 7, 9, 7);
    });
    return picture;
}

QPixmap maximisePicture() {
    static const QPixmap picture = drawCaptionButton([](QPainter& painter) {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(3, 3, 9, 8);
        painter.drawLine(3, 4, 12, 4);
    });
    return picture;
}

QPixmap minimisePicture() {
    static const QPixmap picture = drawCaptionButton([](QPainter& painter) { painter.drawLine(4, 10, 11, 10); });
    return picture;
}

}  // namespace serverconf
