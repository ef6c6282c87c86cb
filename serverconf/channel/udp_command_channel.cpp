#include "udp_command_channel.h"

#include "channel_log.h"
#include "channel_ports.h"
#include "receive_buffer.h"

namespace serverconf {

UdpCommandChannel::UdpCommandChannel(Pacer& pacer, QHostAddress broadcastAddress)
    : CommandChannel(pacer), broadcastAddress_(std::move(broadcastAddress)) {
    connect(&socket_, &QUdpSocket::readyRead, this, &CommandChannel::datagramWaiting);
}

bool UdpCommandChannel::open(quint16 localPort) {
    close();
    if (!socket_.bind(QHostAddress::AnyIPv4, localPort)) {
        qCDebug(lcChannel) << "cannot bind local port" << localPort << ":" << socket_.errorString();
        return false;
    }
    enlargeReceiveBuffer(socket_, kReceiveBufferBytes);
    return true;
}

void UdpCommandChannel::allowBroadcast() {
    // Qt sets SO_BROADCAST on every UDP socket it creates, so a broadcast is
    // always allowed here; nothing further is needed on this socket.
}

qint64 UdpCommandChannel::send(const QByteArray& text, const Destination& destination) {
    const QHostAddress host = destination.isBroadcast ? broadcastAddress_ : QHostAddress(destination.address);
    if (host.isNull()) {
        qCDebug(lcChannel) << "not sent, no device address:" << text;
        return -1;
    }
    const qint64 sent = socket_.writeDatagram(text, host, kDevicePort);
    if (sent < 0) qCDebug(lcChannel) << "send to" << host << "failed:" << socket_.errorString();
    return sent;
}

bool UdpCommandChannel::hasWaitingDatagram() const { return socket_.hasPendingDatagrams(); }

std::optional<Datagram> UdpCommandChannel::readOne() {
    if (!socket_.hasPendingDatagrams()) return std::nullopt;
    const qint64 size = socket_.pendingDatagramSize();
    QByteArray buffer(static_cast<qsizetype>(qMax<qint64>(size, 0)), '\0');
    QHostAddress sender;
    quint16 senderPort = 0;
    const qint64 read = socket_.readDatagram(buffer.data(), buffer.size(), &sender, &senderPort);
    if (read < 0) {
        qCDebug(lcChannel) << "read failed:" << socket_.errorString();
        return std::nullopt;
    }
    if (read > kMaxDatagramSize) {
        qCDebug(lcChannel) << "dropped a datagram of" << read << "bytes from" << sender;
        return std::nullopt;
    }
    buffer.truncate(static_cast<qsizetype>(read));
    bool isIpv4 = false;
    const quint32 ipv4 = sender.toIPv4Address(&isIpv4);
    return Datagram{buffer, isIpv4 ? QHostAddress(ipv4).toString() : sender.toString(), senderPort};
}

void UdpCommandChannel::close() {
    if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.close();
}

quint16 UdpCommandChannel::localPort() const { return socket_.localPort(); }

}  // namespace serverconf
