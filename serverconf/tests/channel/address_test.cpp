// Addressing decisions: same network or not, this computer's address, and
// the two environment overrides.

#include "channel/address_settings.h"
#include "channel/local_host_address.h"
#include "channel/same_network.h"
#include "channel/udp_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace serverconf {
namespace {

struct NetworkCase {
    const char* local;
    const char* device;
    bool same;
};

TEST(SameNetwork, ComparesTheFirstThreeNumbersByValue) {
    const NetworkCase cases[] = {
        {"192.168.1.24", "192.168.1.200", true},
        {"192.168.1.24", "192.168.2.5", false},
        {"192.168.1.24", "10.0.0.5", false},
        {"10.0.0.5", "10.0.0.9", true},
        // Short groups: the character positions of the two texts would agree.
        {"10.1.2.3", "10.9.2.3", false},
        {"1.2.3.4", "1.2.33.4", false},
        {"10.0.0.5", "100.0.0.5", false},
        // Leading zeros do not change a number.
        {"010.001.002.3", "10.1.2.9", true},
    };
    for (const NetworkCase& c : cases) {
        EXPECT_EQ(isSameNetwork(c.local, c.device), c.same) << c.local << " / " << c.device;
        EXPECT_EQ(isSameNetwork(c.device, c.local), c.same) << "symmetric: " << c.device << " / " << c.local;
    }
}

TEST(SameNetwork, AnythingButFourNumbersIsAnotherNetwork) {
    for (const char* bad : {"", "192.168.1", "192.168.1.24.1", "192.168.1.", "256.168.1.24", "192.168.x.24",
                            " 192.168.1.24", "192.168.1.-1", "1234.1.1.1", "::1"}) {
        EXPECT_FALSE(isSameNetwork("192.168.1.24", bad)) << bad;
        EXPECT_FALSE(isSameNetwork(bad, "192.168.1.24")) << bad;
    }
    // No local address (none found): every device is on another network.
    EXPECT_FALSE(isSameNetwork("", ""));
}

TEST(LocalHostAddress, TakesTheLastResolvedAddressWhenOneIsNotLoopback) {
    EXPECT_EQ(chooseLocalHostAddress({"192.168.1.5", "10.0.0.2"}, {"172.16.0.1"}), "10.0.0.2");
    // An IPv6 address at the end is passed over: the test needs dotted text.
    EXPECT_EQ(chooseLocalHostAddress({"192.168.1.5", "fe80::1"}, {}), "192.168.1.5");
}

TEST(LocalHostAddress, FallsBackToTheInterfacesWhenTheNameGivesOnlyLoopback) {
    const QStringList interfaces{"127.0.0.1", "192.168.1.9", "10.1.1.1", "fe80::1", "127.0.1.1"};
    EXPECT_EQ(chooseLocalHostAddress({"127.0.1.1"}, interfaces), "10.1.1.1");
    EXPECT_EQ(chooseLocalHostAddress({}, interfaces), "10.1.1.1");
    // Nothing but loopback anywhere: no address at all.
    EXPECT_EQ(chooseLocalHostAddress({"127.0.1.1"}, {"127.0.0.1", "::1"}), "");
}

class EnvironmentVariables : public ::testing::Test {
protected:
    void TearDown() override {
        ::unsetenv("SERVERCONF_BROADCAST");
        ::unsetenv("SERVERCONF_LOCAL_ADDRESS");
    }
};

TEST_F(EnvironmentVariables, UnsetMeansTheInterfaceList) {
    const AddressSettings settings = AddressSettings::fromEnvironment();
    EXPECT_FALSE(settings.replacesInterfaces());
}

TEST_F(EnvironmentVariables, OverrideBroadcastAndLocalAddress) {
    ::setenv("SERVERCONF_BROADCAST", "127.255.255.255", 1);
    ::setenv("SERVERCONF_LOCAL_ADDRESS", "127.0.0.1", 1);
    UdpEnvironment environment;
    const NetworkPlan plan = environment.plan();
    ASSERT_EQ(plan.broadcastPaths.size(), 1);
    EXPECT_EQ(plan.broadcastPaths[0].target, QHostAddress("127.255.255.255"));
    EXPECT_EQ(plan.broadcastPaths[0].interfaceIndex, 0u) << "the seam's broadcast is left to the routing";
    EXPECT_EQ(plan.localAddresses, QStringList{"127.0.0.1"});
    EXPECT_TRUE(environment.interfaces().isEmpty()) << "the variables replace the interface list";
}

// The window and the command line both take their settings this way.
TEST_F(EnvironmentVariables, AnUnusableAddressKeepsTheDefaultAndIsReportedOnStandardError) {
    ::setenv("SERVERCONF_BROADCAST", "not-an-address", 1);
    ::setenv("SERVERCONF_LOCAL_ADDRESS", "127.0.0", 1);
    ::testing::internal::CaptureStderr();
    const AddressSettings settings = AddressSettings::fromEnvironment();
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(settings.replacesInterfaces()) << "neither is taken: the interfaces decide";
    EXPECT_NE(error.find(": SERVERCONF_BROADCAST=not-an-address is not a dotted IPv4 address, ignored: requests are "
                         "broadcast to 255.255.255.255\n"),  // the warning text; nothing is sent
              std::string::npos)
        << error;
    EXPECT_NE(error.find(": SERVERCONF_LOCAL_ADDRESS=127.0.0 is not a dotted IPv4 address, ignored: this computer's "
                         "address is looked up\n"),
              std::string::npos)
        << error;
}

TEST(AddressSettings, TextsThatAreNotDottedAddressesAreIgnoredWithAWarning) {
    const struct {
        const char* broadcast;
        const char* local;
        const char* takenBroadcast;  // what the settings hold; empty: none
        const char* takenLocal;
        int warnings;
    } cases[] = {
        {"", "", "", "", 0},
        {"127.255.255.255", "127.0.0.1", "127.255.255.255", "127.0.0.1", 0},
        {"127.255.255.255", "127.0.0.l", "127.255.255.255", "", 1},
        // Short forms that a resolver would widen (127.255.255 is 127.255.0.255) are refused.
        {"127.255.255", "127.0.0.1", "", "127.0.0.1", 1},
        {"127.1", "1.2.3", "", "", 2},
        {"0x7f.255.255.255", "localhost", "", "", 2},
        {"127.255.255.256", "127.0.0.1", "", "127.0.0.1", 1},
        {"::1", "", "", "", 1},
        // Leading zeros are decimal, not octal.
        {"127.255.255.010", "", "127.255.255.10", "", 0},
    };
    for (const auto& c : cases) {
        QStringList warnings;
        const AddressSettings settings = AddressSettings::fromTexts(c.broadcast, c.local, warnings);
        EXPECT_EQ(settings.broadcastOverride.value_or(QHostAddress()),
                  QHostAddress(QString::fromLatin1(c.takenBroadcast)))
            << c.broadcast;
        EXPECT_EQ(settings.localAddressOverride, c.takenLocal) << c.local;
        ASSERT_EQ(warnings.size(), c.warnings) << c.broadcast << " " << c.local;
        for (const QString& warning : warnings) {
            EXPECT_TRUE(warning.contains(u'=') && warning.contains("is not a dotted IPv4 address, ignored"))
                << warning.toStdString();
        }
    }
}

}  // namespace
}  // namespace serverconf
