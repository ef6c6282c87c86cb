#include "parameter_read_out.h"

#include "parameter_reply.h"
#include "params_log.h"
#include "protocol_pauses.h"
#include "request_texts.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"

namespace serverconf {

namespace {

// Probes the row's address from the probe socket; the sender of the answer is
// the address the device is read from. Empty when nothing answered.
QString probeDevice(NetworkEnvironment& environment, const QString& rowAddress)
{
    std::unique_ptr<CommandChannel> probe = environment.createChannel();
    probe->open(kReadOutProbePort);
    probe->sendAndPause(searchRequest(), Destination::device(rowAddress), kAfterProbeMs);
    const std::optional<Datagram> answer = probe->readOne();
    probe->close();
    if (!answer) {
        qCDebug(lcParams) << "no answer to the probe of" << rowAddress;
        return {};
    }
    return answer->senderAddress;
}

}  // namespace

ReplyReceipt receiveParameterReply(NetworkEnvironment& environment, CommandChannel& windowSocket,
                                   DeviceParameters& parameters)
{
    environment.pause(kBeforeReplyReadMs);
    const std::optional<Datagram> datagram = windowSocket.readOne();
    if (!datagram)
        return ReplyReceipt::NoDatagram;
    const ParameterReply reply = parseParameterReply(datagram->text);
    switch (reply.kind) {
    case ParameterReply::Kind::TooShort:
        qCDebug(lcParams) << "reply under 2 bytes from" << datagram->senderAddress << datagram->text;
        return ReplyReceipt::TooShort;
    case ParameterReply::Kind::Unknown:
        return ReplyReceipt::Ignored;
    case ParameterReply::Kind::Value:
        break;
    }
    storeParameterReply(parameters, reply);
    return ReplyReceipt::Stored;
}

ReadOutResult readParameters(NetworkEnvironment& environment, CommandChannel& windowSocket,
                             const DeviceEntry* selectedRow, DeviceSession& session,
                             const std::function<void()>& shortReplyNotice)
{
    ReadOutResult result;
    if (!selectedRow) {
        result.outcome = ReadOutOutcome::NoDeviceSelected;
        return result;
    }
    session.parameters.macAddress.clear();

    Destination destination = Destination::broadcast();
    if (isSameNetwork(environment.localHostAddress(), selectedRow->deviceAddress)) {
        session.currentDeviceAddress = probeDevice(environment, selectedRow->deviceAddress);
        if (session.currentDeviceAddress.isEmpty()) {
            result.outcome = ReadOutOutcome::NotConnected;
            return result;
        }
        destination = Destination::device(session.currentDeviceAddress);
        windowSocket.send(openExchangeRequest(), destination);
    } else {
        windowSocket.allowBroadcast();
        windowSocket.sendAndPause(nameDeviceRequest(selectedRow->macAddress), destination, kAfterNameDeviceMs);
        windowSocket.sendAndPause(openExchangeRequest(), destination, kAfterBroadcastOpenMs);
    }

    const auto receive = [&] {
        if (receiveParameterReply(environment, windowSocket, session.parameters) == ReplyReceipt::TooShort) {
            ++result.shortReplies;
            if (shortReplyNotice)
                shortReplyNotice();
        }
    };
    receive();
    for (int tag = 1; tag <= kParameterCount; ++tag) {
        windowSocket.send(getRequest(tag), destination);
        receive();
    }

    result.outcome = session.parameters.macAddress.isEmpty() ? ReadOutOutcome::NotConnected : ReadOutOutcome::Read;
    if (result.outcome == ReadOutOutcome::NotConnected)
        qCDebug(lcParams) << "no MAC address read from" << selectedRow->deviceAddress;
    return result;
}

}  // namespace serverconf
