#pragma once
// A network environment that runs an exchange instantly and writes down
// every step (opens, sends, pauses, reads) as one line of text in order, so
// a test can compare a whole sequence. A responder plays the device: it sees
// each send and may queue replies on the sending channel.

#include "channel/command_channel.h"
#include "channel/network_environment.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace serverconf::testing {

class RecordingNetwork;

class RecordingChannel final : public CommandChannel {
public:
    RecordingChannel(RecordingNetwork& network, QString name);

    bool open(quint16 localPort) override;
    void allowBroadcast() override;
    qint64 send(const QByteArray& text, const Destination& destination) override;
    bool hasWaitingDatagram() const override { return !inbox_.empty(); }
    std::optional<Datagram> readOne() override;
    void close() override;
    quint16 localPort() const override { return port_; }

    // Queues a datagram for the next read.
    void deliver(const QByteArray& text, const QString& sender) { inbox_.push_back({text, sender, 65535, {}}); }

private:
    RecordingNetwork& network_;
    QString name_;
    quint16 port_ = 0;
    std::deque<Datagram> inbox_;
};

class RecordingNetwork final : public NetworkEnvironment, private Pacer {
public:
    using Responder = std::function<void(RecordingChannel& from, const QByteArray& text, const Destination& to)>;

    QString local = QStringLiteral("192.168.1.24");
    Responder responder;
    QStringList log;

    std::unique_ptr<CommandChannel> createChannel() override
    {
        return std::make_unique<RecordingChannel>(*this, QStringLiteral("op%1").arg(++created_));
    }
    Pacer& pacer() override { return *this; }
    QStringList localAddresses() override { return local.isEmpty() ? QStringList() : QStringList{local}; }

    // Only the "send" lines, as "text > destination".
    QStringList sends() const
    {
        QStringList result;
        for (const QString& line : log) {
            const qsizetype at = line.indexOf(QStringLiteral(" send "));
            if (at >= 0)
                result << line.mid(at + 6);
        }
        return result;
    }
    // Sum of all pauses in milliseconds.
    int pausedMs() const { return pausedMs_; }

private:
    void pause(int milliseconds) override
    {
        pausedMs_ += milliseconds;
        log << QStringLiteral("pause %1").arg(milliseconds);
    }

    int created_ = 0;
    int pausedMs_ = 0;
};

inline RecordingChannel::RecordingChannel(RecordingNetwork& network, QString name)
    : CommandChannel(network.pacer()), network_(network), name_(std::move(name))
{
}

inline bool RecordingChannel::open(quint16 localPort)
{
    port_ = localPort;
    network_.log << QStringLiteral("%1 open %2").arg(name_).arg(localPort);
    return true;
}

inline void RecordingChannel::allowBroadcast()
{
    network_.log << name_ + QStringLiteral(" allow broadcast");
}

inline qint64 RecordingChannel::send(const QByteArray& text, const Destination& destination)
{
    const QString to = !destination.isBroadcast          ? destination.address
                       : destination.interfaceName.isEmpty() ? QStringLiteral("*")
                                                             : QStringLiteral("*@") + destination.interfaceName;
    network_.log << QStringLiteral("%1 send %2 > %3").arg(name_, QString::fromLatin1(text), to);
    if (network_.responder)
        network_.responder(*this, text, destination);
    return text.size();
}

inline std::optional<Datagram> RecordingChannel::readOne()
{
    if (inbox_.empty()) {
        network_.log << name_ + QStringLiteral(" read none");
        return std::nullopt;
    }
    Datagram datagram = inbox_.front();
    inbox_.pop_front();
    network_.log << QStringLiteral("%1 read %2").arg(name_, QString::fromLatin1(datagram.text));
    return datagram;
}

inline void RecordingChannel::close()
{
    network_.log << name_ + QStringLiteral(" close");
}

}  // namespace serverconf::testing
