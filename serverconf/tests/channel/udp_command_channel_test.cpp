// The real channel on loopback (inside the test's private network): what
// goes out on the wire, what a read delivers, and the receive buffer.

#include "channel/udp_command_channel.h"
#include "channel/channel_ports.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

// A device's socket on port 65535 of `address`.
std::unique_ptr<QUdpSocket> deviceSocket(const QString& address) {
    auto socket = std::make_unique<QUdpSocket>();
    EXPECT_TRUE(socket->bind(QHostAddress(address), kDevicePort, QAbstractSocket::ShareAddress));
    return socket;
}

QByteArray receive(QUdpSocket& socket, QHostAddress* sender = nullptr, quint16* port = nullptr) {
    if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(2000)) return "<nothing>";
    QByteArray data(static_cast<qsizetype>(socket.pendingDatagramSize()), '\0');
    socket.readDatagram(data.data(), data.size(), sender, port);
    return data;
}

// Waits until the channel has a datagram (sent by another socket of this
// process, so it is already queued when writeDatagram returns; a short
// grace period covers scheduling).
bool waitForDatagram(CommandChannel& channel) {
    const QDeadlineTimer deadline(2000);
    while (!channel.hasWaitingDatagram() && !deadline.hasExpired()) QThread::msleep(1);
    return channel.hasWaitingDatagram();
}

NetworkPlan loopbackPlan() { return NetworkPlan::fromAddresses(QHostAddress("127.255.255.255"), "127.0.0.1"); }

class UdpCommandChannelTest : public ::testing::Test {
protected:
    SleepingPacer pacer;
    UdpCommandChannel channel{pacer, loopbackPlan};
};

TEST_F(UdpCommandChannelTest, SendsTheTextAloneToTheDeviceFromTheFixedPort) {
    auto device = deviceSocket("127.0.0.5");
    ASSERT_TRUE(channel.open(kChangeIpPort));
    EXPECT_EQ(channel.localPort(), kChangeIpPort);
    EXPECT_EQ(channel.send("SPN1001|21", Destination::device("127.0.0.5")), 10);
    QHostAddress sender;
    quint16 port = 0;
    EXPECT_EQ(receive(*device, &sender, &port), "SPN1001|21");
    EXPECT_EQ(port, kChangeIpPort);
}

TEST_F(UdpCommandChannelTest, BroadcastGoesToTheConfiguredBroadcastAddress) {
    auto everyone = deviceSocket("0.0.0.0");
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    channel.allowBroadcast();
    EXPECT_EQ(channel.send("X", Destination::broadcast()), 1);
    EXPECT_EQ(receive(*everyone), "X");
}

TEST_F(UdpCommandChannelTest, SendWithoutAnAddressFailsInsteadOfGoingAnywhere) {
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    EXPECT_EQ(channel.send("L", Destination::device("")), -1);
}

TEST_F(UdpCommandChannelTest, ReadsDeliverUpTo255BytesAndDropLongerDatagrams) {
    auto device = deviceSocket("127.0.0.5");
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    EXPECT_FALSE(channel.readOne()) << "nothing waits: the read fails at once";

    const QByteArray longest(kMaxDatagramSize, 'v');
    const QHostAddress local("127.0.0.1");
    device->writeDatagram(QByteArray(kMaxDatagramSize + 1, 'w'), local, channel.localPort());
    device->writeDatagram(longest, local, channel.localPort());
    device->writeDatagram("1001|5", local, channel.localPort());

    ASSERT_TRUE(waitForDatagram(channel));
    EXPECT_FALSE(channel.readOne()) << "256 bytes: dropped";
    const std::optional<Datagram> whole = channel.readOne();
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->text, longest);
    EXPECT_EQ(whole->senderAddress, "127.0.0.5");
    EXPECT_EQ(whole->senderPort, kDevicePort);
    ASSERT_TRUE(waitForDatagram(channel));
    EXPECT_EQ(channel.readOne()->text, "1001|5");
    EXPECT_FALSE(channel.hasWaitingDatagram());
}

TEST_F(UdpCommandChannelTest, ReopeningLeavesDatagramsForTheOldPortUnread) {
    auto device = deviceSocket("127.0.0.5");
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    const quint16 oldPort = channel.localPort();
    device->writeDatagram("late", QHostAddress("127.0.0.1"), oldPort);
    ASSERT_TRUE(waitForDatagram(channel));
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    EXPECT_NE(channel.localPort(), oldPort);
    EXPECT_FALSE(channel.readOne());
}

TEST_F(UdpCommandChannelTest, AFixedPortInUseFailsToOpen) {
    UdpCommandChannel other(pacer, loopbackPlan);
    ASSERT_TRUE(other.open(kParameterWritePort));
    EXPECT_FALSE(channel.open(kParameterWritePort));
}

TEST_F(UdpCommandChannelTest, ArrivalRaisesTheNotificationOnTheOwningThread) {
    auto device = deviceSocket("127.0.0.5");
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    QEventLoop loop;
    QObject::connect(&channel, &CommandChannel::datagramWaiting, &loop, &QEventLoop::quit);
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    device->writeDatagram("A001", QHostAddress("127.0.0.1"), channel.localPort());
    loop.exec();
    EXPECT_TRUE(channel.hasWaitingDatagram());
}

TEST_F(UdpCommandChannelTest, TheReceiveBufferHoldsTheRepliesOf1000Devices) {
    auto device = deviceSocket("127.0.0.5");
    ASSERT_TRUE(channel.open(kAnyLocalPort));
    const QByteArray reply = "A127000000005/V1.0.0*0000000operator/gate-0001";
    for (int i = 0; i < 1000; ++i) device->writeDatagram(reply, QHostAddress("127.0.0.1"), channel.localPort());
    int read = 0;
    while (channel.readOne()) ++read;
    EXPECT_EQ(read, 1000);
}

}  // namespace
}  // namespace serverconf
