#include "dialog_test_support.h"

#include <QMutex>

namespace serverconf::testing {
namespace {

// Reception workers may log from their own threads.
QMutex debugMessagesLock;
QStringList debugMessages;
QtMessageHandler previousHandler = nullptr;

void recordDebugMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtDebugMsg) {
        const QMutexLocker locker(&debugMessagesLock);
        debugMessages << QStringLiteral("%1: %2").arg(QLatin1StringView(context.category), text);
    }
    if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

DebugMessageRecorder::DebugMessageRecorder() {
    debugMessages.clear();
    previousHandler = qInstallMessageHandler(recordDebugMessage);
}

DebugMessageRecorder::~DebugMessageRecorder() { qInstallMessageHandler(previousHandler); }

std::string DebugMessageRecorder::messages() const {
    const QMutexLocker locker(&debugMessagesLock);
    return debugMessages.join(u'\n').toStdString();
}

bool DebugMessageRecorder::rulesSetOutside() {
    return qEnvironmentVariableIsSet("QT_LOGGING_RULES") || qEnvironmentVariableIsSet("QT_LOGGING_CONF");
}

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
