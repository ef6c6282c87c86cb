#pragma once
// The two addresses the program can be pointed at from outside, so that it
// runs against simulated devices on loopback: SERVERCONF_BROADCAST (where a
// broadcast goes) and SERVERCONF_LOCAL_ADDRESS (this computer's address for
// the same-network test). Either one set replaces the interface list: the
// broadcast then goes to that one address (default 255.255.255.255) and the
// local address is the one given (default: looked up).

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <optional>

namespace serverconf {

struct AddressSettings {
    std::optional<QHostAddress> broadcastOverride;
    // Empty: look the address up (systemLocalHostAddress).
    QString localAddressOverride;

    bool replacesInterfaces() const { return broadcastOverride.has_value() || !localAddressOverride.isEmpty(); }

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
