#pragma once
// Which listed device a command line or a list row means, when one address
// can be held by several devices (boxed devices all sit at the factory
// address) and one MAC can be heard on several interfaces. Pure functions
// over the rows of one search.

#include "device/device_entry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace serverconf {

// `text` as a MAC key: its hexadecimal digits in capitals, every "A"
// dropped (a search reply loses its capital "A"s, so a listed MAC never
// holds one), separators ignored. Empty unless `text` is 12 hexadecimal
// digits with or without ":", "-" or "." between them.
QString macAddressKey(const QString& text);

// Two MAC texts of list rows name one device: their hexadecimal digits
// alike, case and "A" ignored.
bool isSameListedMac(const QString& first, const QString& second);

// For each row: another row holds its address with a different MAC. Such
// rows are reached only by broadcast with "W"+MAC, never by unicast.
QList<bool> addressConflicts(const QList<DeviceEntry>& rows);

// The MAC texts of the rows at `address` other than the device of
// `exceptMac` (empty: every row there), in list order, each once: the
// devices a change to `address` would put in conflict.
QStringList macAddressesAt(const QList<DeviceEntry>& rows, const QString& address, const QString& exceptMac = {});

// The row counts for a command kept to `interfaces`: they are empty (every
// interface), or the row was heard on one of them, or on none in use
// (loopback, where the interfaces are replaced).
bool isHeardOn(const DeviceEntry& row, const QStringList& interfaces);

struct TargetChoice {
    enum class Kind {
        Row,                // `row` is the device meant
        NotListed,          // no row has this address or MAC
        SeveralDevices,     // several devices hold this address: `macAddresses` names them
        SeveralInterfaces,  // the device is listed on several interfaces: `interfaces` names them
    };
    Kind kind = Kind::NotListed;
    int row = -1;
    QStringList macAddresses;
    QStringList interfaces;
};

// The row that `addressOrMac` (a dotted address, or a MAC in either case,
// with or without separators) names among `rows`. Rows heard on an
// interface outside `interfaces` do not count, unless `interfaces` is empty.
TargetChoice chooseTarget(const QList<DeviceEntry>& rows, const QString& addressOrMac, const QStringList& interfaces);

}  // namespace serverconf
