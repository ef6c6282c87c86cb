#include "window_test_support.h"

namespace serverconf::testing {

NoticeRecorder::NoticeRecorder() {
    setNoticeHook([this](const QString& title, const QString& text) { notices_.push_back({title, text}); });
}

NoticeRecorder::~NoticeRecorder() { setNoticeHook({}); }

QStringList NoticeRecorder::texts() const {
    QStringList result;
    for (const RecordedNotice& recorded : notices_) result << recorded.text;
    return result;
}

ModalScript::ModalScript() {
    setModalHook([this](QDialog& dialog) { onDialog(dialog); });
}

ModalScript::~ModalScript() { setModalHook({}); }

void ModalScript::onDialog(QDialog& dialog) {
    opened_ << QString::fromLatin1(dialog.metaObject()->className());
    if (steps_.empty() || !dialog.metaObject()->inherits(stepClasses_.front())) return;
    const Step step = steps_.front();
    steps_.pop_front();
    stepClasses_.pop_front();
    step(dialog);
}

}  // namespace serverconf::testing
