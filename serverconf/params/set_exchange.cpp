#include "set_exchange.h"

#include "params_log.h"
#include "protocol_pauses.h"
#include "request_texts.h"

#include "channel/same_network.h"

namespace serverconf {

ExchangeTarget chooseExchangeTarget(const QString& localAddress, const QString& currentDeviceAddress,
                                    const QString& reportedIpAddress, const QString& macAddress)
{
    const bool onLocalNetwork = isSameNetwork(localAddress, currentDeviceAddress);
    if (onLocalNetwork) {
        if (!reportedIpAddress.isEmpty())
            return {Delivery::Unicast, Destination::device(reportedIpAddress), true};
        qCDebug(lcParams) << "device reported no address; reaching it by broadcast";
    }
    if (macAddress.isEmpty()) {
        qCDebug(lcParams) << "no MAC address to name the device by broadcast; nothing sent";
        return {Delivery::NotSent, Destination::broadcast(), onLocalNetwork};
    }
    return {Delivery::Broadcast, Destination::broadcast(), onLocalNetwork};
}

void openSetExchange(CommandChannel& channel, const ExchangeTarget& target, const QString& macAddress)
{
    if (target.delivery == Delivery::Broadcast) {
        channel.allowBroadcast();
        channel.sendAndPause(nameDeviceRequest(macAddress), target.destination, kAfterNameDeviceMs);
    }
    channel.sendAndPause(openExchangeRequest(), target.destination, kAfterOpenExchangeMs);
}

void sendSetRequests(CommandChannel& channel, const ExchangeTarget& target, const DeviceParameters& values)
{
    for (const ParameterDefinition* parameter : setRequestOrder())
        channel.sendAndPause(setRequest(*parameter, values.*parameter->member), target.destination,
                             kAfterSetRequestMs);
}

void endSetExchange(CommandChannel& channel, const ExchangeTarget& target)
{
    channel.sendAndPause(endRequest(), target.destination, kAfterEndMs);
}

}  // namespace serverconf
