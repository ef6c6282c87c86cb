#pragma once
// The small captionless window that holds an operation for about a second
// after a search or a set of configuration commands, while replies arrive
// and the device applies its settings. It closes itself; the modal loop it
// runs keeps handling socket notifications meanwhile.

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;

namespace serverconf {

// Which wait the progress window stands for: a search or an update.
enum class ProgressMode { Search, Update };

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    ProgressDialog(ProgressMode mode, QWidget* parent = nullptr);

    // The text line for a mode.
    static QString textFor(ProgressMode mode);

    // Shows the window modally until it closes itself (or is closed by a key).
    // `beforeClosing` runs when the wait is over, the window still open (the
    // check that follows an update).
    static void run(ProgressMode mode, QWidget* parent, const std::function<void()>& beforeClosing = {});

    // How long the bar stands empty before it fills and the window closes.
    static constexpr int waitMilliseconds = 1000;

    QString text() const;
    int barValue() const;
    int barMaximum() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void finishWaiting();

    QProgressBar* bar_;
    QLabel* textLine_;
    bool waiting_ = false;
    std::function<void()> beforeClosing_;
};

}  // namespace serverconf
