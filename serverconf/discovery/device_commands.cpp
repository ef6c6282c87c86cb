#include "device_commands.h"

#include "discovery_log.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"
#include "device/device_parameters.h"
#include "parameter_operations/device_reads.h"
#include "params/request_texts.h"

#include <QList>

namespace serverconf {
namespace {

struct PacedRequest {
    QByteArray text;
    int pauseMs;
};

}  // namespace

ChangeIpOutcome changeIpAddress(NetworkEnvironment& environment, const DeviceEntry& row, const QString& newAddress,
                                ChangeIpReach reach) {
    if (!isDottedAddress(newAddress)) {
        qCDebug(lcDiscovery) << "change of IP refused, not an address:" << newAddress;
        return ChangeIpOutcome::Refused;
    }
    std::unique_ptr<CommandChannel> socket = environment.createChannel();
    socket->open(kChangeIpPort);
    const bool sameNetwork =
        reach == ChangeIpReach::AsListed && row.reachedByUnicast(environment.isOnLocalNetwork(row.deviceAddress));
    const QByteArray setIp = setIpRequest(newAddress, kSetIpChangeTag);

    // On this computer's network the device is probed at its address; on
    // another network it is named by its MAC in a broadcast first.
    if (sameNetwork && !probeAnswers(*socket, row.deviceAddress)) {
        socket->close();
        return ChangeIpOutcome::NotConnected;
    }
    const QList<PacedRequest> series =
        sameNetwork ? QList<PacedRequest>{{openExchangeRequest(), 50}, {setIp, 10}, {endChangeIpRequest(), 200}}
                    : QList<PacedRequest>{{nameDeviceRequest(row.macAddress), 100},
                                          {openExchangeRequest(), 50},
                                          {setIp, 50},
                                          {endChangeIpRequest(), 200}};
    const Destination destination =
        sameNetwork ? Destination::device(row.deviceAddress) : Destination::broadcastOn(row.interfaceName);
    if (!sameNetwork) socket->allowBroadcast();
    for (const PacedRequest& request : series) socket->sendAndPause(request.text, destination, request.pauseMs);
    socket->close();
    return ChangeIpOutcome::Sent;
}

bool confirmDevice(NetworkEnvironment& environment, const DeviceEntry& row) {
    if (row.addressConflict) {
        qCDebug(lcDiscovery) << "confirm refused: another device holds" << row.deviceAddress;
        return false;
    }
    std::unique_ptr<CommandChannel> socket = environment.createChannel();
    socket->open(kConfirmDevicePort);
    if (row.reachedByUnicast(environment.isOnLocalNetwork(row.deviceAddress))) {
        socket->send(confirmRequest(), Destination::device(row.deviceAddress));
    } else {
        socket->allowBroadcast();
        socket->send(confirmRequest(), Destination::broadcastOn(row.interfaceName));
    }
    socket->close();
    return true;
}

}  // namespace serverconf
