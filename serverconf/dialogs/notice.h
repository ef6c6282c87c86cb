#pragma once
// Every message box of serverconf goes through notice(): a message with an
// OK button, by default titled "提示". Tests install a hook that receives
// the message instead of a modal box.

#include <QString>

#include <functional>

class QWidget;

namespace serverconf {

// The title of nearly every message.
QString noticeTitle();

// The program's name, the title of the few messages that carry it.
QString programName();

// Shows `text` with an OK button and waits until it is dismissed.
void notice(QWidget* parent, const QString& text, const QString& title = noticeTitle());

// Receives each notice in place of the message box while set; an empty hook restores the box.
using NoticeHook = std::function<void(const QString& title, const QString& text)>;
void setNoticeHook(NoticeHook hook);

}  // namespace serverconf
