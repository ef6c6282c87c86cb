#pragma once
// The frame shared by the write and the factory defaults: how the device is
// reached (unicast to its reported address, or broadcast after "W"+MAC), the
// opening "L", the 19 set requests and the closing "E", with their waits.

#include "device_parameters.h"
#include "parameter_write.h"

#include "channel/command_channel.h"

#include <QString>

namespace serverconf {

struct ExchangeTarget {
    Delivery delivery = Delivery::NotSent;
    Destination destination;
    // The device is on this computer's network, even when it is reached by
    // broadcast because it reported no address.
    bool onLocalNetwork = false;
};

// Unicast when the device is on this computer's network (judged by the
// session's current address) and its reported address is known; otherwise
// broadcast, which needs the MAC address to name the device.
ExchangeTarget chooseExchangeTarget(const QString& localAddress, const QString& currentDeviceAddress,
                                    const QString& reportedIpAddress, const QString& macAddress);

// Broadcast: allows broadcasting, "W"+MAC, 100 ms. Then "L", 50 ms.
void openSetExchange(CommandChannel& channel, const ExchangeTarget& target, const QString& macAddress);
// The 19 set requests in set-tag order, 10 ms after each.
void sendSetRequests(CommandChannel& channel, const ExchangeTarget& target, const DeviceParameters& values);
// "E", 500 ms.
void endSetExchange(CommandChannel& channel, const ExchangeTarget& target);

}  // namespace serverconf
