#include "udp_command_channel.h"

#include "channel_log.h"
#include "channel_ports.h"
#include "receive_buffer.h"

#include <QNetworkDatagram>

namespace serverconf {

UdpCommandChannel::UdpCommandChannel(Pacer& pacer, std::function<NetworkPlan()> planSource)
    : CommandChannel(pacer), planSource_(std::move(planSource)) {
    connect(&socket_, &QUdpSocket::readyRead, this, &CommandChannel::datagramWaiting);
}

bool UdpCommandChannel::open(quint16 localPort) {
    close();
    plan_ = planSource_();
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
    if (destination.isBroadcast) return broadcast(text, destination.interfaceName);
    const QHostAddress host(destination.address);
    if (host.isNull()) {
        qCDebug(lcChannel) << "not sent, no device address:" << text;
        return -1;
    }
    const qint64 sent = socket_.writeDatagram(text, host, kDevicePort);
    if (sent < 0) qCDebug(lcChannel) << "send to" << host << "failed:" << socket_.errorString();
    return sent;
}

qint64 UdpCommandChannel::broadcast(const QByteArray& text, const QString& interfaceName) {
    qint64 result = -1;
    bool anyPath = false;
    for (const BroadcastPath& path : plan_.broadcastPaths) {
        if (!interfaceName.isEmpty() && path.interfaceName != interfaceName) continue;
        anyPath = true;
        const qint64 sent = sendOnPath(text, path);
        if (sent >= 0) result = sent;
    }
    if (!anyPath) {
        qCDebug(lcChannel) << "broadcast not sent, no interface" << (interfaceName.isEmpty() ? "in use" : "named")
                           << interfaceName << ":" << text;
    }
    return result;
}

qint64 UdpCommandChannel::sendOnPath(const QByteArray& text, const BroadcastPath& path) {
    QNetworkDatagram datagram(text, path.target, kDevicePort);
    if (path.interfaceIndex != 0) {
        // The interface and its address go with the datagram (IP_PKTINFO),
        // so a limited broadcast leaves through that interface, whatever the
        // routing table would choose.
        datagram.setInterfaceIndex(path.interfaceIndex);
        datagram.setSender(path.source);
    }
    const qint64 sent = socket_.writeDatagram(datagram);
    if (sent < 0) {
        qCDebug(lcChannel) << "broadcast to" << path.target << "on" << path.interfaceName
                           << "failed:" << socket_.errorString();
    }
    return sent;
}

bool UdpCommandChannel::hasWaitingDatagram() const { return socket_.hasPendingDatagrams(); }

std::optional<Datagram> UdpCommandChannel::readOne() {
    if (!socket_.hasPendingDatagrams()) return std::nullopt;
    const qint64 size = socket_.pendingDatagramSize();
    const QNetworkDatagram received = socket_.receiveDatagram(qMax<qint64>(size, 0));
    if (!received.isValid()) {
        qCDebug(lcChannel) << "read failed:" << socket_.errorString();
        return std::nullopt;
    }
    const QHostAddress sender = received.senderAddress();
    if (size > kMaxDatagramSize) {
        qCDebug(lcChannel) << "dropped a datagram of" << size << "bytes from" << sender;
        return std::nullopt;
    }
    bool isIpv4 = false;
    const quint32 ipv4 = sender.toIPv4Address(&isIpv4);
    return Datagram{received.data(), isIpv4 ? QHostAddress(ipv4).toString() : sender.toString(),
                    static_cast<quint16>(received.senderPort()), plan_.interfaceNameOf(received.interfaceIndex())};
}

void UdpCommandChannel::close() {
    if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.close();
}

quint16 UdpCommandChannel::localPort() const { return socket_.localPort(); }

}  // namespace serverconf
