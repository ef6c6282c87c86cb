#include "device_option.h"

#include "device_description.h"

#include <limits>

namespace devicesim {
namespace {

bool isReplyName(const QString& name) {
    if (name == u"X") return true;
    bool ok = false;
    const int tag = name.toInt(&ok);
    return ok && tag >= 1 && tag <= kParameterCount && QString::number(tag) == name;
}

bool parseReplySet(const QString& value, QSet<QString>& into, QString& error) {
    for (const QString& name : value.split(u'+')) {
        if (!isReplyName(name)) {
            error = QStringLiteral("not a reply name (X or 1..21): %1").arg(name);
            return false;
        }
        into.insert(name);
    }
    return true;
}

// REPLY:NUMBER items joined by "+"; `form` names them in the error ("REPLY:MS").
bool parseReplyNumbers(const QString& key, const QString& form, const QString& value, QHash<QString, int>& into,
                       QString& error) {
    for (const QString& item : value.split(u'+')) {
        const QStringList parts = item.split(u':');
        bool ok = false;
        const int number = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
        if (!ok || number < 0 || !isReplyName(parts[0])) {
            error = QStringLiteral("%1 wants %2, got %3").arg(key, form, item);
            return false;
        }
        into.insert(parts[0], number);
    }
    return true;
}

// CODE or CODE:TIMES items joined by "+": a code alone is ignored always.
bool parseIgnoredSets(const QString& value, QHash<QString, int>& into, QString& error) {
    for (const QString& item : value.split(u'+')) {
        const QStringList parts = item.split(u':');
        bool ok = parts.size() == 1;
        const int times = parts.size() == 2 ? parts[1].toInt(&ok) : kIgnoreAlways;
        if (!ok || (parts.size() == 2 && times < 0) || !parameterByCode(parts[0])) {
            error = QStringLiteral("ignore wants CODE or CODE:TIMES, got %1").arg(item);
            return false;
        }
        into.insert(parts[0], times);
    }
    return true;
}

bool parseNumber(const QString& key, const QString& value, int maximum, int& into, QString& error) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 0 || number > maximum) {
        error = QStringLiteral("%1 wants a number 0..%2, got %3").arg(key).arg(maximum).arg(value);
        return false;
    }
    into = number;
    return true;
}

QString defaultMac(const QString& address) {
    QString mac;
    for (const QString& number : address.split(u'.')) mac += number.rightJustified(3, u'0');
    return mac;
}

bool applyItem(const QString& key, const QString& value, DeviceConfig& config, QString& error) {
    DeviceFaults& faults = config.faults;
    DeviceValues& values = config.values;
    if (key == u"drop") return parseReplySet(value, faults.drop, error);
    if (key == u"dup") return parseReplySet(value, faults.duplicate, error);
    if (key == u"oversize") return parseReplySet(value, faults.oversize, error);
    if (key == u"short") return parseReplySet(value, faults.oneByte, error);
    if (key == u"delay") return parseReplyNumbers(key, QStringLiteral("REPLY:MS"), value, faults.delayMs, error);
    if (key == u"lose") return parseReplyNumbers(key, QStringLiteral("REPLY:TIMES"), value, faults.loseFirst, error);
    if (key == u"loss") return parseNumber(key, value, 100, faults.lossPercent, error);
    if (key == u"reqloss") return parseNumber(key, value, 100, faults.requestLossPercent, error);
    if (key == u"ignore") return parseIgnoredSets(value, faults.ignoreSet, error);
    if (key == u"searchmac") {
        faults.searchMac = value;
        return true;
    }
    if (key == u"seed") {
        int seed = 0;
        if (!parseNumber(key, value, std::numeric_limits<int>::max(), seed, error)) return false;
        faults.lossSeed = static_cast<unsigned>(seed);
        return true;
    }
    if (key == u"late") {
        if (!isReplyName(value)) {
            error = QStringLiteral("late wants one reply name, got %1").arg(value);
            return false;
        }
        faults.late = value;
        return true;
    }
    QString* target = key == u"addr"   ? &config.address
                      : key == u"mac"  ? &values[QStringLiteral("FE")]
                      : key == u"user" ? &values[QStringLiteral("ON")]
                      : key == u"name" ? &values[QStringLiteral("DN")]
                      // Parameter codes are written in capitals, as on the wire.
                      : parameterByCode(key) ? &values[key]
                                             : nullptr;
    if (!target) {
        error = QStringLiteral("unknown item %1").arg(key);
        return false;
    }
    *target = value;
    return true;
}

}  // namespace

std::optional<DeviceConfig> parseDeviceOption(const QString& option, QString& error) {
    DeviceConfig config;
    config.values = factoryValues();
    config.values[QStringLiteral("IP")].clear();
    for (const QString& item : option.split(u',', Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (trimmed == u"noprobe" || trimmed == u"bcast" || trimmed == u"routed") {
            (trimmed == u"noprobe" ? config.faults.noProbeAnswer
             : trimmed == u"bcast" ? config.answersByBroadcast
                                   : config.hearsNoBroadcast) = true;
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals <= 0) {
            error = QStringLiteral("expected key=value, got %1").arg(trimmed);
            return std::nullopt;
        }
        if (!applyItem(trimmed.left(equals), trimmed.mid(equals + 1), config, error)) return std::nullopt;
    }
    if (!isIpv4Address(config.address)) {
        error = config.address.isEmpty() ? QStringLiteral("addr= is missing")
                                         : QStringLiteral("%1 is not an IPv4 address").arg(config.address);
        return std::nullopt;
    }
    QString& mac = config.values[QStringLiteral("FE")];
    if (mac.isEmpty()) mac = defaultMac(config.address);
    QString& ip = config.values[QStringLiteral("IP")];
    if (ip.isEmpty()) ip = config.address;
    return config;
}

QList<DeviceOptionLine> deviceOptionLines(const QString& fileText) {
    QList<DeviceOptionLine> lines;
    int lineNumber = 0;
    for (const QString& line : fileText.split(u'\n')) {
        ++lineNumber;
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(u'#')) lines.append({lineNumber, trimmed});
    }
    return lines;
}

}  // namespace devicesim
