#include "testsupport/private_network.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A broadcast on the private loopback reaches a socket bound to the any
// address, which is what the device simulator relies on.
TEST(PrivateLoopbackNetwork, CarriesLoopbackBroadcast) {
    std::string error;
    ASSERT_TRUE(testsupport::enterPrivateLoopbackNetwork(error)) << error;

    int receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(65535);
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    ASSERT_EQ(::bind(receiver, reinterpret_cast<sockaddr*>(&any), sizeof any), 0);

    int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
    int on = 1;
    ::setsockopt(sender, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in broadcast = any;
    ::inet_pton(AF_INET, "127.255.255.255", &broadcast.sin_addr);
    ASSERT_EQ(::sendto(sender, "X", 1, 0, reinterpret_cast<sockaddr*>(&broadcast), sizeof broadcast), 1);

    timeval wait{2, 0};
    ::setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    char byte = 0;
    EXPECT_EQ(::recv(receiver, &byte, 1, 0), 1);
    EXPECT_EQ(byte, 'X');
    ::close(sender);
    ::close(receiver);
}

}  // namespace
