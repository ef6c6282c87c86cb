#pragma once
// CommandChannel on QUdpSocket. One socket bound to every local address, so
// that it receives replies sent back to any of this computer's addresses
// as well as replies broadcast by devices; a broadcast is sent once per
// path of the network plan, each copy told which interface to leave by.

#include "command_channel.h"
#include "network_plan.h"

#include <QUdpSocket>

#include <functional>

namespace serverconf {

// Receive buffer asked for each channel: room for the replies of 1000
// devices to one search (a loopback datagram takes about 1 KiB of buffer).
inline constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

class UdpCommandChannel final : public CommandChannel {
public:
    // `planSource` is asked for the network plan each time the channel opens.
    UdpCommandChannel(Pacer& pacer, std::function<NetworkPlan()> planSource);

    bool open(quint16 localPort) override;
    void allowBroadcast() override;
    qint64 send(const QByteArray& text, const Destination& destination) override;
    bool hasWaitingDatagram() const override;
    std::optional<Datagram> readOne() override;
    void close() override;
    quint16 localPort() const override;

private:
    qint64 broadcast(const QByteArray& text, const QString& interfaceName);
    qint64 sendOnPath(const QByteArray& text, const BroadcastPath& path);

    std::function<NetworkPlan()> planSource_;
    NetworkPlan plan_;
    QUdpSocket socket_;
};

}  // namespace serverconf
