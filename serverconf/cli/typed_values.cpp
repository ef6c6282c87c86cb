#include "typed_values.h"

#include <QCoreApplication>

#include <QStringList>

#include <array>

namespace serverconf {
namespace {

struct ListChoices {
    const char* code;
    int first;
    int last;
    int skipped;  // a code between first and last that the list lacks, or -1
};

// Work mode has no entry "1": server is "0", client "2".
constexpr std::array<ListChoices, 10> kLists{{
    {"TP", 0, 1, -1},
    {"RM", 0, 2, 1},
    {"CM", 0, 3, -1},
    {"CT", 0, 99, -1},
    {"FC", 0, 1, -1},
    {"DT", 0, 1, -1},
    {"RC", 0, 1, -1},
    {"BR", 0, 11, -1},
    {"PR", 0, 4, -1},
    {"BB", 0, 1, -1},
}};

const ListChoices* listOf(const QString& code) {
    for (const ListChoices& list : kLists) {
        if (code == QLatin1StringView(list.code)) return &list;
    }
    return nullptr;
}

// The five values the advanced dialogs edit in the parameter set.
bool isAdvanced(const QString& code) { return QStringList{"CT", "CM", "ML", "MD", "RC"}.contains(code); }

}  // namespace

bool isListParameter(const QString& code) { return listOf(code) != nullptr; }

bool isListChoice(const QString& code, const QString& value) {
    const ListChoices* list = listOf(code);
    if (!list) return false;
    bool ok = false;
    const int number = value.toInt(&ok);
    // The entries' values are plain decimal texts: "05" or "+5" is no entry.
    return ok && QString::number(number) == value && number >= list->first && number <= list->last &&
           number != list->skipped;
}

void applyLoadedProfile(const DeviceParameters& loaded, ParameterEdits& edits, DeviceParameters& parameters) {
    for (const ParameterDefinition& definition : kParameters) {
        const QString code = QString::fromLatin1(definition.code);
        const QString& value = loaded.*definition.member;
        // A list takes only a value that is one of its entries.
        if (QString* shown = editByCode(code, edits)) {
            if (!isListParameter(code) || isListChoice(code, value)) *shown = value;
        } else if (isAdvanced(code)) {
            parameters.*definition.member = value;
        }
    }
}

bool applyTypedValue(const QString& code, const QString& value, ParameterEdits& edits, DeviceParameters& parameters,
                     QString& error) {
    const ParameterDefinition* definition = parameterByCode(code);
    if (!definition || code != QLatin1StringView(definition->code)) {
        error = QCoreApplication::translate("TypedValues", "unknown parameter code %1").arg(code);
        return false;
    }
    if (isListParameter(code) && !isListChoice(code, value)) {
        error =
            QCoreApplication::translate("TypedValues", "%1=%2: not one of the values the list offers").arg(code, value);
        return false;
    }
    if (QString* shown = editByCode(code, edits)) {
        *shown = value;
    } else if (isAdvanced(code)) {
        parameters.*definition->member = value;
    } else {
        error = QCoreApplication::translate("TypedValues", "%1 (the MAC address) is read only").arg(code);
        return false;
    }
    return true;
}

QSet<int> givenValueTags(const QList<QPair<QString, QString>>& typedValues, const DeviceParameters& loaded,
                         const QSet<int>& loadedKeys) {
    QSet<int> given;
    for (const int tag : loadedKeys) {
        const ParameterDefinition& definition = *parameterByGetTag(tag);
        const QString code = QString::fromLatin1(definition.code);
        if (!isListParameter(code) || isListChoice(code, loaded.*definition.member)) given.insert(tag);
    }
    for (const auto& [code, value] : typedValues) {
        if (const ParameterDefinition* definition = parameterByCode(code)) given.insert(definition->getTag);
    }
    return given;
}

bool typedValuesFit(const QList<QPair<QString, QString>>& typedValues, QString& error) {
    ParameterEdits edits;
    DeviceParameters parameters;
    for (const auto& [code, value] : typedValues) {
        if (!applyTypedValue(code, value, edits, parameters, error)) return false;
    }
    return true;
}

}  // namespace serverconf
