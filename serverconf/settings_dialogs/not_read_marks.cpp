#include "not_read_marks.h"

#include "parameter_choice_box.h"

#include "device/device_parameters.h"
#include "messages/user_messages.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <algorithm>
#include <array>

namespace serverconf {
namespace {

// In get-tag order, as the labels of the dialogs name them, in the run's
// language through this context.
constexpr const char* kNamesContext = "serverconf::ParameterNames";
constexpr const char* kNameSeparator = QT_TRANSLATE_NOOP("serverconf::ParameterNames", "、");
constexpr std::array<const char*, kParameterCount> kNames{
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "使用者"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "设备名"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "MAC地址"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "IP地址"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "端口号"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "传输协议"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "工作模式"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "连接方式"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "连接时限"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "RTS/CTS设置"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "DTR设置"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "波特率"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "校验"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "比特位"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "On-the-Fly功能"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "最大数据封包数"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "最大字符间延时"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "目标IP"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "目标端口"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "网关IP"),
    QT_TRANSLATE_NOOP("serverconf::ParameterNames", "网络掩码"),
};

}  // namespace

QString parameterName(int getTag) {
    return getTag >= 1 && getTag <= kParameterCount ? QCoreApplication::translate(kNamesContext, kNames[getTag - 1])
                                                    : QString();
}

QString parameterNames(const QList<int>& getTags) {
    QList<int> sorted = getTags;
    std::sort(sorted.begin(), sorted.end());
    QStringList names;
    for (const int tag : sorted) names << parameterName(tag);
    return names.join(QCoreApplication::translate(kNamesContext, kNameSeparator));
}

NotReadMarks::NotReadMarks(const QList<int>& notReadTags) : tags_(notReadTags.cbegin(), notReadTags.cend()) {}

template <typename Widget, typename Signal>
void NotReadMarks::mark(int getTag, Widget* widget, Signal given) {
    if (!tags_.contains(getTag)) return;
    widget->setPlaceholderText(userMessage(kNotReadPlaceholder));
    widget->setToolTip(userMessage(kNotReadTooltip));
    unmark_.insert(getTag, [widget] {
        widget->setPlaceholderText({});
        widget->setToolTip({});
    });
    QObject::connect(widget, given, widget, [this, getTag] { give(getTag); });
}

void NotReadMarks::watch(int getTag, QLineEdit* field) { mark(getTag, field, &QLineEdit::textEdited); }

void NotReadMarks::watch(int getTag, ParameterChoiceBox* list) { mark(getTag, list, &ParameterChoiceBox::chosen); }

void NotReadMarks::give(int getTag) {
    if (!tags_.remove(getTag)) return;
    if (const auto unmark = unmark_.constFind(getTag); unmark != unmark_.cend()) (*unmark)();
}

QString NotReadMarks::names() const { return parameterNames(tags_.values()); }

}  // namespace serverconf
