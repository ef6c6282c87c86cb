// Which listed device an address or a MAC names, and which rows share an
// address with another device.

#include "device/device_targets.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

DeviceEntry row(const char* mac, const char* address, const char* interfaceName = "lo") {
    DeviceEntry entry;
    entry.macAddress = QString::fromLatin1(mac);
    entry.deviceAddress = QString::fromLatin1(address);
    entry.interfaceName = QString::fromLatin1(interfaceName);
    return entry;
}

TEST(MacAddressKey, TakesTwelveHexDigitsInEitherCaseWithOrWithoutSeparators) {
    const struct {
        const char* text;
        const char* key;
    } cases[] = {
        {"001122334455", "001122334455"},
        {"00:11:22:33:44:55", "001122334455"},
        {"00-11-22-33-44-5b", "00112233445B"},
        {"0011.2233.445b", "00112233445B"},
        {"00112233AA55", "0011223355"},
        {"00112233aa55", "0011223355"},
        {"0011223344", ""},
        {"0011223344556", ""},
        {"127.0.0.5", ""},
        {"00112233445g", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(macAddressKey(QString::fromLatin1(c.text)), QString::fromLatin1(c.key)) << c.text;
    }
}

TEST(AddressConflicts, MarkEveryRowWhoseAddressAnotherMacHolds) {
    const QList<DeviceEntry> rows{
        row("00112233440A", "127.0.0.5"),         row("00112233440B", "127.0.0.6"), row("00112233440C", "127.0.0.5"),
        row("00112233440B", "127.0.0.6", "eth1"),  // one device heard twice: no conflict
        row("00112233440D", "127.0.0.7"),
    };
    EXPECT_EQ(addressConflicts(rows), (QList<bool>{true, false, true, false, false}));
    EXPECT_EQ(macAddressesAt(rows, QStringLiteral("127.0.0.5")), (QStringList{"00112233440A", "00112233440C"}));
    EXPECT_EQ(macAddressesAt(rows, QStringLiteral("127.0.0.5"), QStringLiteral("00112233440a")),
              QStringList{"00112233440C"});
    EXPECT_EQ(macAddressesAt(rows, QStringLiteral("127.0.0.9")), QStringList());
}

TEST(ChooseTarget, AnAddressOrMacNamesOneRowOrIsRefusedWithTheDevicesItCouldMean) {
    using Kind = TargetChoice::Kind;
    const QList<DeviceEntry> rows{
        row("00112233440B", "127.0.0.5"),         row("00112233440C", "127.0.0.5"),
        row("001122334401", "127.0.0.6"),         row("001122334402", "127.0.0.7", "eth0"),
        row("001122334402", "127.0.0.7", "eth1"),
    };
    const struct {
        const char* target;
        QStringList interfaces;
        Kind kind;
        int row;
        QStringList macs;
    } cases[] = {
        {"127.0.0.6", {}, Kind::Row, 2, {}},
        {"127.0.0.5", {}, Kind::SeveralDevices, -1, {"00112233440B", "00112233440C"}},
        {"00:11:22:33:44:0c", {}, Kind::Row, 1, {}},
        {"00112233440b", {}, Kind::Row, 0, {}},
        {"127.0.0.9", {}, Kind::NotListed, -1, {}},
        {"001122334499", {}, Kind::NotListed, -1, {}},
        {"001122334402", {}, Kind::SeveralInterfaces, -1, {"001122334402"}},
        {"127.0.0.7", {}, Kind::SeveralInterfaces, -1, {"001122334402"}},
        {"001122334402", {"eth1"}, Kind::Row, 4, {}},
        {"127.0.0.7", {"eth0"}, Kind::Row, 3, {}},
    };
    for (const auto& c : cases) {
        const TargetChoice choice = chooseTarget(rows, QString::fromLatin1(c.target), c.interfaces);
        EXPECT_EQ(choice.kind, c.kind) << c.target;
        EXPECT_EQ(choice.row, c.row) << c.target;
        EXPECT_EQ(choice.macAddresses, c.macs) << c.target;
    }
    EXPECT_EQ(chooseTarget(rows, QStringLiteral("001122334402"), {}).interfaces, (QStringList{"eth0", "eth1"}));
}

}  // namespace
}  // namespace serverconf
