#include "device_commands.h"

#include "discovery_log.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"
#include "device/device_parameters.h"
#include "params/request_texts.h"

#include <array>

namespace serverconf {
namespace {

struct PacedRequest {
    QByteArray text;
    int pauseMs;
};

}  // namespace

bool changeIpAddress(NetworkEnvironment& environment, const DeviceEntry& row, const QString& newAddress) {
    if (!isDottedAddress(newAddress)) {
        qCDebug(lcDiscovery) << "change of IP refused, not an address:" << newAddress;
        return false;
    }
    std::unique_ptr<CommandChannel> socket = environment.createChannel();
    socket->open(kChangeIpPort);
    const bool sameNetwork = environment.isOnLocalNetwork(row.deviceAddress);
    const QByteArray setIp = setIpRequest(newAddress, kSetIpChangeTag);

    // On this computer's network the device is probed at its address; on
    // another network it is named by its MAC in a broadcast first.
    const std::array<PacedRequest, 4> series =
        sameNetwork ? std::array<PacedRequest, 4>{{{searchRequest(), 100},
                                                   {openExchangeRequest(), 50},
                                                   {setIp, 10},
                                                   {endChangeIpRequest(), 200}}}
                    : std::array<PacedRequest, 4>{{{nameDeviceRequest(row.macAddress), 100},
                                                   {openExchangeRequest(), 50},
                                                   {setIp, 50},
                                                   {endChangeIpRequest(), 200}}};
    const Destination destination =
        sameNetwork ? Destination::device(row.deviceAddress) : Destination::broadcastOn(row.interfaceName);
    if (!sameNetwork) socket->allowBroadcast();
    for (const PacedRequest& request : series) socket->sendAndPause(request.text, destination, request.pauseMs);
    socket->close();
    return true;
}

void confirmDevice(NetworkEnvironment& environment, const DeviceEntry& row) {
    std::unique_ptr<CommandChannel> socket = environment.createChannel();
    socket->open(kConfirmDevicePort);
    if (environment.isOnLocalNetwork(row.deviceAddress)) {
        socket->send(confirmRequest(), Destination::device(row.deviceAddress));
    } else {
        socket->allowBroadcast();
        socket->send(confirmRequest(), Destination::broadcastOn(row.interfaceName));
    }
    socket->close();
}

}  // namespace serverconf
