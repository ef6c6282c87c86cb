#include "file_choice.h"

#include "preferences/preferences.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMessageBox>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(fileChoiceLog, "serverconf.filechoice", QtWarningMsg)

FileChoiceHook& installedChoiceHook() {
    static FileChoiceHook hook;
    return hook;
}

ReplaceQuestionHook& installedReplaceHook() {
    static ReplaceQuestionHook hook;
    return hook;
}

}  // namespace

QString chooseFileName(QWidget* parent, FileChoice kind, const QString& filter) {
    QString chosen;
    if (installedChoiceHook()) {
        chosen = installedChoiceHook()(kind, filter);
    } else if (kind == FileChoice::Save) {
        chosen = QFileDialog::getSaveFileName(parent, QString(), lastFileFolder(), filter, nullptr,
                                              QFileDialog::DontConfirmOverwrite);
    } else {
        chosen = QFileDialog::getOpenFileName(parent, QString(), lastFileFolder(), filter);
    }
    // The next file dialog, in this run or the next, opens in this folder.
    if (!chosen.isEmpty()) storeLastFileFolder(QFileInfo(chosen).absolutePath());
    qCDebug(fileChoiceLog) << (kind == FileChoice::Save ? "save as" : "open") << chosen;
    return chosen;
}

bool confirmReplace(QWidget* parent, const QString& path) {
    bool replace = false;
    if (installedReplaceHook()) {
        replace = installedReplaceHook()(path);
    } else {
        replace =
            QMessageBox::question(parent, QCoreApplication::translate("serverconf::FileChoice", "确认另存为"),
                                  QCoreApplication::translate("serverconf::FileChoice", "%1 已存在。\n要替换它吗?")
                                      .arg(QFileInfo(path).fileName()),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    }
    qCDebug(fileChoiceLog) << "replace" << path << replace;
    return replace;
}

void setFileChoiceHook(FileChoiceHook hook) { installedChoiceHook() = std::move(hook); }

void setReplaceQuestionHook(ReplaceQuestionHook hook) { installedReplaceHook() = std::move(hook); }

}  // namespace serverconf
