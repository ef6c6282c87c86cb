#pragma once
// The frame shared by the write and the factory defaults on the route of
// the read-out: the opening "L" (after "W"+MAC on a broadcast route), the 19
// set requests and the closing "E", with their waits.

#include "device/device_parameters.h"
#include "device/device_route.h"
#include "parameter_write.h"

#include "channel/command_channel.h"

#include <QSet>

namespace serverconf {

// How an exchange on `route` is delivered; NotSent when the route is not
// known or names no MAC address to broadcast to (logged).
Delivery deliveryOn(const DeviceRoute& route);

// Broadcast route: allows broadcasting, "W"+MAC, 100 ms. Then "L", 50 ms.
void openSetExchange(CommandChannel& channel, const DeviceRoute& route);
// The 19 set requests in set-tag order, 10 ms after each, but for those of
// `leftOut` (get tags): the rest keep their order and pacing.
void sendSetRequests(CommandChannel& channel, const DeviceRoute& route, const DeviceParameters& values,
                     const QSet<int>& leftOut);
// "E", 500 ms.
void endSetExchange(CommandChannel& channel, const DeviceRoute& route);

}  // namespace serverconf
