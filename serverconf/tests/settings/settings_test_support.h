#pragma once
// Driving the settings dialogs as a user does: picking a list entry with the
// keyboard (each step is a user's choice), and answering the file dialogs.

#include "dialogs/file_choice.h"
#include "dialogs/parameter_choice_box.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

namespace serverconf::testing {

// Moves the list's selection to the entry showing `text` with the arrow keys.
inline void pick(ParameterChoiceBox* list, const QString& text) {
    const int target = list->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    while (list->currentIndex() < target) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > target) QTest::keyClick(list, Qt::Key_Up);
}

// Types `text` one character at a time the way an input method commits it,
// so Chinese characters go in as they do for a user.
inline void typeText(QWidget* field, const QString& text) {
    for (QChar character : text) {
        QInputMethodEvent commit;
        commit.setCommitString(QString(character));
        QApplication::sendEvent(field, &commit);
    }
}

// Answers each file dialog with the next name (an empty one once they run
// out: a cancel) and each replace question with `replace`, recording both.
class FileDialogScript {
public:
    explicit FileDialogScript(QStringList names, bool replace = true) : names_(std::move(names)) {
        setFileChoiceHook([this](FileChoice kind, const QString& filter) {
            kinds.push_back(kind);
            filters << filter;
            return names_.isEmpty() ? QString() : names_.takeFirst();
        });
        setReplaceQuestionHook([this, replace](const QString& path) {
            replaceQuestions << path;
            return replace;
        });
    }
    ~FileDialogScript() {
        setFileChoiceHook({});
        setReplaceQuestionHook({});
    }
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    std::vector<FileChoice> kinds;
    QStringList filters;
    QStringList replaceQuestions;

private:
    QStringList names_;
};

}  // namespace serverconf::testing
