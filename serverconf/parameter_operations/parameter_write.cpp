#include "parameter_write.h"

#include "params/params_log.h"
#include "params/request_texts.h"
#include "protocol_pauses.h"
#include "route_destination.h"
#include "set_exchange.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"

namespace serverconf {

namespace {

// Runs one set exchange from `localPort` on `route`: opening, the 19 set
// requests, "SIP" when `setIp` names an address, "E".
Delivery runSetExchange(NetworkEnvironment& environment, quint16 localPort, const DeviceRoute& route,
                        const DeviceParameters& values, const QString* setIp, const QSet<int>& leftOut) {
    const Delivery delivery = deliveryOn(route);
    if (delivery == Delivery::NotSent) return delivery;
    std::unique_ptr<CommandChannel> channel = environment.createChannel();
    channel->open(localPort);
    openSetExchange(*channel, route);
    sendSetRequests(*channel, route, values, leftOut);
    if (setIp) {
        const int tag = delivery == Delivery::Unicast ? kSetIpUnicastTag : kSetIpBroadcastTag;
        channel->sendAndPause(setIpRequest(*setIp, tag), destinationOf(route), kAfterSetRequestMs);
    }
    endSetExchange(*channel, route);
    channel->close();
    return delivery;
}

}  // namespace

Delivery writeParameters(NetworkEnvironment& environment, const DeviceRoute& route, DeviceParameters& parameters,
                         const ParameterEdits& edits, const QSet<int>& leftOut) {
    const bool sendsIp = !leftOut.contains(kIpGetTag);
    if (sendsIp && !isDottedAddress(edits.ipAddressField)) {
        qCDebug(lcParams) << "write refused, the new address is not dotted:" << edits.ipAddressField;
        return Delivery::Refused;
    }
    applyEdits(parameters, edits);
    if (!leftOut.isEmpty()) qCDebug(lcParams) << "left out, not read:" << leftOut;
    return runSetExchange(environment, kParameterWritePort, route, parameters,
                          sendsIp ? &edits.ipAddressField : nullptr, leftOut);
}

Delivery restoreFactoryDefaults(NetworkEnvironment& environment, const DeviceRoute& route) {
    const QString newAddress = addressAfterFactoryDefaults(route);
    return runSetExchange(environment, kFactoryDefaultsPort, route, factoryParameters(),
                          newAddress.isEmpty() ? nullptr : &newAddress, {});
}

// Only a device on another network, reached by broadcast, is given the
// factory address; one reached by unicast keeps its own.
QString addressAfterFactoryDefaults(const DeviceRoute& route) {
    return route.form == DeviceRoute::Form::ByMacName ? factoryParameters().ipAddress : QString();
}

}  // namespace serverconf
