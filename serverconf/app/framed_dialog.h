#pragma once
// A dialog that draws its own frame: a flat caption band and border in the
// caption colour, the program icon, caption-button pictures and the title in
// white bold type, inside a window region with rounded corners. The window
// system's frame is switched off, so the caption also does the work of one:
// it drags the window, the close picture closes it, and a click on the icon
// (or a right click anywhere on the caption) opens the system menu.

#include <QDialog>
#include <QRect>

class QMenu;

namespace serverconf {

class FramedDialog : public QDialog {
    Q_OBJECT
public:
    // Frame measures in pixels: border width and height, caption-button height
    // (tall enough for the 18-pixel title in a CJK face, whose lines are higher).
    static constexpr int frameWidth = 4;
    static constexpr int frameHeight = 4;
    static constexpr int captionButtonHeight = 26;
    static constexpr int captionHeight = frameHeight + captionButtonHeight;

    explicit FramedDialog(QWidget* parent = nullptr);

    // The area inside the frame; controls are placed on it.
    QWidget* clientArea() const { return client_; }
    // Sizes the window around the client area's present size.
    void fitToClient();

    // The system menu opened from the icon: "关闭(&C)" and whatever the window adds.
    QMenu* systemMenu() const { return systemMenu_; }

    // Where the caption pictures and the icon are drawn (window coordinates).
    QRect iconRect() const;
    QRect closeRect() const;
    QRect maximiseRect() const;
    QRect minimiseRect() const;
    QRect titleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintFrame(QPainter& painter);
    void openSystemMenu(const QPoint& globalPosition);
    bool onCaption(const QPoint& position) const;

    QWidget* client_;
    QMenu* systemMenu_;
    bool closePressed_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace serverconf
