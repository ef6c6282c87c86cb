#include "device_targets.h"

#include <QHash>
#include <QSet>

namespace serverconf {
namespace {

constexpr int kMacDigits = 12;

bool isSeparator(QChar c) { return c == u':' || c == u'-' || c == u'.'; }

// Hexadecimal digits of a listed MAC text, in capitals, without "A".
QString listedMacKey(const QString& text) {
    QString key;
    for (const QChar c : text) {
        const QChar upper = c.toUpper();
        if (upper.isDigit() || (upper >= u'B' && upper <= u'F')) key += upper;
    }
    return key;
}

}  // namespace

QString macAddressKey(const QString& text) {
    int digits = 0;
    for (const QChar c : text) {
        if (isSeparator(c)) continue;
        const QChar upper = c.toUpper();
        if (!upper.isDigit() && !(upper >= u'A' && upper <= u'F')) return {};
        ++digits;
    }
    return digits == kMacDigits ? listedMacKey(text) : QString();
}

bool isSameListedMac(const QString& first, const QString& second) {
    return listedMacKey(first) == listedMacKey(second);
}

QList<bool> addressConflicts(const QList<DeviceEntry>& rows) {
    QHash<QString, QSet<QString>> macsAt;
    for (const DeviceEntry& row : rows) macsAt[row.deviceAddress].insert(listedMacKey(row.macAddress));
    QList<bool> marks;
    marks.reserve(rows.size());
    for (const DeviceEntry& row : rows) marks << (macsAt.value(row.deviceAddress).size() > 1);
    return marks;
}

QStringList macAddressesAt(const QList<DeviceEntry>& rows, const QString& address, const QString& exceptMac) {
    QStringList macs;
    QSet<QString> keys{exceptMac.isEmpty() ? QString() : listedMacKey(exceptMac)};
    for (const DeviceEntry& row : rows) {
        const QString key = listedMacKey(row.macAddress);
        if (row.deviceAddress != address || keys.contains(key)) continue;
        keys.insert(key);
        macs << row.macAddress;
    }
    return macs;
}

bool isHeardOn(const DeviceEntry& row, const QStringList& interfaces) {
    return interfaces.isEmpty() || row.interfaceName.isEmpty() || interfaces.contains(row.interfaceName);
}

TargetChoice chooseTarget(const QList<DeviceEntry>& rows, const QString& addressOrMac, const QStringList& interfaces) {
    const QString macKey = macAddressKey(addressOrMac);
    QList<int> matching;
    for (int i = 0; i < rows.size(); ++i) {
        const DeviceEntry& row = rows[i];
        if (!isHeardOn(row, interfaces)) continue;
        const bool named =
            macKey.isEmpty() ? row.deviceAddress == addressOrMac : listedMacKey(row.macAddress) == macKey;
        if (named) matching << i;
    }
    TargetChoice choice;
    if (matching.isEmpty()) return choice;
    QSet<QString> macs;
    QStringList interfaceNames;
    for (const int i : std::as_const(matching)) {
        const QString key = listedMacKey(rows[i].macAddress);
        if (!macs.contains(key)) choice.macAddresses << rows[i].macAddress;
        macs.insert(key);
        if (!interfaceNames.contains(rows[i].interfaceName)) interfaceNames << rows[i].interfaceName;
    }
    if (macs.size() > 1) {
        choice.kind = TargetChoice::Kind::SeveralDevices;
        return choice;
    }
    if (matching.size() > 1 && interfaceNames.size() > 1) {
        choice.kind = TargetChoice::Kind::SeveralInterfaces;
        choice.interfaces = interfaceNames;
        return choice;
    }
    choice.kind = TargetChoice::Kind::Row;
    choice.row = matching.first();
    choice.macAddresses.clear();
    return choice;
}

}  // namespace serverconf
