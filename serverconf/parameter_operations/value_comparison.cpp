#include "value_comparison.h"

#include "channel/same_network.h"

namespace serverconf {
namespace {

QString hexDigitsOf(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')) digits += c.toUpper();
    }
    return digits;
}

bool isNameParameter(const ParameterDefinition& parameter) {
    return parameter.member == &DeviceParameters::userName || parameter.member == &DeviceParameters::deviceName;
}

std::optional<qulonglong> decimalValue(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return ok ? std::optional<qulonglong>(value) : std::nullopt;
}

}  // namespace

QString withoutCapitalA(QString text) { return text.remove(u'A'); }

bool isSameMacAddress(const QString& first, const QString& second) {
    const QString digits = hexDigitsOf(withoutCapitalA(first));
    return !digits.isEmpty() && digits == hexDigitsOf(withoutCapitalA(second));
}

bool hasTaken(const ParameterDefinition& parameter, const QString& sent, const QString& readBack) {
    const QString expected = withoutCapitalA(sent);
    const QString actual = withoutCapitalA(readBack);
    if (!isNameParameter(parameter)) {
        if (isDottedAddress(expected) && isDottedAddress(actual)) return isSameAddress(expected, actual);
        const std::optional<qulonglong> number = decimalValue(expected);
        if (number && decimalValue(actual)) return number == decimalValue(actual);
    }
    return expected == actual;
}

}  // namespace serverconf
