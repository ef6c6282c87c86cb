// Which boxed device gets which new address: MAC order, addresses held or
// answering passed over, the end of the /24, the devices named.

#include "discovery/address_assignment.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

DeviceEntry row(const char* mac, const char* address, const char* interfaceName = "") {
    DeviceEntry entry;
    entry.macAddress = QString::fromLatin1(mac);
    entry.deviceAddress = QString::fromLatin1(address);
    entry.interfaceName = QString::fromLatin1(interfaceName);
    return entry;
}

// One device alone at the factory address, two sharing 10.0.0.7, two
// ordinary ones, and one MAC heard on two interfaces.
const QList<DeviceEntry> kRows{
    row("001122334401", "192.168.1.24"),      row("001122334403", "10.0.0.7"),
    row("001122334402", "10.0.0.7"),          row("001122334404", "10.0.0.11"),
    row("001122334405", "10.0.0.12"),         row("001122334406", "10.0.0.40", "eth1"),
    row("001122334406", "10.0.0.41", "eth2"),
};

using Outcome = AddressPlan::Outcome;

TEST(AddressAssignment, DevicesTakeTheFreeAddressesInMacOrderUpToPoint254) {
    const struct {
        const char* what;
        QStringList named;
        QStringList interfaces;
        const char* first;
        QStringList answering;
        Outcome outcome;
        QStringList assigned;  // MAC=address, in the plan's order
        QStringList names;
        QStringList probed;  // empty: not checked
    } cases[] = {
        {"boxed devices by default, held addresses passed over without a probe",
         {},
         {},
         "10.0.0.10",
         {},
         Outcome::Planned,
         {"001122334401=10.0.0.10", "001122334402=10.0.0.13", "001122334403=10.0.0.14"},
         {},
         {"10.0.0.10", "10.0.0.13", "10.0.0.14"}},
        {"an address that answers a probe is passed over",
         {},
         {},
         "10.0.0.20",
         {"10.0.0.21"},
         Outcome::Planned,
         {"001122334401=10.0.0.20", "001122334402=10.0.0.22", "001122334403=10.0.0.23"},
         {},
         {"10.0.0.20", "10.0.0.21", "10.0.0.22", "10.0.0.23"}},
        {"an address taken otherwise (this computer's own) is passed over; .254 is the last given",
         {},
         {},
         "10.0.0.251",
         {"10.0.0.252"},
         Outcome::Planned,
         {"001122334401=10.0.0.251", "001122334402=10.0.0.253", "001122334403=10.0.0.254"},
         {},
         {}},
        {"a plan past .254 is refused, naming the devices left without",
         {},
         {},
         "10.0.0.253",
         {"10.0.0.254"},
         Outcome::PastEnd,
         {},
         {"001122334402", "001122334403"},
         {}},
        {"devices named, in either case and with separators, go in MAC order",
         {"00-11-22-33-44-05", "00112233440b", "00:11:22:33:44:04"},
         {},
         "10.0.1.1",
         {},
         Outcome::Planned,
         {"001122334404=10.0.1.1", "001122334405=10.0.1.2", "00112233440B=10.0.1.3"},
         {},
         {}},
        {"named MACs no row has are all named",
         {"001122334404", "001122334499", "0011223344EE"},
         {},
         "10.0.1.1",
         {},
         Outcome::NotListed,
         {},
         {"001122334499", "0011223344EE"},
         {}},
        {"a MAC heard on two interfaces is refused",
         {"001122334406"},
         {},
         "10.0.1.1",
         {},
         Outcome::SeveralInterfaces,
         {},
         {"001122334406", "eth1", "eth2"},
         {}},
        {"unless --interface picks one",
         {"001122334406"},
         {"eth2"},
         "10.0.1.1",
         {},
         Outcome::Planned,
         {"001122334406=10.0.1.1"},
         {},
         {}},
    };
    QList<DeviceEntry> rows = kRows;
    rows << row("00112233440B", "10.0.0.50");
    for (const auto& c : cases) {
        QStringList probed;
        const AddressPlan plan =
            planAddresses(rows, QString::fromLatin1(c.first), c.named, c.interfaces, [&](const QString& address) {
                probed << address;
                return c.answering.contains(address);
            });
        EXPECT_EQ(plan.outcome, c.outcome) << c.what;
        QStringList assigned;
        for (const AddressAssignment& assignment : plan.assignments)
            assigned << assignment.row.macAddress + u'=' + assignment.newAddress;
        EXPECT_EQ(assigned, c.assigned) << c.what;
        EXPECT_EQ(plan.names, c.names) << c.what;
        if (!c.probed.isEmpty()) {
            EXPECT_EQ(probed, c.probed) << c.what;
        }
    }
}

}  // namespace
}  // namespace serverconf
