#include "write_verification.h"

#include "channel/same_network.h"

#include "parameter_read_out.h"
#include "parameter_write.h"
#include "params/params_log.h"
#include "params/request_texts.h"
#include "protocol_pauses.h"
#include "route_destination.h"
#include "set_exchange.h"
#include "value_comparison.h"

#include "channel/channel_ports.h"

namespace serverconf {
namespace {

int ipSetTagOn(const DeviceRoute& route) {
    return route.form == DeviceRoute::Form::Unicast ? kSetIpUnicastTag : kSetIpBroadcastTag;
}

QList<int> setTagsBut(const QSet<int>& leftOut) {
    QList<int> tags;
    for (const ParameterDefinition* parameter : setRequestOrder()) {
        if (!leftOut.contains(parameter->getTag)) tags << parameter->getTag;
    }
    return tags;
}

// The tags of `sent` whose read-back value is missing or different.
QList<int> notTakenOf(const SentValues& sent, const DeviceParameters& readBack, const QList<int>& missing) {
    QList<int> notTaken;
    for (int tag : sent.getTags) {
        const ParameterDefinition& parameter = *parameterByGetTag(tag);
        if (missing.contains(tag) || !hasTaken(parameter, sent.values.*parameter.member, readBack.*parameter.member))
            notTaken << tag;
    }
    return notTaken;
}

void sendAgain(CommandChannel& channel, const DeviceRoute& route, const SentValues& sent, const QList<int>& tags) {
    openSetExchange(channel, route);
    QSet<int> leftOut;
    for (const ParameterDefinition& parameter : kParameters) {
        if (!tags.contains(parameter.getTag)) leftOut.insert(parameter.getTag);
    }
    sendSetRequests(channel, route, sent.values, leftOut);
    if (tags.contains(kIpGetTag))
        channel.sendAndPause(setIpRequest(sent.values.ipAddress, sent.ipSetTag), destinationOf(route),
                             kAfterSetRequestMs);
    endSetExchange(channel, route);
}

}  // namespace

SentValues sentByWrite(const DeviceParameters& parameters, const QString& newAddress, const QSet<int>& leftOut,
                       const DeviceRoute& route) {
    SentValues sent{parameters, setTagsBut(leftOut), 0, kParameterWritePort};
    if (!leftOut.contains(kIpGetTag)) {
        sent.values.ipAddress = newAddress;
        sent.getTags << kIpGetTag;
        sent.ipSetTag = ipSetTagOn(route);
    }
    return sent;
}

SentValues sentByFactoryDefaults(const DeviceRoute& route) {
    SentValues sent{factoryParameters(), setTagsBut({}), 0, kFactoryDefaultsPort};
    if (route.form == DeviceRoute::Form::ByMacName) {
        sent.getTags << kIpGetTag;
        sent.ipSetTag = kSetIpBroadcastTag;
    }
    return sent;
}

DeviceRoute routeAfterChange(NetworkEnvironment& environment, const DeviceRoute& before, const QString& macAddress,
                             const QString& newAddress) {
    if (before.form == DeviceRoute::Form::Unicast) {
        // A device keeping its address is reached as before, whatever its subnet.
        if (newAddress.isEmpty() || isSameAddress(newAddress, before.address)) return before;
        if (environment.isOnLocalNetwork(newAddress)) return DeviceRoute::unicast(newAddress);
    }
    if (before.form == DeviceRoute::Form::ByMacName) return before;
    return DeviceRoute::byMacName(macAddress);
}

ReadBack readBackOf(NetworkEnvironment& environment, const DeviceRoute& readRoute, const QString& rowAddress,
                    const QString& macAddress, const SentValues& sent) {
    const QString newAddress = sent.newAddress();
    return ReadBack{routeAfterChange(environment, readRoute, macAddress, newAddress), {rowAddress, newAddress}, sent};
}

WriteVerification verifySentValues(NetworkEnvironment& environment, const ReadBack& readBack) {
    const DeviceRoute& route = readBack.route;
    const QStringList& replySenders = readBack.replySenders;
    const SentValues& sent = readBack.sent;
    WriteVerification verification;
    std::unique_ptr<CommandChannel> channel = environment.createChannel();
    channel->open(sent.localPort);
    QList<int> toCheck = sent.getTags;
    for (int round = 0;; ++round) {
        DeviceParameters readBack;
        const ValueRounds read = readValueRounds(environment, *channel, route, replySenders, toCheck, readBack);
        SentValues checked = sent;
        checked.getTags = toCheck;
        verification.notTaken = notTakenOf(checked, readBack, read.missingTags);
        if (verification.notTaken.isEmpty() || round == kResendRounds) break;
        qCDebug(lcParams) << "not taken, sent again:" << verification.notTaken;
        sendAgain(*channel, route, sent, verification.notTaken);
        ++verification.resendRounds;
        verification.ipResent = verification.ipResent || verification.notTaken.contains(kIpGetTag);
        toCheck = verification.notTaken;
    }
    channel->close();
    if (!verification.verified()) qCDebug(lcParams) << "values that did not take:" << verification.notTaken;
    return verification;
}

}  // namespace serverconf
