#pragma once
// One datagram socket of the device protocol: open on a local port, send a
// request to one device or to everyone, read one reply without blocking.
// CommandChannel is the interface the operations use; UdpCommandChannel is
// the real one on QUdpSocket, and tests put a recording fake in its place.

#include "pacer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

namespace serverconf {

// Where a request goes: the device's dotted address, or a broadcast. A
// broadcast leaves on every interface in use, or on the one named (the
// interface a device was heard on), as a limited broadcast
// (255.255.255.255, or SERVERCONF_BROADCAST where that replaces the
// interfaces). The remote port is always kDevicePort.
struct Destination {
    static Destination broadcast() { return Destination{true, {}, {}}; }
    // An empty name means every interface, as broadcast().
    static Destination broadcastOn(const QString& interfaceName) { return Destination{true, {}, interfaceName}; }
    static Destination device(const QString& address) { return Destination{false, address, {}}; }

    bool isBroadcast = true;
    QString address;        // empty for a broadcast
    QString interfaceName;  // a broadcast's one interface; empty: all of them

    bool operator==(const Destination&) const = default;
};

// Longest datagram a read delivers; a longer one is dropped and the read fails.
inline constexpr int kMaxDatagramSize = 255;

struct Datagram {
    QByteArray text;        // at most kMaxDatagramSize bytes
    QString senderAddress;  // dotted IPv4 text
    quint16 senderPort = 0;
    // The interface in use it arrived on; empty when it came in elsewhere
    // (loopback, for one).
    QString arrivalInterface;
};

class CommandChannel : public QObject {
    Q_OBJECT
public:
    explicit CommandChannel(Pacer& pacer) : pacer_(pacer) {}

    // Binds to `localPort` on every local interface (kAnyLocalPort: chosen by
    // the system). Reopening an open channel closes it first, so datagrams
    // addressed to the old port are no longer read. False when the port
    // cannot be bound (the reason is logged); sends then fail too.
    virtual bool open(quint16 localPort) = 0;
    // Allows broadcasts on this socket (SO_BROADCAST = 1).
    virtual void allowBroadcast() = 0;
    // Sends `text` as one datagram to port kDevicePort of the destination.
    // Returns the number of bytes sent, or -1 (logged).
    virtual qint64 send(const QByteArray& text, const Destination& destination) = 0;
    // True when a datagram waits to be read.
    virtual bool hasWaitingDatagram() const = 0;
    // Reads the next waiting datagram without blocking. Empty when none
    // waits, when it was longer than kMaxDatagramSize (then it is consumed
    // and lost, and the loss is logged), or when the read failed (logged):
    // on Windows an ICMP "port unreachable" for an earlier datagram (a
    // probe of an address where nothing listens) waits as an error that
    // fails one read. Either way a read loop goes on to what waits behind.
    virtual std::optional<Datagram> readOne() = 0;
    virtual void close() = 0;
    // The bound local port, 0 while closed.
    virtual quint16 localPort() const = 0;

    // send, then pause the calling thread (the request series of the
    // operations are paced this way).
    qint64 sendAndPause(const QByteArray& text, const Destination& destination, int milliseconds) {
        qint64 sent = send(text, destination);
        pacer_.pause(milliseconds);
        return sent;
    }

signals:
    // A datagram has arrived (emitted on the thread that owns the channel,
    // from its event loop). Only the discovery socket acts on it.
    void datagramWaiting();

private:
    Pacer& pacer_;
};

}  // namespace serverconf
