#include "dialogs/modal_run.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

namespace serverconf {
namespace {

ModalHook& installedHook() {
    static ModalHook hook;
    return hook;
}

}  // namespace

int runModal(QDialog& dialog) {
    if (installedHook()) {
        // A single-shot timer fires from inside the modal loop started below.
        QPointer<QDialog> running(&dialog);
        QTimer::singleShot(0, &dialog, [running] {
            // A copy, since the hook may install the next one while it runs.
            const ModalHook hook = installedHook();
            if (running && running->isVisible() && hook) hook(*running);
        });
    }
    return dialog.exec();
}

void setModalHook(ModalHook hook) { installedHook() = std::move(hook); }

}  // namespace serverconf
