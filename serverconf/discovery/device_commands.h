#pragma once
// Change IP and Confirm device on the device of one list row. Neither reads
// a reply. The caller picks the row (telling the user when there is
// none), runs the change-IP dialog, and after a change of IP shows the update
// window and refreshes the list.

#include "device/device_entry.h"

#include "channel/network_environment.h"

#include <QString>

namespace serverconf {

enum class ChangeIpOutcome {
    Sent,
    // The new address is not a dotted IPv4 address (a blank field, say):
    // nothing sent, so a device is never left without an address it can be
    // reached at.
    Refused,
    // The device on this computer's network did not answer its probe:
    // nothing more sent.
    NotConnected,
};

// How a change of IP reaches its device: as its row is reached (unicast,
// or "W"+MAC on another network or at a shared address), or always by
// "W"+MAC, so that whatever else answers at the old address takes nothing.
enum class ChangeIpReach { AsListed, ByMacName };

// From local port 3004. Device on this computer's network: the row's
// address probed (probeAnswers, up to three "X" 100 ms apart), then "L"
// (50 ms), "SIP"+new+"|34" (10 ms), "E|35" (200 ms), all to the row's
// address. Otherwise broadcast on the interface the row was heard
// on (all when unknown): "W"+MAC (100 ms), "L" (50 ms),
// "SIP"+new+"|34" (50 ms), "E|35" (200 ms). ByMacName: the broadcast series.
ChangeIpOutcome changeIpAddress(NetworkEnvironment& environment, const DeviceEntry& row, const QString& newAddress,
                                ChangeIpReach reach = ChangeIpReach::AsListed);

// From local port 3104: "B" to the row's address, or broadcast "B" on the
// row's interface when the device is not reached by unicast (every device
// on that segment hears it). No pause. Refused (false, nothing sent) on a
// row whose address another listed device holds: "B" needs no naming, so
// both devices would take it.
bool confirmDevice(NetworkEnvironment& environment, const DeviceEntry& row);

}  // namespace serverconf
