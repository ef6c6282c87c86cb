#pragma once
// Test helpers for the window: record the messages that notice() would show,
// and script the modal dialogs that open, each step acting from inside the
// dialog's own modal loop (the modal-run seam), never by sleeping.

#include "dialogs/modal_run.h"
#include "dialogs/notice.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <string>

namespace serverconf::testing {

struct RecordedNotice {
    QString title;
    QString text;
};

// Records every notice while it lives; no message box opens.
class NoticeRecorder {
public:
    NoticeRecorder();
    ~NoticeRecorder();
    NoticeRecorder(const NoticeRecorder&) = delete;
    NoticeRecorder& operator=(const NoticeRecorder&) = delete;

    const std::vector<RecordedNotice>& notices() const { return notices_; }
    QStringList texts() const;

private:
    std::vector<RecordedNotice> notices_;
};

// Records every debug message that reaches Qt's message handler while it
// lives (as "category: text"): with no QT_LOGGING_RULES set there must be none.
class DebugMessageRecorder {
public:
    DebugMessageRecorder();
    ~DebugMessageRecorder();
    DebugMessageRecorder(const DebugMessageRecorder&) = delete;
    DebugMessageRecorder& operator=(const DebugMessageRecorder&) = delete;

    // One message a line, empty when there was none.
    std::string messages() const;
    // True when logging rules come from outside (QT_LOGGING_RULES, QT_LOGGING_CONF).
    static bool rulesSetOutside();
};

// Plays one step per modal dialog, in the order the dialogs open, while it
// lives. A dialog that opens with no step left runs on its own (a progress
// window closes itself); its class name is recorded either way.
class ModalScript {
public:
    using Step = std::function<void(QDialog&)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Adds a step for the next dialog of class T that opens; dialogs of other classes in between run on their own.
    template <typename T>
    ModalScript& then(std::function<void(T&)> step) {
        steps_.push_back([step](QDialog& dialog) {
            if (auto* typed = qobject_cast<T*>(&dialog)) step(*typed);
        });
        stepClasses_.push_back(&T::staticMetaObject);
        return *this;
    }

    // Class names of the dialogs that opened, in order.
    const QStringList& opened() const { return opened_; }
    bool allStepsPlayed() const { return steps_.empty(); }

private:
    void onDialog(QDialog& dialog);

    std::deque<Step> steps_;
    std::deque<const QMetaObject*> stepClasses_;
    QStringList opened_;
};

}  // namespace serverconf::testing
