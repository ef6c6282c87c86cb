#pragma once
// Where each request of an exchange on a device's route goes.

#include "channel/command_channel.h"
#include "device/device_route.h"

namespace serverconf {

Destination destinationOf(const DeviceRoute& route);

}  // namespace serverconf
