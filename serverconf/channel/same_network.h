#pragma once
// The test that decides between sending to a device's address (same
// network) and broadcasting (another network).

#include <QString>
#include <QStringList>

namespace serverconf {

// True when both texts are dotted IPv4 addresses (four numbers 0..255) whose
// first three numbers are equal (a /24 comparison, by value, so "10.1.2.3"
// and "10.9.2.3" differ while "010.1.2.3" and "10.1.2.3" agree). Any text
// that is not such an address counts as another network.
bool isSameNetwork(const QString& localAddress, const QString& deviceAddress);

// isSameNetwork with any one of this computer's addresses.
bool isOnAnyLocalNetwork(const QStringList& localAddresses, const QString& deviceAddress);

// True when the text is a dotted IPv4 address: four numbers 0..255.
bool isDottedAddress(const QString& text);

// True when both texts are dotted addresses of the same four numbers
// ("192.168.001.005" and "192.168.1.5" are one address).
bool isSameAddress(const QString& first, const QString& second);

}  // namespace serverconf
