#pragma once
// A dialog that Enter does not close. Enter on a focused push button still
// presses it (the button handles the key); anywhere else, in a field or a
// list, it does nothing, so a stray Enter never ends the settings with the
// user's edits neither written nor stored. Escape still cancels.

#include <QDialog>

namespace serverconf {

class EnterSafeDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace serverconf
