#include "parameter_read_out.h"

#include "device_reads.h"
#include "protocol_pauses.h"
#include "route_destination.h"
#include "value_comparison.h"

#include "params/parameter_reply.h"
#include "params/params_log.h"
#include "params/request_texts.h"

#include "channel/channel_ports.h"

#include <QSet>

namespace serverconf {

namespace {

// "W"+MAC and "L" on a broadcast route, "L" on a unicast one.
void openReadExchange(CommandChannel& channel, const DeviceRoute& route) {
    if (route.form == DeviceRoute::Form::ByMacName) {
        channel.allowBroadcast();
        channel.sendAndPause(nameDeviceRequest(route.macAddress), destinationOf(route), kAfterNameDeviceMs);
        channel.sendAndPause(openExchangeRequest(), destinationOf(route), kAfterBroadcastOpenMs);
    } else {
        channel.send(openExchangeRequest(), destinationOf(route));
    }
}

}  // namespace

ReplyReceipt receiveParameterReply(NetworkEnvironment& environment, CommandChannel& windowSocket,
                                   const QStringList& deviceAddresses, DeviceParameters& parameters) {
    environment.pause(kBeforeReplyReadMs);
    const std::optional<Datagram> datagram = readFrom(windowSocket, deviceAddresses);
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

ValueRounds readValueRounds(NetworkEnvironment& environment, CommandChannel& channel, const DeviceRoute& route,
                            const QStringList& replySenders, const QList<int>& getTags, DeviceParameters& into,
                            const std::function<void()>& shortReplyNotice) {
    ValueRounds rounds;
    QSet<int> storedTags;
    const auto receive = [&] {
        const ReplyReceipt receipt = receiveParameterReply(environment, channel, replySenders, into);
        if (receipt.kind == ReplyReceipt::Kind::Stored) {
            storedTags.insert(receipt.getTag);
        } else if (receipt.kind == ReplyReceipt::Kind::TooShort) {
            ++rounds.shortReplies;
            if (shortReplyNotice) shortReplyNotice();
        }
    };
    const auto missing = [&] {
        QList<int> tags;
        for (int tag : getTags) {
            if (!storedTags.contains(tag)) tags << tag;
        }
        return tags;
    };
    const auto ask = [&](const QList<int>& tags) {
        for (int tag : tags) {
            channel.send(getRequest(tag), destinationOf(route));
            receive();
        }
    };

    openReadExchange(channel, route);
    receive();
    ask(getTags);
    // A datagram can be lost on the way: what is still missing is asked for
    // again (a late reply may have filled some in the meantime).
    for (int round = 1; round <= kRetryRounds; ++round) {
        const QList<int> again = missing();
        if (again.isEmpty()) break;
        for (int tag : again) {
            if (!rounds.retriedTags.contains(tag)) rounds.retriedTags << tag;
        }
        if (route.form == DeviceRoute::Form::ByMacName) openReadExchange(channel, route);
        ask(again);
    }
    std::sort(rounds.retriedTags.begin(), rounds.retriedTags.end());
    rounds.missingTags = missing();
    if (!rounds.retriedTags.isEmpty())
        qCDebug(lcParams) << "asked again" << rounds.retriedTags << "still missing" << rounds.missingTags;
    return rounds;
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

    // Replies count only from the device being read: the row's address,
    // probed first when the device is reached by unicast.
    const QString& replySender = selectedRow->deviceAddress;
    DeviceRoute route;
    if (selectedRow->reachedByUnicast(environment.isOnLocalNetwork(replySender))) {
        std::unique_ptr<CommandChannel> probe = environment.createChannel();
        probe->open(kReadOutProbePort);
        const bool answered = probeAnswers(*probe, replySender);
        probe->close();
        if (!answered) {
            result.outcome = ReadOutOutcome::NotConnected;
            return result;
        }
        route = DeviceRoute::unicast(replySender);
    } else {
        route = DeviceRoute::byMacName(selectedRow->macAddress, selectedRow->interfaceName);
    }

    QList<int> allTags;
    for (const ParameterDefinition& parameter : kParameters) allTags << parameter.getTag;
    const ValueRounds rounds =
        readValueRounds(environment, windowSocket, route, {replySender}, allTags, session.parameters, shortReplyNotice);
    result.shortReplies = rounds.shortReplies;
    result.retriedTags = rounds.retriedTags;
    result.missingTags = rounds.missingTags;

    if (session.parameters.macAddress.isEmpty()) {
        qCDebug(lcParams) << "no MAC address read from" << selectedRow->deviceAddress;
        result.outcome = ReadOutOutcome::NotConnected;
        return result;
    }
    if (!isSameMacAddress(session.parameters.macAddress, selectedRow->macAddress)) {
        qCDebug(lcParams) << "read MAC" << session.parameters.macAddress << "is not the row's"
                          << selectedRow->macAddress;
        session.parameters = DeviceParameters{};
        result.outcome = ReadOutOutcome::WrongDevice;
        return result;
    }
    result.outcome = ReadOutOutcome::Read;
    result.route = route;
    return result;
}

}  // namespace serverconf
