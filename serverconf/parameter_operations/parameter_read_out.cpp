#include "parameter_read_out.h"

#include "params/parameter_reply.h"
#include "params/params_log.h"
#include "params/request_texts.h"
#include "protocol_pauses.h"
#include "route_destination.h"

#include "channel/channel_ports.h"

#include <QSet>

namespace serverconf {

namespace {

// How many waiting datagrams one read looks at for the one from the device,
// so that a flood of foreign datagrams cannot hold the read-out.
constexpr int kMaxDatagramsPerRead = 64;

// Reads the waiting datagrams, at most kMaxDatagramsPerRead, until one from
// `sender` arrives and returns it. Without one, returns the first datagram
// read when `orFirst` is set, else nothing; the others are dropped (logged).
std::optional<Datagram> readFrom(CommandChannel& socket, const QString& sender, bool orFirst) {
    std::optional<Datagram> first;
    for (int read = 0; read < kMaxDatagramsPerRead; ++read) {
        if (read > 0 && !socket.hasWaitingDatagram()) break;
        std::optional<Datagram> datagram = socket.readOne();
        if (!datagram) continue;  // an oversize datagram, dropped by the channel
        if (datagram->senderAddress == sender) return datagram;
        qCDebug(lcParams) << "datagram from" << datagram->senderAddress << "while reading" << sender;
        if (!first) first = std::move(datagram);
    }
    return orFirst ? first : std::nullopt;
}

// Probes the row's address from the probe socket; the sender of the answer is
// the address the device is read from. An answer from the row's address is
// taken before any other, so that a stranger's datagram cannot name the
// device; a device answering from another address of its own still does.
// Empty when nothing answered.
QString probeDevice(NetworkEnvironment& environment, const QString& rowAddress) {
    std::unique_ptr<CommandChannel> probe = environment.createChannel();
    probe->open(kReadOutProbePort);
    probe->sendAndPause(searchRequest(), Destination::device(rowAddress), kAfterProbeMs);
    const std::optional<Datagram> answer = readFrom(*probe, rowAddress, true);
    probe->close();
    if (!answer) {
        qCDebug(lcParams) << "no answer to the probe of" << rowAddress;
        return {};
    }
    return answer->senderAddress;
}

}  // namespace

ReplyReceipt receiveParameterReply(NetworkEnvironment& environment, CommandChannel& windowSocket,
                                   const QString& deviceAddress, DeviceParameters& parameters) {
    environment.pause(kBeforeReplyReadMs);
    const std::optional<Datagram> datagram = readFrom(windowSocket, deviceAddress, false);
    if (!datagram) return {ReplyReceipt::Kind::NoDatagram};
    const ParameterReply reply = parseParameterReply(datagram->text);
    switch (reply.kind) {
        case ParameterReply::Kind::TooShort:
            qCDebug(lcParams) << "reply under 2 bytes from" << datagram->senderAddress << datagram->text;
            return {ReplyReceipt::Kind::TooShort};
        case ParameterReply::Kind::Unknown: return {ReplyReceipt::Kind::Ignored};
        case ParameterReply::Kind::Value: break;
    }
    storeParameterReply(parameters, reply);
    return {ReplyReceipt::Kind::Stored, reply.getTag};
}

ReadOutResult readParameters(NetworkEnvironment& environment, CommandChannel& windowSocket,
                             const DeviceEntry* selectedRow, DeviceSession& session,
                             const std::function<void()>& shortReplyNotice) {
    ReadOutResult result;
    if (!selectedRow) {
        result.outcome = ReadOutOutcome::NoDeviceSelected;
        return result;
    }
    session.parameters = DeviceParameters{};

    // Replies count only from the device being read: the address that
    // answered the probe, or the row's address when it is named by broadcast.
    QString replySender = selectedRow->deviceAddress;
    DeviceRoute route;
    if (environment.isOnLocalNetwork(selectedRow->deviceAddress)) {
        replySender = probeDevice(environment, selectedRow->deviceAddress);
        if (replySender.isEmpty()) {
            result.outcome = ReadOutOutcome::NotConnected;
            return result;
        }
        route = DeviceRoute::unicast(replySender);
        windowSocket.send(openExchangeRequest(), destinationOf(route));
    } else {
        route = DeviceRoute::byMacName(selectedRow->macAddress, selectedRow->interfaceName);
        windowSocket.allowBroadcast();
        windowSocket.sendAndPause(nameDeviceRequest(route.macAddress), destinationOf(route), kAfterNameDeviceMs);
        windowSocket.sendAndPause(openExchangeRequest(), destinationOf(route), kAfterBroadcastOpenMs);
    }

    QSet<int> storedTags;
    const auto receive = [&] {
        const ReplyReceipt receipt = receiveParameterReply(environment, windowSocket, replySender, session.parameters);
        if (receipt.kind == ReplyReceipt::Kind::Stored) {
            storedTags.insert(receipt.getTag);
        } else if (receipt.kind == ReplyReceipt::Kind::TooShort) {
            ++result.shortReplies;
            if (shortReplyNotice) shortReplyNotice();
        }
    };
    const auto ask = [&](int tag) {
        windowSocket.send(getRequest(tag), destinationOf(route));
        receive();
    };
    receive();
    for (int tag = 1; tag <= kParameterCount; ++tag) ask(tag);
    // A datagram can be lost on the way: each value still missing is asked
    // for once more (a late reply may have filled one in the meantime).
    for (int tag = 1; tag <= kParameterCount; ++tag) {
        if (storedTags.contains(tag)) continue;
        result.retriedTags << tag;
        ask(tag);
    }
    for (int tag : std::as_const(result.retriedTags)) {
        if (!storedTags.contains(tag)) result.missingTags << tag;
    }
    if (!result.retriedTags.isEmpty())
        qCDebug(lcParams) << "asked again" << result.retriedTags << "still missing" << result.missingTags;

    if (session.parameters.macAddress.isEmpty()) {
        qCDebug(lcParams) << "no MAC address read from" << selectedRow->deviceAddress;
        result.outcome = ReadOutOutcome::NotConnected;
        return result;
    }
    result.outcome = ReadOutOutcome::Read;
    result.route = route;
    return result;
}

}  // namespace serverconf
