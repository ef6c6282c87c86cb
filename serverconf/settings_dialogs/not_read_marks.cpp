#include "not_read_marks.h"

#include "parameter_choice_box.h"

#include "device/device_parameters.h"
#include "messages/user_messages.h"

#include <QLineEdit>

#include <algorithm>
#include <array>

namespace serverconf {
namespace {

// In get-tag order, as the labels of the dialogs name them.
constexpr std::array<const char16_t*, kParameterCount> kNames{
    u"使用者",         u"设备名",         u"MAC地址",        u"IP地址",  u"端口号",   u"传输协议", u"工作模式",
    u"连接方式",       u"连接时限",       u"RTS/CTS设置",    u"DTR设置", u"波特率",   u"校验",     u"比特位",
    u"On-the-Fly功能", u"最大数据封包数", u"最大字符间延时", u"目标IP",  u"目标端口", u"网关IP",   u"网络掩码",
};

}  // namespace

QString parameterName(int getTag) {
    return getTag >= 1 && getTag <= kParameterCount ? QString::fromUtf16(kNames[getTag - 1]) : QString();
}

QString parameterNames(const QList<int>& getTags) {
    QList<int> sorted = getTags;
    std::sort(sorted.begin(), sorted.end());
    QStringList names;
    for (const int tag : sorted) names << parameterName(tag);
    return names.join(u"、");
}

NotReadMarks::NotReadMarks(const QList<int>& notReadTags) : tags_(notReadTags.cbegin(), notReadTags.cend()) {}

template <typename Widget, typename Signal>
void NotReadMarks::mark(int getTag, Widget* widget, Signal given) {
    if (!tags_.contains(getTag)) return;
    widget->setPlaceholderText(QString::fromUtf8(kNotReadPlaceholder));
    widget->setToolTip(QString::fromUtf8(kNotReadTooltip));
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
