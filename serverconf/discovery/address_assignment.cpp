#include "address_assignment.h"

#include "device/device_parameters.h"
#include "device/device_targets.h"

#include <QHostAddress>
#include <QSet>

#include <algorithm>

namespace serverconf {
namespace {

constexpr quint32 kLastHostOfSlash24 = 254;

// The MACs of the rows that need an address when none is named: those
// whose address another device holds, and those at the factory address.
QStringList boxedDevices(const QList<DeviceEntry>& rows, const QStringList& interfaces) {
    const QString factoryAddress = factoryParameters().ipAddress;
    const QList<bool> conflicts = addressConflicts(rows);
    QStringList macs;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const DeviceEntry& row = rows[i];
        if (!isHeardOn(row, interfaces) || !(conflicts[i] || row.deviceAddress == factoryAddress)) continue;
        const bool known = std::any_of(macs.cbegin(), macs.cend(),
                                       [&](const QString& mac) { return isSameListedMac(mac, row.macAddress); });
        if (!known) macs << row.macAddress;
    }
    return macs;
}

QString dotted(quint32 value) { return QHostAddress(value).toString(); }

}  // namespace

AddressPlan planAddresses(const QList<DeviceEntry>& rows, const QString& firstAddress, const QStringList& namedMacs,
                          const QStringList& interfaces, const std::function<bool(const QString&)>& isTaken) {
    AddressPlan plan;
    QList<DeviceEntry> devices;
    for (const QString& mac : namedMacs.isEmpty() ? boxedDevices(rows, interfaces) : namedMacs) {
        QList<DeviceEntry> listed;
        QStringList interfaceNames;
        for (const DeviceEntry& row : rows) {
            if (!isHeardOn(row, interfaces) || !isSameListedMac(row.macAddress, mac)) continue;
            listed << row;
            if (!interfaceNames.contains(row.interfaceName)) interfaceNames << row.interfaceName;
        }
        if (listed.isEmpty()) {
            plan.outcome = AddressPlan::Outcome::NotListed;
            plan.names << mac;
        } else if (interfaceNames.size() > 1) {
            // "W"+MAC on one interface would leave the device on the other
            // unnamed: the user picks the interface.
            plan.outcome = AddressPlan::Outcome::SeveralInterfaces;
            plan.names = QStringList{mac} + interfaceNames;
            return plan;
        } else {
            devices << listed.first();
        }
    }
    if (plan.outcome != AddressPlan::Outcome::Planned) return plan;
    std::sort(devices.begin(), devices.end(), [](const DeviceEntry& a, const DeviceEntry& b) {
        return a.macAddress.toUpper() < b.macAddress.toUpper();
    });

    QSet<quint32> held;
    for (const DeviceEntry& row : rows) held.insert(QHostAddress(row.deviceAddress).toIPv4Address());
    const quint32 first = QHostAddress(firstAddress).toIPv4Address();
    const quint32 last = (first & ~quint32(0xFF)) | kLastHostOfSlash24;
    quint32 next = first;
    for (qsizetype i = 0; i < devices.size(); ++i) {
        while (next <= last && (held.contains(next) || isTaken(dotted(next)))) ++next;
        if (next > last) {
            plan.outcome = AddressPlan::Outcome::PastEnd;
            plan.assignments.clear();
            for (qsizetype j = i; j < devices.size(); ++j) plan.names << devices[j].macAddress;
            return plan;
        }
        plan.assignments << AddressAssignment{devices[i], dotted(next++)};
    }
    return plan;
}

}  // namespace serverconf
