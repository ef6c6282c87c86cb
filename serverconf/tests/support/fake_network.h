#pragma once
// A recording stand-in for the network: every open, send, pause, read and
// close of the channels it creates is written to one timeline, pauses only
// advance a virtual clock, and a scripted peer decides which datagrams
// arrive in answer to each send. Protocol sequences run instantly and are
// asserted on the timeline, e.g.
//   "open 3004", "send 3004 192.168.1.30 X", "pause 100", "read 3004 nothing", "close 3004".
// A broadcast is written with "*" as the destination, "*@eth1" when it
// goes out on one interface only. The sends are also kept as they went out
// (sent()); both are one record, forgotten together by clearRecord().

#include "channel/network_environment.h"

#include <QList>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>

namespace serverconf::testing {

struct SentDatagram {
    quint16 localPort = 0;
    QByteArray text;
    Destination destination;
};

class FakeChannel;

class FakeNetwork final : public NetworkEnvironment, private Pacer {
public:
    using Responder = std::function<QList<Datagram>(const SentDatagram&)>;

    std::unique_ptr<CommandChannel> createChannel() override;
    Pacer& pacer() override { return *this; }
    QStringList localAddresses() override { return addresses; }

    // This computer's addresses as the operations see them.
    QStringList addresses{QStringLiteral("192.168.1.24")};
    // The peer: datagrams that arrive on the sending channel after a send.
    Responder respond;
    // Milliseconds of all pauses so far; clearRecord() leaves it running.
    int clockMs = 0;

    const QStringList& timeline() const { return timeline_; }
    // The timeline entries that start with `prefix` ("send", "pause", ...).
    QStringList entries(const QString& prefix) const;
    // The sends only, in order.
    const QList<SentDatagram>& sent() const { return sent_; }
    // The texts of the sends only, in order.
    QStringList sentTexts() const;
    void clearRecord();

    // Queues a datagram on the channel bound to `localPort` (the most
    // recently created one for port 0) and raises its notification.
    void deliver(quint16 localPort, const Datagram& datagram);

private:
    friend class FakeChannel;
    void pause(int milliseconds) override;
    void record(const QString& entry) { timeline_ << entry; }
    void recordSend(FakeChannel& channel, const QByteArray& text, const Destination& destination);

    QStringList timeline_;
    QList<SentDatagram> sent_;
    // Port 0 stands for "any": the fake hands out ports from here.
    quint16 nextAnyPort_ = 40000;
    QList<QPointer<FakeChannel>> channels_;
};

class FakeChannel final : public CommandChannel {
public:
    explicit FakeChannel(FakeNetwork& network) : CommandChannel(network.pacer()), network_(network) {}

    bool open(quint16 localPort) override;
    void allowBroadcast() override;
    qint64 send(const QByteArray& text, const Destination& destination) override;
    bool hasWaitingDatagram() const override { return !waiting_.empty(); }
    std::optional<Datagram> readOne() override;
    void close() override;
    quint16 localPort() const override { return port_; }

    void enqueue(const Datagram& datagram) { waiting_.push_back(datagram); }

private:
    FakeNetwork& network_;
    quint16 port_ = 0;
    bool open_ = false;
    std::deque<Datagram> waiting_;
};

// A reply datagram from a device at `address`, port 65535, that came in on
// `interfaceName`.
Datagram replyFrom(const QString& address, const QByteArray& text, const QString& interfaceName = {});

// Stands, among a peer's answers or a delivery, for what an ICMP "port
// unreachable" leaves on an unconnected socket on Windows: something waits,
// and its read fails ("read <port> failed" in the timeline).
Datagram failedRead();

// How a destination is written in the timeline: the address, "*" or "*@<interface>".
QString destinationText(const Destination& destination);

}  // namespace serverconf::testing
