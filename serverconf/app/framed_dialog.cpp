#include "app/framed_dialog.h"

#include "app/window_colours.h"
#include "app/window_images.h"
#include "dialogs/dialog_fonts.h"

#include <QBitmap>
#include <QEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(frameLog, "serverconf.frame", QtWarningMsg)

// Rounded window shape: corners cut by an ellipse 5 pixels wide and high.
QRegion roundedRegion(const QSize& size) {
    QBitmap shape(size);
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(QRect(QPoint(0, 0), size), 2.5, 2.5);
    return QRegion(shape);
}

// Draws `picture` centred in `area`, which is filled with the caption colour first.
void drawCaptionPicture(QPainter& painter, const QRect& area, const QPixmap& picture) {
    painter.fillRect(area, captionColour());
    const QPoint corner =
        area.topLeft() + QPoint((area.width() - picture.width()) / 2, (area.height() - picture.height()) / 2);
    painter.drawPixmap(corner, picture);
}

}  // namespace

FramedDialog::FramedDialog(QWidget* parent)
    // A window of its own rather than a transient dialog, so it shows in the task bar.
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint),
      client_(new QWidget(this)),
      systemMenu_(new QMenu(this)) {
    client_->move(frameWidth, captionHeight);
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, clientBackgroundColour());
    client_->setPalette(palette);
    systemMenu_->addAction(tr("关闭(&C)"), this, &QWidget::close);
}

void FramedDialog::fitToClient() {
    setFixedSize(client_->width() + 2 * frameWidth, client_->height() + captionHeight + frameHeight);
}

QRect FramedDialog::iconRect() const { return QRect(frameWidth, frameHeight, 16, 15); }

QRect FramedDialog::closeRect() const { return QRect(width() - frameWidth - 20, frameHeight, 20, 20); }

QRect FramedDialog::maximiseRect() const { return QRect(closeRect().x() - 19, frameHeight, 16, 20); }

QRect FramedDialog::minimiseRect() const { return QRect(maximiseRect().x() - 19, frameHeight, 16, 20); }

QRect FramedDialog::titleRect() const {
    return QRect(QPoint(frameWidth + 19, frameHeight), QPoint(width() - frameWidth - 1, frameHeight + 30 - 1));
}

void FramedDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFrame(painter);
}

// Band and borders, icon, caption pictures, then the title (drawn last, so a
// long title runs over the pictures, clipped to its rectangle).
void FramedDialog::paintFrame(QPainter& painter) {
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, captionHeight, captionColour());
    painter.fillRect(0, 0, frameWidth, h, captionColour());
    painter.fillRect(0, h - frameHeight, w, frameHeight, captionColour());
    painter.fillRect(w - frameWidth, 0, frameWidth, h, captionColour());
    painter.drawPixmap(iconRect(), programIcon().pixmap(16, 16));
    drawCaptionPicture(painter, closeRect(), closePicture());
    drawCaptionPicture(painter, maximiseRect(), isMaximized() ? restorePicture() : maximisePicture());
    drawCaptionPicture(painter, minimiseRect(), minimisePicture());
    painter.setFont(captionTitleFont());
    painter.setPen(Qt::white);
    painter.setClipRect(titleRect());
    painter.drawText(titleRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, windowTitle());
}

void FramedDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setMask(roundedRegion(size()));
}

void FramedDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::ActivationChange ||
        event->type() == QEvent::WindowTitleChange) {
        update(0, 0, width(), captionHeight);
    }
}

bool FramedDialog::onCaption(const QPoint& position) const {
    return position.y() >= 0 && position.y() < captionHeight && rect().contains(position);
}

void FramedDialog::openSystemMenu(const QPoint& globalPosition) { systemMenu_->popup(globalPosition); }

void FramedDialog::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (!onCaption(position)) {
        QDialog::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::RightButton) {
        openSystemMenu(event->globalPosition().toPoint());
    } else if (event->button() == Qt::LeftButton) {
        if (iconRect().contains(position)) {
            openSystemMenu(mapToGlobal(QPoint(frameWidth, captionHeight)));
        } else if (closeRect().contains(position)) {
            closePressed_ = true;
        } else if (!minimiseRect().contains(position) && !maximiseRect().contains(position)) {
            // The window system moves the window where it can; elsewhere it follows the mouse here.
            dragging_ = !(windowHandle() && windowHandle()->startSystemMove());
            dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
            qCDebug(frameLog) << "caption drag, by the window system:" << !dragging_;
        }
    }
    event->accept();
}

void FramedDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void FramedDialog::mouseReleaseEvent(QMouseEvent* event) {
    const bool closeClicked = closePressed_ && closeRect().contains(event->position().toPoint());
    closePressed_ = false;
    dragging_ = false;
    if (closeClicked) {
        close();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

}  // namespace serverconf
