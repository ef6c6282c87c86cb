#pragma once
// The simulated devices on the network: one socket on 0.0.0.0:65535 that
// hears the broadcasts, one socket per device on its own address and port
// 65535 for unicasts and replies. Every datagram is logged.

#include "datagram_log.h"
#include "simulated_device.h"

#include <QIODevice>
#include <QNetworkDatagram>
#include <QObject>
#include <QUdpSocket>

#include <memory>
#include <vector>

namespace devicesim {

inline constexpr quint16 kDevicePort = 65535;

class DeviceServer final : public QObject {
    Q_OBJECT
public:
    // `log` receives one line per record and is flushed after each.
    // `onPrivateSegment`: datagrams from outside loopback are answered too
    // (otherwise ignored).
    DeviceServer(const QList<DeviceConfig>& devices, QIODevice& log, bool onPrivateSegment, QObject* parent = nullptr);
    ~DeviceServer() override;

    // Binds every socket; false with the reason when one cannot be bound.
    bool start(QString& error);

private:
    struct Device {
        SimulatedDevice model;
        std::unique_ptr<QUdpSocket> socket;
    };

    std::unique_ptr<QUdpSocket> bindSocket(const QString& address, QString& error);
    void watch(std::size_t index);
    void readBroadcastSocket();
    void readDeviceSocket(std::size_t index);
    void handle(std::size_t index, const QNetworkDatagram& datagram, bool broadcast);
    void sendReply(std::size_t index, const QByteArray& text, const QHostAddress& to, quint16 port);
    void moveDevice(std::size_t index, const QString& newAddress);
    bool hasDeviceAt(const QString& address) const;
    bool ignoresSender(const QHostAddress& sender, const QString& device);
    void write(double timeMs, const QString& direction, const QString& from, const QString& to,
               const QByteArray& payload);
    void note(const QString& device, const QString& text);

    std::vector<Device> devices_;
    std::unique_ptr<QUdpSocket> broadcastSocket_;
    QIODevice& log_;
    bool onPrivateSegment_;
};

}  // namespace devicesim
