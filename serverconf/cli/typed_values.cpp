#include "typed_values.h"

#include <QCoreApplication>

#include <QStringList>

#include <array>

namespace serverconf {
namespace {

// The five values the advanced dialogs edit in the parameter set.
bool isAdvanced(const QString& code) { return QStringList{"CT", "CM", "ML", "MD", "RC"}.contains(code); }

}  // namespace

bool applyTypedValue(const QString& code, const QString& value, ParameterEdits& edits, DeviceParameters& parameters,
                     QString& error) {
    const ParameterDefinition* definition = parameterByCode(code);
    if (!definition || code != QLatin1StringView(definition->code)) {
        error = QCoreApplication::translate("TypedValues", "unknown parameter code %1").arg(code);
        return false;
    }
    if (const std::optional<ValueFault> fault = valueFault(code, value)) {
        error = valueFaultText(code, value, *fault);
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

QSet<int> givenValueTags(const QList<QPair<QString, QString>>& typedValues, const QSet<int>& taken) {
    QSet<int> given = taken;
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

bool loadedValuesFit(const DeviceParameters& loaded, const QSet<int>& taken, QString& error) {
    for (const ParameterDefinition& definition : kParameters) {
        if (!taken.contains(definition.getTag)) continue;
        const QString code = QString::fromLatin1(definition.code);
        if (const std::optional<ValueFault> fault = valueFault(code, loaded.*definition.member)) {
            error = valueFaultText(code, loaded.*definition.member, *fault);
            return false;
        }
    }
    return true;
}

QString valueFaultText(const QString& code, const QString& value, ValueFault fault) {
    const QString given = QStringLiteral("%1=%2: ").arg(code, value);
    switch (fault) {
        case ValueFault::NameTooLong:
            return given + QCoreApplication::translate("TypedValues", "a name holds at most %1 bytes of code page 936")
                               .arg(kNameByteLimit);
        case ValueFault::PortOutOfRange:
            return given + QCoreApplication::translate("TypedValues", "a port number lies within 1-65535");
        case ValueFault::NotAChoice:
            return given + QCoreApplication::translate("TypedValues", "not one of the values the list offers");
        case ValueFault::NotDottedAddress:
            return given + QCoreApplication::translate("TypedValues", "not a dotted IPv4 address");
        case ValueFault::UnusableOwnAddress:
            return given + QCoreApplication::translate(
                               "TypedValues",
                               "the device would be out of reach at 0.0.0.0, 255.255.255.255 or a multicast address");
    }
    return given;
}

}  // namespace serverconf
