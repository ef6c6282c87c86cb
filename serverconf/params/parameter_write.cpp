#include "parameter_write.h"

#include "protocol_pauses.h"
#include "request_texts.h"
#include "set_exchange.h"

#include "channel/channel_ports.h"

namespace serverconf {

namespace {

// Runs one set exchange from `localPort`: opening, the 19 set requests,
// "SIP" when `setIp` names an address, "E".
Delivery runSetExchange(NetworkEnvironment& environment, quint16 localPort, const ExchangeTarget& target,
                        const QString& macAddress, const DeviceParameters& values, const QString* setIp)
{
    if (target.delivery == Delivery::NotSent)
        return Delivery::NotSent;
    std::unique_ptr<CommandChannel> channel = environment.createChannel();
    channel->open(localPort);
    openSetExchange(*channel, target, macAddress);
    sendSetRequests(*channel, target, values);
    if (setIp) {
        const int tag = target.delivery == Delivery::Unicast ? kSetIpUnicastTag : kSetIpBroadcastTag;
        channel->sendAndPause(setIpRequest(*setIp, tag), target.destination, kAfterSetRequestMs);
    }
    endSetExchange(*channel, target);
    channel->close();
    return target.delivery;
}

}  // namespace

void takeDialogValues(DeviceParameters& parameters, const PropertyDialogValues& values)
{
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

Delivery writeParameters(NetworkEnvironment& environment, DeviceSession& session,
                         const PropertyDialogValues& values)
{
    const ExchangeTarget target = chooseExchangeTarget(environment.localHostAddress(), session.currentDeviceAddress,
                                                       values.reportedIpAddress, session.parameters.macAddress);
    takeDialogValues(session.parameters, values);
    session.currentDeviceAddress = values.ipAddressField;
    return runSetExchange(environment, kParameterWritePort, target, session.parameters.macAddress,
                          session.parameters, &session.currentDeviceAddress);
}

Delivery restoreFactoryDefaults(NetworkEnvironment& environment, const DeviceSession& session,
                                const QString& reportedIpAddress)
{
    const ExchangeTarget target = chooseExchangeTarget(environment.localHostAddress(), session.currentDeviceAddress,
                                                       reportedIpAddress, session.parameters.macAddress);
    const DeviceParameters defaults = factoryParameters();
    // A device on this computer's network keeps its address, also when it is
    // reached by broadcast for want of a reported address.
    const QString* setIp = target.onLocalNetwork ? nullptr : &defaults.ipAddress;
    return runSetExchange(environment, kFactoryDefaultsPort, target, session.parameters.macAddress, defaults,
                          setIp);
}

}  // namespace serverconf
