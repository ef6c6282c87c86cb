// The command-line interface of serverconf-cli: accepted forms and usage errors.

#include "cli/cli_arguments.h"
#include "cli/interface_listing.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using Command = CliArguments::Command;

std::optional<CliArguments> parse(const QString& line) {
    QString error;
    std::optional<CliArguments> parsed = parseCliArguments(line.split(u' ', Qt::SkipEmptyParts), error);
    EXPECT_TRUE(parsed || !error.isEmpty()) << "a refusal says why: " << line.toStdString();
    return parsed;
}

TEST(CliArguments, AcceptsEveryCommandOfTheInterface) {
    EXPECT_EQ(parse("search")->command, Command::Search);
    EXPECT_EQ(parse("locate 10.0.0.5")->deviceAddresses, QStringList{"10.0.0.5"});
    EXPECT_EQ(parse("read 00:11:22:33:44:0b 10.0.0.5")->deviceAddresses,
              (QStringList{"00:11:22:33:44:0b", "10.0.0.5"}));
    EXPECT_EQ(parse("search --range 10.0.0.0/24 --range 10.0.1.5-10.0.1.9")->ranges,
              (QStringList{"10.0.0.0/24", "10.0.1.5-10.0.1.9"}));
    const auto read = parse("read 10.0.0.5 --save out.ds");
    EXPECT_EQ(read->command, Command::Read);
    EXPECT_EQ(read->saveFile, "out.ds");
    const auto write = parse("write 10.0.0.5 BR=7 --load in.ds ON= IP=10.0.0.9");
    EXPECT_EQ(write->command, Command::Write);
    EXPECT_EQ(write->loadFile, "in.ds");
    const QList<QPair<QString, QString>> typed{{"BR", "7"}, {"ON", ""}, {"IP", "10.0.0.9"}};
    EXPECT_EQ(write->typedValues, typed);
    EXPECT_EQ(parse("reset 10.0.0.5")->command, Command::Reset);
    const auto change = parse("change-ip 10.0.0.5 10.0.0.6");
    EXPECT_EQ(change->deviceAddresses, QStringList{"10.0.0.5"});
    EXPECT_EQ(change->newAddress, "10.0.0.6");
    EXPECT_EQ(parse("confirm 10.0.0.5")->command, Command::Confirm);
    const auto boxed = parse("assign-ip 10.0.0.10");
    EXPECT_EQ(boxed->command, Command::AssignIp);
    EXPECT_EQ(boxed->newAddress, "10.0.0.10");
    EXPECT_TRUE(boxed->deviceAddresses.isEmpty()) << "no MAC: the boxed devices";
    EXPECT_FALSE(boxed->dryRun);
    const auto named = parse("assign-ip 10.0.0.254 00:11:22:33:44:0b 001122334401 --dry-run");
    EXPECT_EQ(named->deviceAddresses, (QStringList{"00:11:22:33:44:0b", "001122334401"}));
    EXPECT_TRUE(named->dryRun);
    EXPECT_EQ(parse("search")->waitMs, 1000);
    EXPECT_EQ(parse("--wait 250 search")->waitMs, 250);
    EXPECT_EQ(parse("read 10.0.0.5")->jobs, 64);
    EXPECT_EQ(parse("--jobs 1 write 10.0.0.5 BR=7")->jobs, 1);
    EXPECT_EQ(parse("read --all --jobs 200")->jobs, 200);
    EXPECT_EQ(parse("interfaces")->command, Command::Interfaces);
    EXPECT_EQ(parse("--lang en search")->command, Command::Search);
    EXPECT_EQ(parse("read 10.0.0.5 --lang zh")->deviceAddresses, QStringList{"10.0.0.5"});
}

TEST(CliArguments, InterfaceOptionsAddUpInOrderAndApplyToEveryCommand) {
    EXPECT_TRUE(parse("search")->interfaces.isEmpty()) << "no option: every interface";
    EXPECT_EQ(parse("--interface eth1 search --interface wlan0")->interfaces, QStringList({"eth1", "wlan0"}));
    EXPECT_EQ(parse("read 10.0.0.5 --interface eth1 --interface eth1")->interfaces, QStringList{"eth1"});
    EXPECT_EQ(parse("--interface eth1 interfaces")->interfaces, QStringList{"eth1"});
    EXPECT_FALSE(parse("search --interface"));
}

TEST(InterfaceListing, OneLinePerAddressWithPrefixAndBroadcast) {
    const QList<ListedInterface> interfaces{{"eth0",
                                             2,
                                             {{QHostAddress("192.0.2.1"), 24, QHostAddress("192.0.2.255")},
                                              {QHostAddress("192.0.2.200"), 25, QHostAddress("192.0.2.255")}}},
                                            {"wlan0", 6, {{QHostAddress("198.51.100.7"), 22, QHostAddress()}}}};
    EXPECT_EQ(interfaceListing(interfaces),
              "eth0\t192.0.2.1/24\t192.0.2.255\n"
              "eth0\t192.0.2.200/25\t192.0.2.255\n"
              "wlan0\t198.51.100.7/22\t-\n");
    EXPECT_EQ(interfaceListing({}), "");
}

TEST(CliArguments, RejectsWhatDoesNotFitTheInterface) {
    for (const char* bad : {"",
                            "find",
                            "locate",
                            "read",
                            "change-ip 10.0.0.5",
                            "search extra",
                            "read 10.0.0.5 BR=7",
                            "write 10.0.0.5 BR",
                            "write 10.0.0.5 =7",
                            "read 10.0.0.5 --save",
                            "write 10.0.0.5 --save x.ds",
                            "read 10.0.0.5 --load x.ds",
                            "read 10.0.0.5 --save a.ds --save b.ds",
                            "--wait search",
                            "--wait -5 search",
                            "--jobs 0 read 10.0.0.5",
                            "--jobs -2 read 10.0.0.5",
                            "--jobs many read 10.0.0.5",
                            "--jobs 2 --jobs 3 read 10.0.0.5",
                            "read 10.0.0.5 --jobs",
                            "--verbose search",
                            "locate 10.0.0.5 10.0.0.6",
                            "change-ip 10.0.0.5 10.0.0",
                            "change-ip 10.0.0.5 10.0.0.300",
                            "write 10.0.0.5 IP=",
                            "write 10.0.0.5 IP=192.168.1",
                            "write 10.0.0.5 IP=10.0.0.256",
                            "write 10.0.0.5 IP=a.b.c.d",
                            "interfaces eth0",
                            "--interface",
                            "--interface  search",
                            "--lang search",
                            "--lang fr search",
                            "search --lang"}) {
        EXPECT_FALSE(parse(bad)) << bad;
    }
}

TEST(CliArguments, DeviceCommandsTakeSeveralAddressesInTheOrderGiven) {
    const QStringList three{"10.0.0.5", "10.0.1.9", "10.0.0.6"};
    for (const char* command : {"read", "write", "reset", "confirm"}) {
        const auto parsed = parse(QStringLiteral("%1 10.0.0.5 10.0.1.9 10.0.0.6").arg(command));
        ASSERT_TRUE(parsed) << command;
        EXPECT_EQ(parsed->deviceAddresses, three) << command;
        EXPECT_TRUE(parsed->reportsPerDevice()) << command;
    }
    const auto write = parse("write 10.0.0.5 10.0.0.6 BR=7 ON=x --load a.ds");
    EXPECT_EQ(write->deviceAddresses, QStringList({"10.0.0.5", "10.0.0.6"}));
    EXPECT_EQ(write->typedValues.size(), 2);
    EXPECT_FALSE(parse("read 10.0.0.5")->reportsPerDevice()) << "one device keeps the plain output";

    const auto all = parse("read --all --save-dir backups --json");
    EXPECT_TRUE(all->allDevices);
    EXPECT_TRUE(all->deviceAddresses.isEmpty());
    EXPECT_EQ(all->saveDirectory, "backups");
    EXPECT_TRUE(all->json);
    EXPECT_TRUE(all->reportsPerDevice());
    EXPECT_TRUE(parse("read 10.0.0.5 --save-dir backups")->reportsPerDevice()) << "a backup reports its file";
    EXPECT_TRUE(parse("--json search")->json);
    EXPECT_TRUE(parse("interfaces --json")->json);
}

TEST(CliArguments, RefusesWhatWouldHarmSeveralDevicesOrMeansNothing) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"write 10.0.0.5 10.0.0.6 IP=10.0.0.9", "IP= cannot be written to several devices: each keeps its own address"},
        {"write 10.0.0.5 10.0.0.6 BR=7 IP=10.0.0.9",
         "IP= cannot be written to several devices: each keeps its own address"},
        {"reset 10.0.0.5 10.0.0.6 10.0.0.5", "the address 10.0.0.5 is given twice"},
        {"read 10.0.0.5 10.0.0.6 --save a.ds", "--save names the file of one device; use --save-dir for several"},
        {"read --all --save a.ds", "--save names the file of one device; use --save-dir for several"},
        {"read 10.0.0.5 --save a.ds --save-dir d", "--save names the file of one device; use --save-dir for several"},
        {"read --all 10.0.0.5", "--all takes no addresses"},
        {"write --all BR=7", "missing address"},
        {"reset --all", "missing address"},
        {"search --all", "--save, --save-dir and --all belong to read"},
        {"write 10.0.0.5 --save-dir d", "--save, --save-dir and --all belong to read"},
        {"read 10.0.0.5 --save-dir", "--save-dir needs one name"},
        {"read 10.0.0.5 10.0.0.x", "the device 10.0.0.x is neither a dotted IPv4 address nor a MAC address"},
        {"confirm 10.0.0.5 BR=7", "unexpected argument BR=7"},
        {"assign-ip", "missing address"},
        {"assign-ip 10.0.0.0", "the first address 10.0.0.0 is not one a device can take (x.x.x.1 to x.x.x.254)"},
        {"assign-ip 172.16.0.255",
         "the first address 172.16.0.255 is not one a device can take (x.x.x.1 to x.x.x.254)"},
        {"assign-ip 224.0.0.5", "the first address 224.0.0.5 is not one a device can take (x.x.x.1 to x.x.x.254)"},
        {"assign-ip 10.0.0", "the first address 10.0.0 is not a dotted IPv4 address"},
        {"assign-ip 10.0.0.9 10.0.0.5", "the device 10.0.0.5 is not a MAC address"},
        {"assign-ip 10.0.0.9 001122334401 00:11:22:33:44:01", "the address 00:11:22:33:44:01 is given twice"},
        {"assign-ip 10.0.0.9 BR=7", "unexpected argument BR=7"},
        {"read 10.0.0.5 --dry-run", "--dry-run belongs to assign-ip"},
        {"assign-ip 10.0.0.9 --range 10.0.0.0/24", "--range belongs to search"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(parseCliArguments(QString::fromLatin1(c.line).split(u' '), error)) << c.line;
        EXPECT_EQ(error, QString::fromLatin1(c.error)) << c.line;
    }
}

TEST(CliArguments, HelpAsksForTheUsageAlone) {
    for (const char* line : {"--help", "-h", "search --help", "--wait 5 -h", "read 10.0.0.5 --help"}) {
        const auto parsed = parse(line);
        ASSERT_TRUE(parsed) << line;
        EXPECT_TRUE(parsed->help) << line;
    }
    EXPECT_FALSE(parse("search")->help);
    EXPECT_TRUE(cliUsage().contains("--help"));
}

TEST(CliArguments, AnAddressArgumentMustBeADottedIPv4Address) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"read notanip", "the device notanip is neither a dotted IPv4 address nor a MAC address"},
        {"read 999.1.1.1", "the device 999.1.1.1 is neither a dotted IPv4 address nor a MAC address"},
        {"locate 10.0.0", "the address 10.0.0 is not a dotted IPv4 address"},
        {"write gate.ds BR=7", "the device gate.ds is neither a dotted IPv4 address nor a MAC address"},
        {"reset 10.0.0.5.1", "the device 10.0.0.5.1 is neither a dotted IPv4 address nor a MAC address"},
        {"confirm ::1", "the device ::1 is neither a dotted IPv4 address nor a MAC address"},
        {"change-ip host 10.0.0.6", "the device host is neither a dotted IPv4 address nor a MAC address"},
        {"change-ip 10.0.0.5 10.0.0.300", "the new address 10.0.0.300 is not a dotted IPv4 address"},
        {"change-ip 10.0.0.5 0.0.0.0",
         "IP=0.0.0.0: the device would be out of reach at 0.0.0.0, 255.255.255.255 or a multicast address"},  // refused
        {"change-ip 10.0.0.5 239.1.2.3",
         "IP=239.1.2.3: the device would be out of reach at 0.0.0.0, 255.255.255.255 or a multicast address"},  // refused
        {"read 00112233445", "the device 00112233445 is neither a dotted IPv4 address nor a MAC address"},
        {"locate 001122334455", "the address 001122334455 is not a dotted IPv4 address"},
        {"search --range 10.0.0.9-10.0.0.1", "the range 10.0.0.9-10.0.0.1 ends before it starts"},
        {"search --range 10.0.0.0/19", "the range 10.0.0.0/19 holds more than 4096 addresses"},
        {"read 10.0.0.5 --range 10.0.0.0/24", "--range belongs to search"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(parseCliArguments(QString::fromLatin1(c.line).split(u' '), error)) << c.line;
        EXPECT_EQ(error, QString::fromLatin1(c.error)) << c.line;
    }
}

}  // namespace
}  // namespace serverconf
