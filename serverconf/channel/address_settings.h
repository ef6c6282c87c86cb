#pragma once
// The two addresses the program can be pointed at from outside, so it can
// run against simulated devices on loopback: SERVERCONF_BROADCAST (the
// broadcast address, default 255.255.255.255) and SERVERCONF_LOCAL_ADDRESS
// (this computer's address for the same-network test; default: looked up).

#include <QHostAddress>
#include <QString>

namespace serverconf {

struct AddressSettings {
    QHostAddress broadcastAddress{QHostAddress::Broadcast};
    // Empty: look the address up (systemLocalHostAddress).
    QString localAddressOverride;

    // Reads both variables; a SERVERCONF_BROADCAST that is not an IPv4
    // address is ignored (logged) and the default kept.
    static AddressSettings fromEnvironment();
};

}  // namespace serverconf
