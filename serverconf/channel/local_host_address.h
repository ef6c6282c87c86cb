#pragma once
// This computer's address for the same-network test.

#include <QString>
#include <QStringList>

namespace serverconf {

// The choice, as a pure function: the last IPv4 address the host name
// resolves to; when it resolves to none, or only to loopback addresses, the
// last non-loopback IPv4 address of the interfaces; otherwise empty.
QString chooseLocalHostAddress(const QStringList& resolvedAddresses, const QStringList& interfaceAddresses);

// chooseLocalHostAddress on what this machine reports (host name lookup and
// interface list). The SERVERCONF_LOCAL_ADDRESS override is applied by
// AddressSettings, not here.
QString systemLocalHostAddress();

}  // namespace serverconf
