#include "set_exchange.h"

#include "params/params_log.h"
#include "params/request_texts.h"
#include "protocol_pauses.h"
#include "route_destination.h"

namespace serverconf {

Delivery deliveryOn(const DeviceRoute& route) {
    switch (route.form) {
        case DeviceRoute::Form::Unicast: return Delivery::Unicast;
        case DeviceRoute::Form::ByMacName:
            if (!route.macAddress.isEmpty()) return Delivery::Broadcast;
            qCDebug(lcParams) << "no MAC address to name the device by broadcast; nothing sent";
            return Delivery::NotSent;
        case DeviceRoute::Form::None: break;
    }
    qCDebug(lcParams) << "the device was not reached by a read-out; nothing sent";
    return Delivery::NotSent;
}

void openSetExchange(CommandChannel& channel, const DeviceRoute& route) {
    if (route.form == DeviceRoute::Form::ByMacName) {
        channel.allowBroadcast();
        channel.sendAndPause(nameDeviceRequest(route.macAddress), destinationOf(route), kAfterNameDeviceMs);
    }
    channel.sendAndPause(openExchangeRequest(), destinationOf(route), kAfterOpenExchangeMs);
}

void sendSetRequests(CommandChannel& channel, const DeviceRoute& route, const DeviceParameters& values,
                     const QSet<int>& leftOut) {
    for (const ParameterDefinition* parameter : setRequestOrder()) {
        if (leftOut.contains(parameter->getTag)) continue;
        channel.sendAndPause(setRequest(*parameter, values.*parameter->member), destinationOf(route),
                             kAfterSetRequestMs);
    }
}

void endSetExchange(CommandChannel& channel, const DeviceRoute& route) {
    channel.sendAndPause(endRequest(), destinationOf(route), kAfterEndMs);
}

}  // namespace serverconf
