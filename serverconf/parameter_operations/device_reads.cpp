#include "device_reads.h"

#include "params/params_log.h"
#include "params/request_texts.h"
#include "protocol_pauses.h"

namespace serverconf {
namespace {

// How many waiting datagrams one read looks at.
constexpr int kMaxDatagramsPerRead = 64;

}  // namespace

std::optional<Datagram> readFrom(CommandChannel& socket, const QStringList& senders) {
    for (int read = 0; read < kMaxDatagramsPerRead; ++read) {
        if (read > 0 && !socket.hasWaitingDatagram()) break;
        std::optional<Datagram> datagram = socket.readOne();
        if (!datagram) continue;  // a failed read (see CommandChannel::readOne): later datagrams still count
        if (senders.contains(datagram->senderAddress)) return datagram;
        qCDebug(lcParams) << "datagram from" << datagram->senderAddress << "while reading" << senders;
    }
    return std::nullopt;
}

void discardWaiting(CommandChannel& socket) {
    for (int read = 0; read < kMaxDatagramsPerRead && socket.hasWaitingDatagram(); ++read) {
        const std::optional<Datagram> stale = socket.readOne();
        if (stale) qCDebug(lcParams) << "dropped a datagram waiting from before:" << stale->senderAddress;
    }
}

bool probeAnswers(CommandChannel& socket, const QString& address) {
    discardWaiting(socket);
    for (int attempt = 1; attempt <= kProbeAttempts; ++attempt) {
        socket.sendAndPause(searchRequest(), Destination::device(address), kAfterProbeMs);
        if (readFrom(socket, {address})) return true;
        qCDebug(lcParams) << "no answer from" << address << "to probe" << attempt;
    }
    return false;
}

}  // namespace serverconf
