#pragma once
// Every modal dialog of serverconf is run through runModal(). A test installs
// a hook that is called from inside each dialog's own modal loop, once the
// dialog is showing, so it can fill in fields and press buttons the way a
// user would, without sleeping and without hunting for the active window.

#include <functional>

class QDialog;

namespace serverconf {

// Runs `dialog` modally and returns its result (QDialog::Accepted or Rejected).
int runModal(QDialog& dialog);

// Called with each dialog right after its modal run has started, while set.
using ModalHook = std::function<void(QDialog& dialog)>;
void setModalHook(ModalHook hook);

}  // namespace serverconf
