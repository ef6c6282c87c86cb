#pragma once
// How one run of the program reaches the devices: the paths a broadcast
// takes and the addresses of this computer that decide whether a device is
// on its network. Built from the listed interfaces, or, when the test
// variables SERVERCONF_BROADCAST / SERVERCONF_LOCAL_ADDRESS are set, from
// those two addresses alone.

#include "network_interfaces.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

namespace serverconf {

// One way out for a broadcast.
struct BroadcastPath {
    QString interfaceName;    // empty: not tied to an interface (the test seam)
    uint interfaceIndex = 0;  // 0: left to the system's routing
    QHostAddress source;      // the interface's address the datagram leaves from
    QHostAddress target;      // where it is sent

    bool operator==(const BroadcastPath&) const = default;
};

struct NetworkPlan {
    QList<BroadcastPath> broadcastPaths;
    QStringList localAddresses;

    // A limited broadcast (255.255.255.255) out of each interface, from its
    // first address; every address of every interface counts as local.
    static NetworkPlan fromInterfaces(const QList<ListedInterface>& interfaces);
    // One broadcast to `broadcast`, routed by the system; `localAddress`
    // (may be empty: no device is on this computer's network) is the one
    // local address.
    static NetworkPlan fromAddresses(const QHostAddress& broadcast, const QString& localAddress);

    // The name of the interface with this system index, empty when no
    // path goes out through it.
    QString interfaceNameOf(uint interfaceIndex) const;
};

}  // namespace serverconf
