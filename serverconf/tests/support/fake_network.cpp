#include "fake_network.h"

#include "channel/channel_ports.h"

namespace serverconf::testing {

QString destinationText(const Destination& destination) {
    if (!destination.isBroadcast) return destination.address;
    return destination.interfaceName.isEmpty() ? QStringLiteral("*") : QStringLiteral("*@") + destination.interfaceName;
}

Datagram replyFrom(const QString& address, const QByteArray& text, const QString& interfaceName) {
    return Datagram{text, address, kDevicePort, interfaceName};
}

// No reply has an empty sender and port 0.
Datagram failedRead() { return Datagram{{}, {}, 0, {}}; }

namespace {

bool isFailedRead(const Datagram& datagram) { return datagram.senderAddress.isEmpty() && datagram.senderPort == 0; }

}  // namespace

std::unique_ptr<CommandChannel> FakeNetwork::createChannel() {
    auto channel = std::make_unique<FakeChannel>(*this);
    channels_ << QPointer<FakeChannel>(channel.get());
    return channel;
}

void FakeNetwork::pause(int milliseconds) {
    clockMs += milliseconds;
    record(QStringLiteral("pause %1").arg(milliseconds));
}

QStringList FakeNetwork::entries(const QString& prefix) const {
    QStringList result;
    for (const QString& entry : timeline_) {
        if (entry.startsWith(prefix)) result << entry;
    }
    return result;
}

QStringList FakeNetwork::sentTexts() const {
    QStringList texts;
    for (const SentDatagram& datagram : sent_) texts << QString::fromLatin1(datagram.text);
    return texts;
}

void FakeNetwork::clearRecord() {
    timeline_.clear();
    sent_.clear();
}

void FakeNetwork::recordSend(FakeChannel& channel, const QByteArray& text, const Destination& destination) {
    const SentDatagram datagram{channel.localPort(), text, destination};
    sent_ << datagram;
    record(QStringLiteral("send %1 %2 %3")
               .arg(channel.localPort())
               .arg(destinationText(destination), QString::fromLatin1(text)));
    if (!respond) return;
    for (const Datagram& reply : respond(datagram)) channel.enqueue(reply);
}

void FakeNetwork::deliver(quint16 localPort, const Datagram& datagram) {
    for (auto it = channels_.crbegin(); it != channels_.crend(); ++it) {
        if (*it && (*it)->localPort() == localPort) {
            (*it)->enqueue(datagram);
            emit(*it)->datagramWaiting();
            return;
        }
    }
}

bool FakeChannel::open(quint16 localPort) {
    close();
    port_ = localPort == kAnyLocalPort ? network_.nextAnyPort_++ : localPort;
    open_ = true;
    network_.record(QStringLiteral("open %1").arg(localPort));
    return true;
}

void FakeChannel::allowBroadcast() { network_.record(QStringLiteral("broadcast-allowed %1").arg(port_)); }

qint64 FakeChannel::send(const QByteArray& text, const Destination& destination) {
    network_.recordSend(*this, text, destination);
    return text.size();
}

std::optional<Datagram> FakeChannel::readOne() {
    if (waiting_.empty()) {
        network_.record(QStringLiteral("read %1 nothing").arg(port_));
        return std::nullopt;
    }
    Datagram datagram = waiting_.front();
    waiting_.pop_front();
    if (isFailedRead(datagram)) {
        network_.record(QStringLiteral("read %1 failed").arg(port_));
        return std::nullopt;
    }
    network_.record(QStringLiteral("read %1 %2").arg(port_).arg(QString::fromLatin1(datagram.text)));
    if (datagram.text.size() > kMaxDatagramSize) return std::nullopt;
    return datagram;
}

void FakeChannel::close() {
    if (!open_) return;
    open_ = false;
    waiting_.clear();
    network_.record(QStringLiteral("close %1").arg(port_));
    port_ = 0;
}

}  // namespace serverconf::testing
