#include "device_server.h"

#include "arrival_time.h"

#include <QFileDevice>
#include <QTimer>

namespace devicesim {
namespace {

QString endpoint(const QHostAddress& address, quint16 port) {
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return (isIpv4 ? QHostAddress(ipv4).toString() : address.toString()) + u':' + QString::number(port);
}

QString dotted(const QHostAddress& address) { return endpoint(address, 0).section(u':', 0, 0); }

bool isBroadcastAddress(const QHostAddress& address) {
    // Unknown destination: only broadcasts reach the shared socket from a
    // device's point of view, unicasts go to the device's own socket.
    return address.isNull() || address == QHostAddress(QHostAddress::Broadcast) ||
           address == QHostAddress(QStringLiteral("127.255.255.255"));
}

// Where a device that answers by broadcast sends its replies: the limited
// broadcast on a test segment, the loopback broadcast on loopback.
QHostAddress broadcastAddressFor(const QString& deviceAddress) {
    return isLoopbackAddress(deviceAddress) ? QHostAddress(QStringLiteral("127.255.255.255"))
                                            : QHostAddress(QHostAddress::Broadcast);
}

}  // namespace

DeviceServer::DeviceServer(const QList<DeviceConfig>& devices, QIODevice& log, bool onPrivateSegment, QObject* parent)
    : QObject(parent), log_(log), onPrivateSegment_(onPrivateSegment) {
    devices_.reserve(static_cast<std::size_t>(devices.size()));
    for (const DeviceConfig& config : devices) devices_.push_back(Device{SimulatedDevice(config), nullptr});
}

DeviceServer::~DeviceServer() = default;

std::unique_ptr<QUdpSocket> DeviceServer::bindSocket(const QString& address, QString& error) {
    auto socket = std::make_unique<QUdpSocket>();
    // The broadcast socket and the device sockets share port 65535.
    if (!socket->bind(QHostAddress(address), kDevicePort,
                      QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        error = QStringLiteral("cannot bind %1:%2: %3").arg(address).arg(kDevicePort).arg(socket->errorString());
        return nullptr;
    }
    enableArrivalTimes(*socket);
    return socket;
}

bool DeviceServer::start(QString& error) {
    broadcastSocket_ = bindSocket(QStringLiteral("0.0.0.0"), error);
    if (!broadcastSocket_) return false;
    connect(broadcastSocket_.get(), &QUdpSocket::readyRead, this, &DeviceServer::readBroadcastSocket);
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        devices_[i].socket = bindSocket(devices_[i].model.address(), error);
        if (!devices_[i].socket) return false;
        watch(i);
    }
    return true;
}

void DeviceServer::watch(std::size_t index) {
    connect(devices_[index].socket.get(), &QUdpSocket::readyRead, this, [this, index] { readDeviceSocket(index); });
}

void DeviceServer::readBroadcastSocket() {
    while (broadcastSocket_->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = broadcastSocket_->receiveDatagram();
        const bool broadcast = isBroadcastAddress(datagram.destinationAddress());
        write(lastArrivalMs(*broadcastSocket_), QStringLiteral("in"),
              endpoint(datagram.senderAddress(), datagram.senderPort()),
              broadcast ? QStringLiteral("broadcast") : dotted(datagram.destinationAddress()), datagram.data());
        if (ignoresSender(datagram.senderAddress(), QStringLiteral("-"))) continue;
        if (!broadcast) {
            note(dotted(datagram.destinationAddress()), QStringLiteral("no device at this address"));
            continue;
        }
        for (std::size_t i = 0; i < devices_.size(); ++i) handle(i, datagram, true);
    }
}

void DeviceServer::readDeviceSocket(std::size_t index) {
    QUdpSocket& socket = *devices_[index].socket;
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket.receiveDatagram();
        write(lastArrivalMs(socket), QStringLiteral("in"), endpoint(datagram.senderAddress(), datagram.senderPort()),
              devices_[index].model.address(), datagram.data());
        if (ignoresSender(datagram.senderAddress(), devices_[index].model.address())) continue;
        handle(index, datagram, false);
    }
}

bool DeviceServer::ignoresSender(const QHostAddress& sender, const QString& device) {
    if (onPrivateSegment_ || isLoopbackAddress(dotted(sender))) return false;
    note(device, QStringLiteral("ignored a datagram from outside loopback"));
    return true;
}

void DeviceServer::handle(std::size_t index, const QNetworkDatagram& datagram, bool broadcast) {
    Device& device = devices_[index];
    const Outcome outcome = device.model.handle(parseDeviceRequest(datagram.data()), broadcast);
    for (const QString& text : outcome.notes) note(device.model.address(), text);
    const QHostAddress to =
        device.model.answersByBroadcast() ? broadcastAddressFor(device.model.address()) : datagram.senderAddress();
    const quint16 port = static_cast<quint16>(datagram.senderPort());
    for (const OutgoingReply& reply : outcome.replies) {
        if (reply.delayMs == 0) {
            sendReply(index, reply.text, to, port);
        } else {
            QTimer::singleShot(reply.delayMs, this,
                               [this, index, text = reply.text, to, port] { sendReply(index, text, to, port); });
        }
    }
    // Moved once the current read loop is over: it still uses the old socket.
    if (outcome.newAddress) {
        QTimer::singleShot(0, this, [this, index, address = *outcome.newAddress] { moveDevice(index, address); });
    }
}

void DeviceServer::sendReply(std::size_t index, const QByteArray& text, const QHostAddress& to, quint16 port) {
    Device& device = devices_[index];
    write(monotonicMs(), QStringLiteral("out"), endpoint(QHostAddress(device.model.address()), kDevicePort),
          endpoint(to, port), text);
    if (device.socket->writeDatagram(text, to, port) < 0) {
        note(device.model.address(), QStringLiteral("send failed: %1").arg(device.socket->errorString()));
    }
}

bool DeviceServer::hasDeviceAt(const QString& address) const {
    for (const Device& device : devices_) {
        if (device.model.address() == address) return true;
    }
    return false;
}

void DeviceServer::moveDevice(std::size_t index, const QString& newAddress) {
    Device& device = devices_[index];
    const QString oldAddress = device.model.address();
    QString error;
    std::unique_ptr<QUdpSocket> socket = hasDeviceAt(newAddress) ? nullptr : bindSocket(newAddress, error);
    if (!socket) {
        note(oldAddress, QStringLiteral("cannot move to %1 (%2): keeps its address")
                             .arg(newAddress, error.isEmpty() ? QStringLiteral("in use") : error));
        return;
    }
    device.socket = std::move(socket);
    device.model.moveTo(newAddress);
    watch(index);
    note(oldAddress, QStringLiteral("now answers from %1").arg(newAddress));
}

void DeviceServer::write(double timeMs, const QString& direction, const QString& from, const QString& to,
                         const QByteArray& payload) {
    log_.write(formatLogRecord(LogRecord{timeMs, direction, from, to, payload}) + '\n');
    if (auto* file = qobject_cast<QFileDevice*>(&log_)) file->flush();
}

void DeviceServer::note(const QString& device, const QString& text) {
    write(monotonicMs(), QStringLiteral("note"), device, QStringLiteral("-"), text.toUtf8());
}

}  // namespace devicesim
