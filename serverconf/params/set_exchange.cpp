#include "set_exchange.h"

#include "params_log.h"
#include "protocol_pauses.h"
#include "request_texts.h"

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
        channel.sendAndPause(nameDeviceRequest(route.macAddress), route.destination(), kAfterNameDeviceMs);
    }
    channel.sendAndPause(openExchangeRequest(), route.destination(), kAfterOpenExchangeMs);
}

void sendSetRequests(CommandChannel& channel, const DeviceRoute& route, const DeviceParameters& values) {
    for (const ParameterDefinition* parameter : setRequestOrder())
        channel.sendAndPause(setRequest(*parameter, values.*parameter->member), route.destination(),
                             kAfterSetRequestMs);
}

void endSetExchange(CommandChannel& channel, const DeviceRoute& route) {
    channel.sendAndPause(endRequest(), route.destination(), kAfterEndMs);
}

}  // namespace serverconf
