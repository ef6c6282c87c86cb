#pragma once
// One row of the device list: a device server as it answered a search.

#include <QString>

namespace serverconf {

struct DeviceEntry {
    // On this computer's network (isSameNetwork): reached by unicast.
    bool sameNetwork = false;
    QString macAddress;         // column "MAC地址"
    QString userAndDeviceName;  // column "使用者/设备名"
    QString deviceAddress;      // column "设备IP": the sender of the reply
    // The interface in use the reply arrived on; a broadcast to this device
    // goes out there only. Empty when unknown: a broadcast goes out on all.
    QString interfaceName;
    // Another listed device holds this address (addressConflicts): the
    // device is reached by broadcast with "W"+MAC only.
    bool addressConflict = false;
    // Listed from an answer to a unicast probe of an address range, not to
    // a broadcast: reached by unicast at its address, whatever its subnet.
    bool foundByUnicast = false;

    // Requests reach the device by unicast at its address (otherwise by
    // broadcast with "W"+MAC on its interface).
    bool reachedByUnicast(bool onLocalNetwork) const { return !addressConflict && (foundByUnicast || onLocalNetwork); }

    bool operator==(const DeviceEntry&) const = default;
};

}  // namespace serverconf
