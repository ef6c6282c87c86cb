#include "parameter_write.h"

#include "params_log.h"
#include "protocol_pauses.h"
#include "request_texts.h"
#include "set_exchange.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"

namespace serverconf {

namespace {

// Runs one set exchange from `localPort` on `route`: opening, the 19 set
// requests, "SIP" when `setIp` names an address, "E".
Delivery runSetExchange(NetworkEnvironment& environment, quint16 localPort, const DeviceRoute& route,
                        const DeviceParameters& values, const QString* setIp) {
    const Delivery delivery = deliveryOn(route);
    if (delivery == Delivery::NotSent) return delivery;
    std::unique_ptr<CommandChannel> channel = environment.createChannel();
    channel->open(localPort);
    openSetExchange(*channel, route);
    sendSetRequests(*channel, route, values);
    if (setIp) {
        const int tag = delivery == Delivery::Unicast ? kSetIpUnicastTag : kSetIpBroadcastTag;
        channel->sendAndPause(setIpRequest(*setIp, tag), route.destination(), kAfterSetRequestMs);
    }
    endSetExchange(*channel, route);
    channel->close();
    return delivery;
}

}  // namespace

void takeDialogValues(DeviceParameters& parameters, const PropertyDialogValues& values) {
    parameters.userName = values.userName;
    parameters.deviceName = values.deviceName;
    parameters.port = values.port;
    parameters.destinationIp = values.destinationIp;
    parameters.destinationPort = values.destinationPort;
    parameters.gatewayIp = values.gatewayIp;
    parameters.netmask = values.netmask;
    parameters.protocol = values.protocol;
    parameters.workMode = values.workMode;
    parameters.rtsCts = values.rtsCts;
    parameters.dtr = values.dtr;
    parameters.baudRate = values.baudRate;
    parameters.parity = values.parity;
    parameters.dataBits = values.dataBits;
}

Delivery writeParameters(NetworkEnvironment& environment, const DeviceRoute& route, DeviceParameters& parameters,
                         const PropertyDialogValues& values) {
    if (!isDottedAddress(values.ipAddressField)) {
        qCDebug(lcParams) << "write refused, the new address is not dotted:" << values.ipAddressField;
        return Delivery::Refused;
    }
    takeDialogValues(parameters, values);
    return runSetExchange(environment, kParameterWritePort, route, parameters, &values.ipAddressField);
}

Delivery restoreFactoryDefaults(NetworkEnvironment& environment, const DeviceRoute& route) {
    const DeviceParameters defaults = factoryParameters();
    // Only a device on another network, reached by broadcast, is given the
    // factory address; one on this computer's network keeps its own.
    const QString* setIp = route.form == DeviceRoute::Form::ByMacName ? &defaults.ipAddress : nullptr;
    return runSetExchange(environment, kFactoryDefaultsPort, route, defaults, setIp);
}

}  // namespace serverconf
