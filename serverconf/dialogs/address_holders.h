#pragma once
// How a dialog that gives its device an address learns who else holds it:
// the MAC addresses of the other listed devices at `address` (none: the
// address is free, or the device's own). The window answers from its
// device list; a dialog not told knows of no other device.

#include <QString>
#include <QStringList>

#include <functional>

namespace serverconf {

using AddressHolders = std::function<QStringList(const QString& address)>;

// The answer of a dialog that knows of no other device.
inline QStringList noAddressHolders(const QString&) { return {}; }

}  // namespace serverconf
