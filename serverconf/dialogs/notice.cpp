#include "dialogs/notice.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMessageBox>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(noticeLog, "serverconf.notice", QtWarningMsg)

NoticeHook& installedHook() {
    static NoticeHook hook;
    return hook;
}

}  // namespace

QString noticeTitle() { return QCoreApplication::translate("serverconf::Notice", "提示"); }

QString programName() { return QStringLiteral("serverconf"); }

void notice(QWidget* parent, const QString& text, const QString& title) {
    qCDebug(noticeLog) << title << text;
    if (installedHook()) {
        installedHook()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void setNoticeHook(NoticeHook hook) { installedHook() = std::move(hook); }

}  // namespace serverconf
