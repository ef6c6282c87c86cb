// Which interfaces are used, how a broadcast leaves on them, and which of
// this computer's addresses make a device "on its network".

#include "channel/network_interfaces.h"
#include "channel/network_plan.h"
#include "channel/same_network.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

InterfaceAddress ipv4(const char* address, int prefix, const char* broadcast) {
    return InterfaceAddress{QHostAddress(address), prefix, QHostAddress(broadcast)};
}

InterfaceFacts facts(const char* name, uint index, bool up, bool loopback, bool canBroadcast,
                     QList<InterfaceAddress> addresses) {
    return InterfaceFacts{name, index, up, loopback, canBroadcast, std::move(addresses)};
}

TEST(UsableInterfaces, OnlyUpBroadcastCapableNonLoopbackInterfacesWithIpv4) {
    const InterfaceAddress wired = ipv4("192.0.2.1", 24, "192.0.2.255");
    const InterfaceAddress wireless = ipv4("198.51.100.7", 24, "198.51.100.255");
    const InterfaceAddress linkLocal6{QHostAddress("fe80::1"), 64, QHostAddress()};
    const QList<InterfaceFacts> system{
        facts("lo", 1, true, true, false, {ipv4("127.0.0.1", 8, "")}),
        facts("eth0", 2, true, false, true, {wired, linkLocal6}),
        facts("eth1", 3, false, false, true, {ipv4("203.0.113.1", 24, "203.0.113.255")}),  // down
        facts("tun0", 4, true, false, false, {ipv4("10.8.0.2", 32, "")}),                  // point-to-point
        facts("eth2", 5, true, false, true, {linkLocal6}),                                 // no IPv4
        facts("wlan0", 6, true, false, true, {wireless}),
    };
    const QList<ListedInterface> expected{{"eth0", 2, {wired}}, {"wlan0", 6, {wireless}}};
    EXPECT_EQ(usableInterfaces(system), expected);
}

TEST(ChooseInterfaces, KeepsTheNamedOnesInListOrderAndRefusesAnUnknownName) {
    const QList<ListedInterface> listed{{"eth0", 2, {ipv4("192.0.2.1", 24, "192.0.2.255")}},
                                        {"wlan0", 6, {ipv4("198.51.100.7", 24, "198.51.100.255")}}};
    QString unknown;
    EXPECT_EQ(chooseInterfaces(listed, {}, unknown), listed) << "no names: every interface";
    EXPECT_EQ(chooseInterfaces(listed, {"wlan0", "eth0"}, unknown), listed);
    EXPECT_EQ(chooseInterfaces(listed, {"wlan0"}, unknown), QList<ListedInterface>{listed[1]});
    EXPECT_TRUE(unknown.isEmpty());
    EXPECT_TRUE(chooseInterfaces(listed, {"eth0", "eth9"}, unknown).isEmpty());
    EXPECT_EQ(unknown, "eth9");
}

TEST(NetworkPlan, ALimitedBroadcastLeavesEachInterfaceFromItsFirstAddress) {
    const QList<ListedInterface> listed{
        {"eth0", 2, {ipv4("192.0.2.1", 24, "192.0.2.255"), ipv4("192.0.2.200", 24, "192.0.2.255")}},
        {"wlan0", 6, {ipv4("198.51.100.7", 24, "198.51.100.255")}}};
    const NetworkPlan plan = NetworkPlan::fromInterfaces(listed);
    const QList<BroadcastPath> paths{{"eth0", 2, QHostAddress("192.0.2.1"), QHostAddress(QHostAddress::Broadcast)},
                                     {"wlan0", 6, QHostAddress("198.51.100.7"), QHostAddress(QHostAddress::Broadcast)}};
    EXPECT_EQ(plan.broadcastPaths, paths) << "one copy per interface, not per address";
    EXPECT_EQ(plan.localAddresses, QStringList({"192.0.2.1", "192.0.2.200", "198.51.100.7"}));
    EXPECT_EQ(plan.interfaceNameOf(6), "wlan0");
    EXPECT_EQ(plan.interfaceNameOf(1), "") << "loopback is no interface in use";
    EXPECT_EQ(plan.interfaceNameOf(0), "");
}

TEST(NetworkPlan, TheTestAddressesMakeOneUnroutedPath) {
    const NetworkPlan plan = NetworkPlan::fromAddresses(QHostAddress("127.255.255.255"), "127.0.0.1");
    ASSERT_EQ(plan.broadcastPaths.size(), 1);
    EXPECT_EQ(plan.broadcastPaths[0].target, QHostAddress("127.255.255.255"));
    EXPECT_EQ(plan.broadcastPaths[0].interfaceIndex, 0u);
    EXPECT_EQ(plan.localAddresses, QStringList{"127.0.0.1"});
    EXPECT_TRUE(NetworkPlan::fromAddresses(QHostAddress::Broadcast, "").localAddresses.isEmpty());
}

TEST(SameNetwork, AnyInterfacesSubnetMakesADeviceLocal) {
    const QStringList computer{"192.0.2.1", "198.51.100.7"};
    EXPECT_TRUE(isOnAnyLocalNetwork(computer, "192.0.2.30"));
    EXPECT_TRUE(isOnAnyLocalNetwork(computer, "198.51.100.200")) << "the second interface's subnet";
    EXPECT_FALSE(isOnAnyLocalNetwork(computer, "192.168.1.24")) << "a factory address on neither";
    EXPECT_FALSE(isOnAnyLocalNetwork({}, "192.0.2.30")) << "no interface: every device is elsewhere";
}

}  // namespace
}  // namespace serverconf
