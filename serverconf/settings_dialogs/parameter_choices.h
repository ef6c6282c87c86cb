#pragma once
// The entries of the settings dialogs' lists: the text each entry shows and
// the parameter value text it stands for, and how a held value picks one.

#include <QList>
#include <QString>

namespace serverconf {

struct ChoiceEntry {
    QString text;   // what the list shows, before translation
    QString value;  // the parameter's value text for this entry
};

using ChoiceList = QList<ChoiceEntry>;

// Property dialog lists.
const ChoiceList& protocolChoices();  // "UDP" = "0", "TCP" = "1"
const ChoiceList& workModeChoices();  // server = "0", client = "2"
const ChoiceList& baudRateChoices();  // codes "0".."11", the slow rates and 28800 last
const ChoiceList& parityChoices();    // "None" .. "Space" = "0".."4"
const ChoiceList& dataBitsChoices();  // "7bits" = "0", "8bits" = "1"
const ChoiceList& enableChoices();    // "0- 禁用" = "0", "1- 使用" = "1" (DTR and RTS/CTS)
// Advanced dialog lists.
const ChoiceList& connectModeChoices();       // four modes, "0".."3"
const ChoiceList& connectTimeLimitChoices();  // "0".."99", each its own value
const ChoiceList& onTheFlyChoices();          // "禁用" = "0", "使用" = "1"

// What the list shows for `entry` in the run's language.
QString shownText(const ChoiceEntry& entry);

// Index of the entry whose value is exactly `value`; -1 when there is none.
int choiceIndexOfValue(const ChoiceList& choices, const QString& value);

// The connection time limit entry a held text selects: the text read as a
// decimal number the way the C library's atoi reads it (leading white space
// skipped, an optional sign, the leading digits; no digits count as 0). A
// number outside 0..99 selects nothing (-1).
int connectTimeLimitIndex(const QString& heldText);

}  // namespace serverconf
