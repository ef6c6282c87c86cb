#pragma once
// The two addresses the program can be pointed at from outside, so it can
// run against simulated devices on loopback: SERVERCONF_BROADCAST (the
// broadcast address, default 255.255.255.255) and SERVERCONF_LOCAL_ADDRESS
// (this computer's address for the same-network test; default: looked up).

#include <QHostAddress>
#include <QString>
#include <QStringList>

namespace serverconf {

struct AddressSettings {
    QHostAddress broadcastAddress{QHostAddress::Broadcast};
    // Empty: look the address up (systemLocalHostAddress).
    QString localAddressOverride;

    // The settings for the two variables' texts (empty: not set). A text that
    // is not a dotted IPv4 address is ignored, the default kept, and a line
    // saying so is added to `warnings`.
    static AddressSettings fromTexts(const QString& broadcast, const QString& localAddress, QStringList& warnings);

    // Reads both variables; the warnings of fromTexts go to standard error,
    // since a mistyped loopback address would otherwise send the requests to
    // the real network without a word.
    static AddressSettings fromEnvironment();
};

}  // namespace serverconf
