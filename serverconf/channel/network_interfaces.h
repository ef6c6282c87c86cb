#pragma once
// The network interfaces serverconf works on: up, IPv4, broadcast-capable,
// not loopback. This is the only place that asks the system about them;
// everything else takes the list from here.

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

namespace serverconf {

struct InterfaceAddress {
    QHostAddress address;
    int prefixLength = 0;
    QHostAddress broadcast;  // the directed broadcast of its subnet

    bool operator==(const InterfaceAddress&) const = default;
};

struct ListedInterface {
    QString name;
    uint index = 0;                     // the system's interface index
    QList<InterfaceAddress> addresses;  // IPv4 only, at least one

    bool operator==(const ListedInterface&) const = default;
};

// What the system reports about one interface, before the choice.
struct InterfaceFacts {
    QString name;
    uint index = 0;
    bool up = false;
    bool loopback = false;
    bool canBroadcast = false;
    QList<InterfaceAddress> addresses;  // of any protocol
};

// The interfaces to use, in the order given, each with its IPv4 addresses
// only. Pure function.
QList<ListedInterface> usableInterfaces(const QList<InterfaceFacts>& interfaces);

// The interfaces of `interfaces` named in `names` (all of them when `names`
// is empty), in list order. A name that lists nothing is put in
// `unknownName` and the result is empty.
QList<ListedInterface> chooseInterfaces(const QList<ListedInterface>& interfaces, const QStringList& names,
                                        QString& unknownName);

// usableInterfaces on what this machine reports now.
QList<ListedInterface> systemInterfaces();

}  // namespace serverconf
