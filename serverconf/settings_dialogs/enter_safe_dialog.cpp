#include "enter_safe_dialog.h"

#include <QKeyEvent>

namespace serverconf {

void EnterSafeDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace serverconf
