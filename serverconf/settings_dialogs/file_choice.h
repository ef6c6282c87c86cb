#pragma once
// Every file dialog of serverconf goes through chooseFileName(), and the
// question before an existing file is replaced through confirmReplace().
// Tests install hooks that answer in place of the modal windows.

#include <QString>

#include <functional>

class QWidget;

namespace serverconf {

enum class FileChoice {
    Save,  // any name may be typed; replacing is asked about by the caller
    Open,  // only an existing file can be chosen
};

// Shows the platform's file dialog with one file type, `filter` (for
// example "设备配置文件(*.ds)"), no preset name and no default extension,
// opened in the folder of the last file chosen (kept between runs).
// Returns the chosen name with its folder, or an empty text when cancelled.
QString chooseFileName(QWidget* parent, FileChoice kind, const QString& filter);

// Asks whether the existing file `path` may be replaced; true for yes.
bool confirmReplace(QWidget* parent, const QString& path);

// While set, answers chooseFileName in place of the dialog (an empty answer is a cancel).
using FileChoiceHook = std::function<QString(FileChoice kind, const QString& filter)>;
void setFileChoiceHook(FileChoiceHook hook);

// While set, answers confirmReplace in place of the question.
using ReplaceQuestionHook = std::function<bool(const QString& path)>;
void setReplaceQuestionHook(ReplaceQuestionHook hook);

}  // namespace serverconf
