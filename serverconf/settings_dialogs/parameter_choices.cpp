#include "parameter_choices.h"

#include <QCoreApplication>

namespace serverconf {
namespace {

// Entries whose value is their list index written in decimal.
ChoiceList indexedChoices(const QStringList& texts) {
    ChoiceList choices;
    for (qsizetype index = 0; index < texts.size(); ++index) choices.append({texts[index], QString::number(index)});
    return choices;
}

}  // namespace

const ChoiceList& protocolChoices() {
    static const ChoiceList choices = indexedChoices({QStringLiteral("UDP"), QStringLiteral("TCP")});
    return choices;
}

const ChoiceList& workModeChoices() {
    // The client's code is "2": "1" is not a work mode.
    static const ChoiceList choices{
        {QStringLiteral(QT_TRANSLATE_NOOP("serverconf::ParameterChoices", "服务器")), QStringLiteral("0")},
        {QStringLiteral(QT_TRANSLATE_NOOP("serverconf::ParameterChoices", "客户端")), QStringLiteral("2")}};
    return choices;
}

const ChoiceList& baudRateChoices() {
    static const ChoiceList choices =
        indexedChoices({QStringLiteral("1200bps"), QStringLiteral("2400bps"), QStringLiteral("4800bps"),
                        QStringLiteral("9600bps"), QStringLiteral("19200bps"), QStringLiteral("38400bps"),
                        QStringLiteral("57600bps"), QStringLiteral("115200bps"), QStringLiteral("150bps"),
                        QStringLiteral("300bps"), QStringLiteral("600bps"), QStringLiteral("28800bps")});
    return choices;
}

const ChoiceList& parityChoices() {
    static const ChoiceList choices =
        indexedChoices({QStringLiteral("None"), QStringLiteral("Even"), QStringLiteral("Odd"), QStringLiteral("Mark"),
                        QStringLiteral("Space")});
    return choices;
}

const ChoiceList& dataBitsChoices() {
    static const ChoiceList choices = indexedChoices({QStringLiteral("7bits"), QStringLiteral("8bits")});
    return choices;
}

const ChoiceList& enableChoices() {
    static const ChoiceList choices =
        indexedChoices({QStringLiteral(QT_TRANSLATE_NOOP("serverconf::ParameterChoices", "0- 禁用")),
                        QStringLiteral(QT_TRANSLATE_NOOP("serverconf::ParameterChoices", "1- 使用"))});
    return choices;
}

const ChoiceList& connectModeChoices() {
    static const ChoiceList choices =
        indexedChoices({QStringLiteral("immediately"), QStringLiteral("on data or command"),
                        QStringLiteral("on command"), QStringLiteral("on command or DSR=LOW")});
    return choices;
}

const ChoiceList& connectTimeLimitChoices() {
    static const ChoiceList choices = [] {
        QStringList texts;
        for (int limit = 0; limit < 100; ++limit) texts << QString::number(limit);
        return indexedChoices(texts);
    }();
    return choices;
}

const ChoiceList& onTheFlyChoices() {
    static const ChoiceList choices =
        indexedChoices({QStringLiteral(QT_TRANSLATE_NOOP("serverconf::ParameterChoices", "禁用")),
                        QStringLiteral(QT_TRANSLATE_NOOP("serverconf::ParameterChoices", "使用"))});
    return choices;
}

QString shownText(const ChoiceEntry& entry) {
    return QCoreApplication::translate("serverconf::ParameterChoices", entry.text.toUtf8().constData());
}

int choiceIndexOfValue(const ChoiceList& choices, const QString& value) {
    for (qsizetype index = 0; index < choices.size(); ++index) {
        if (choices[index].value == value) return static_cast<int>(index);
    }
    return -1;
}

int connectTimeLimitIndex(const QString& heldText) {
    qsizetype position = 0;
    const auto isCSpace = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (position < heldText.size() && isCSpace(heldText[position])) ++position;
    bool negative = false;
    if (position < heldText.size() && (heldText[position] == u'+' || heldText[position] == u'-')) {
        negative = heldText[position] == u'-';
        ++position;
    }
    // Past 99 the number is out of range whatever follows, so stop counting there.
    int number = 0;
    while (position < heldText.size() && heldText[position] >= u'0' && heldText[position] <= u'9' && number < 100) {
        number = number * 10 + (heldText[position].unicode() - u'0');
        ++position;
    }
    if (negative) number = -number;
    const int entries = static_cast<int>(connectTimeLimitChoices().size());
    return number >= 0 && number < entries ? number : -1;
}

}  // namespace serverconf
