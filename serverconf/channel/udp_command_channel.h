#pragma once
// CommandChannel on QUdpSocket.

#include "command_channel.h"

#include <QHostAddress>
#include <QUdpSocket>

namespace serverconf {

// Receive buffer asked for each channel: room for the replies of 1000
// devices to one search (a loopback datagram takes about 1 KiB of buffer).
inline constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

class UdpCommandChannel final : public CommandChannel {
public:
    UdpCommandChannel(Pacer& pacer, QHostAddress broadcastAddress);

    bool open(quint16 localPort) override;
    void allowBroadcast() override;
    qint64 send(const QByteArray& text, const Destination& destination) override;
    bool hasWaitingDatagram() const override;
    std::optional<Datagram> readOne() override;
    void close() override;
    quint16 localPort() const override;

private:
    QHostAddress broadcastAddress_;
    QUdpSocket socket_;
};

}  // namespace serverconf
