#pragma once
// The write of the property dialog's OK and the factory defaults of its
// "出厂设置" button: fixed series of set requests ending with "E", paced by
// fixed waits. Afterwards the caller closes the dialog, shows the update
// window, runs the list refresh (DeviceDiscovery::refreshList) so the device
// is listed as it now answers, and reads it back (write_verification.h).

#include "device/device_parameters.h"
#include "device/device_route.h"
#include "device/parameter_edits.h"

#include "channel/network_environment.h"

#include <QSet>
#include <QString>

namespace serverconf {

// How a write or factory reset reached the device.
enum class Delivery {
    Unicast,    // to the address the read-out reached
    Broadcast,  // "W"+MAC first, then everything broadcast
    NotSent,    // no route, or a broadcast route without a MAC address: nothing sent (logged)
    Refused,    // the IP field holds no dotted IPv4 address: nothing sent (logged)
};

// The property dialog's OK, on the route of the read-out that opened the
// dialog. An IP field that is not a dotted IPv4 address is refused (a
// device given it could no longer be reached); otherwise the edits go into
// `parameters`. From local port 6666:
// ["W"+MAC, 100 ms] "L", 50 ms, the 19 set requests in set-tag order with
// 10 ms after each, "SIP"+typed address+"|37" (unicast) or "|33" (broadcast),
// 10 ms, "E", 500 ms.
// `leftOut`: get tags of values that were not read and that nobody gave;
// their set requests are not sent (with the IP tag, no "SIP" and no check
// of the IP field: the device keeps its address), so that a value nobody
// knows is never written empty.
Delivery writeParameters(NetworkEnvironment& environment, const DeviceRoute& route, DeviceParameters& parameters,
                         const ParameterEdits& edits, const QSet<int>& leftOut = {});

// The get tag of the IP address, whose set request is "SIP".
inline constexpr int kIpGetTag = 4;

// The factory defaults on the route of the read-out, from local port 5555:
// as the write, but with the factory values and no "SIP" on a unicast route
// (a device on this computer's network keeps its address); a broadcast route
// ends its set requests with "SIP192.168.1.24|33".
Delivery restoreFactoryDefaults(NetworkEnvironment& environment, const DeviceRoute& route);

// The address the factory defaults on `route` give the device: the factory
// address on a broadcast route, empty on any other (the device keeps its own).
QString addressAfterFactoryDefaults(const DeviceRoute& route);

}  // namespace serverconf
