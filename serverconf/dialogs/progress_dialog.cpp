#include "dialogs/progress_dialog.h"

#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "dialogs/modal_run.h"
#include "messages/user_messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <utility>

namespace serverconf {

ProgressDialog::ProgressDialog(ProgressMode mode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), bar_(new QProgressBar(this)), textLine_(new QLabel(this)) {
    const DialogUnits units = layOutDialog(this, systemTemplateFont(), 143, 41);
    units.place(bar_, 7, 8, 127, 10);
    bar_->setRange(0, 10000);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    textLine_->setFont(dialogFont(18));
    units.place(textLine_, 5, 25, 137, 8);
    // The text line is sized in units of the base font; let the larger text font overflow downwards.
    textLine_->setMinimumHeight(textLine_->fontMetrics().height());
    textLine_->resize(textLine_->width(), qMax(textLine_->height(), textLine_->fontMetrics().height()));
    textLine_->setText(textFor(mode));
}

// The wait starts when the window first appears.
void ProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (waiting_) return;
    waiting_ = true;
    QTimer::singleShot(waitMilliseconds, this, &ProgressDialog::finishWaiting);
}

QString ProgressDialog::textFor(ProgressMode mode) {
    return mode == ProgressMode::Search ? tr("正在搜索设备，请等待!") : userMessage(kUpdatingDeviceMessage);
}

void ProgressDialog::run(ProgressMode mode, QWidget* parent, const std::function<void()>& beforeClosing) {
    ProgressDialog dialog(mode, parent);
    dialog.beforeClosing_ = beforeClosing;
    runModal(dialog);
}

QString ProgressDialog::text() const { return textLine_->text(); }

int ProgressDialog::barValue() const { return bar_->value(); }

int ProgressDialog::barMaximum() const { return bar_->maximum(); }

// The wait is over: the bar shows full, then the window closes as OK.
void ProgressDialog::finishWaiting() {
    bar_->setValue(bar_->maximum());
    bar_->repaint();
    if (beforeClosing_) std::exchange(beforeClosing_, {})();
    accept();
}

// Escape closes as a cancel (the default); Enter closes as OK, there being no button.
void ProgressDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace serverconf
