// serverconf-cli end to end against devicesim: every command, its output,
// its exit status and the datagrams the devices received.

#include "params/device_profile.h"

#include "cli_run.h"
#include "devicesim_process.h"
#include "write_series.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::LogRecord;

// The default devices: one on this computer's network, one on another.
const QStringList kDevices{
    "addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,BR=7",
    "addr=127.0.1.9,mac=009900000009,user=far,name=hall",
};

TEST_F(CliAgainstDeviceSim, SearchPrintsOneTabSeparatedLinePerRow) {
    start(kDevices);
    const CliRun run = runCli({"search"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              "1\t001122334455\tops/gate-1\t127.0.0.5\n"
              "0\t009900000009\tfar/hall\t127.0.1.9\n");
}

// The locale decides the language of the texts; "ok", "failed" and the JSON
// keys stay as they are in every language.
TEST_F(CliAgainstDeviceSim, AnEnglishLocaleGetsEnglishTextsAndTheCLocaleTheChineseOnes) {
    start(kDevices);
    const struct {
        const char* locale;
        QStringList arguments;
        QString out;
    } cases[] = {
        {"C.UTF-8",
         {"confirm", "127.0.0.5", "127.0.0.77"},
         QStringLiteral("127.0.0.5\tok\tconfirmation sent\n127.0.0.77\tfailed\t没有选择设备!\n")},
        {"en_GB.UTF-8",
         {"confirm", "127.0.0.5", "127.0.0.77"},
         "127.0.0.5\tok\tconfirmation sent\n127.0.0.77\tfailed\tNo device selected!\n"},
    };
    for (const auto& test : cases) {
        const CliRun run = runCli(test.arguments, {QStringLiteral("LC_ALL=%1").arg(test.locale)});
        EXPECT_EQ(run.exitCode, 1) << test.locale;
        EXPECT_EQ(run.out, test.out) << test.locale;
    }
    const CliRun json =
        runCli({"--json", "confirm", "127.0.0.77", "127.0.0.5"}, {QStringLiteral("LC_ALL=en_GB.UTF-8")});
    EXPECT_TRUE(json.out.contains(R"("message": "No device selected!")")) << json.out.toStdString();
    EXPECT_TRUE(json.out.contains(R"("ok": false)")) << json.out.toStdString();
    EXPECT_EQ(runCli({"search", "--bogus"}, {QStringLiteral("LC_ALL=en_GB.UTF-8")}).err.section(u'\n', 0, 0),
              "serverconf-cli: unknown option --bogus")
        << "usage errors are English source texts";
}

TEST_F(CliAgainstDeviceSim, NoAnswerIsExitOneWithTheNoDeviceMessage) {
    start({"addr=127.0.0.5,drop=X"});
    const CliRun search = runCli({"search"});
    EXPECT_EQ(search.exitCode, 1);
    EXPECT_EQ(search.out, "");
    EXPECT_EQ(search.err.trimmed(), QStringLiteral("没有搜索到设备"));
    EXPECT_EQ(runCli({"locate", "127.0.0.5"}).exitCode, 1);
    const CliRun read = runCli({"read", "127.0.0.5"});
    EXPECT_EQ(read.exitCode, 1);
}

TEST_F(CliAgainstDeviceSim, ReadPrintsTheValuesInFileOrderAndSavesThem) {
    start(kDevices);
    const QString file = directory.filePath("gate.ds");
    const CliRun run = runCli({"read", "127.0.0.5", "--save", file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kParameterCount);
    for (int i = 0; i < kParameterCount; ++i) EXPECT_TRUE(lines[i].startsWith(QString(kProfileSaveOrder[i]) + "="));
    EXPECT_TRUE(lines.contains("BR=7"));
    EXPECT_TRUE(lines.contains("FE=001122334455"));
    EXPECT_TRUE(lines.contains("IP=127.0.0.5"));

    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    EXPECT_TRUE(content.startsWith("[main]\r\nON=ops\r\nDN=gate-1\r\nFE=001122334455\r\n"));
    EXPECT_EQ(readProfileValue(content, u"main", u"BR"), "7");
}

TEST_F(CliAgainstDeviceSim, ReadOfADeviceThatKeepsItsMacFailsWithTheConnectionMessage) {
    start({"addr=127.0.0.5,drop=3"});
    const CliRun run = runCli({"read", "127.0.0.5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("请检查设备与pc连线状态!"));
    EXPECT_EQ(runCli({"read", "127.0.0.9"}).err.trimmed(), QStringLiteral("没有选择设备!")) << "no row with that IP";
}

TEST_F(CliAgainstDeviceSim, WriteSendsLoadedAndTypedValuesThenListsTheDeviceAtItsNewAddress) {
    start(kDevices);
    const QString file = directory.filePath("profile.ds");
    QFile profile(file);
    ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
    profile.write("[main]\r\nDN=door\r\nBR=11\r\nPR=9\r\nML=64\r\n");
    profile.close();

    const CliRun run = runCli({"write", "127.0.0.5", "--load", file, "PN=4001", "IP=127.0.0.55"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    bool broadcast = true;
    const QStringList sent = sentFrom(simulator->received(), 6666, &broadcast);
    EXPECT_FALSE(broadcast);
    EXPECT_EQ(setExchangeOf(sent), QStringList({"L",
                                                "SONops|18",
                                                "SDNdoor|19",
                                                "STP0|20",
                                                "SPN4001|21",
                                                "SRM0|22",
                                                "SFC1|23",
                                                "SDT0|24",
                                                "SBR11|25",
                                                "SPR0|26",
                                                "SBB1|27",
                                                "SRC0|28",
                                                "SCM1|29",
                                                "SCT5|30",
                                                "SML64|31",
                                                "SMD1|32",
                                                "SDI127.0.0.2|33",
                                                "SDP1001|34",
                                                "SGI127.0.0.1|35",
                                                "SNM0.0.0.0|36",
                                                "SIP127.0.0.55|37",
                                                "E"}))
        << "fields and advanced values from the file, the rest as the device holds them, PR=9 is no entry";
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("%1 does not give ON TP DI DP GI NM CT CM RM MD BB FC PR DT RC").arg(file)))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("1\t001122334455\tops/door\t127.0.0.55\n")) << run.out.toStdString();
    const CliRun read = runCli({"read", "127.0.0.55"});
    for (const char* kept : {"ON=ops", "DN=door", "BR=11", "PR=0", "ML=64", "DI=127.0.0.2", "NM=0.0.0.0"}) {
        EXPECT_TRUE(read.out.contains(QStringLiteral("%1\n").arg(kept))) << kept << " after the write";
    }
}

TEST_F(CliAgainstDeviceSim, AValueThatWouldStrandTheDeviceIsRefusedBeforeAnyDatagram) {
    start(kDevices);
    const CliRun typed = runCli({"write", "127.0.0.5", "BR=9", "ON=installer-01"});
    EXPECT_EQ(typed.exitCode, 2) << "a typed value is a usage error";
    EXPECT_EQ(typed.err, "ON=installer-01: a name holds at most 8 bytes of code page 936\n");
    const QString file = directory.filePath("stranding.ds");
    QFile profile(file);
    ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
    profile.write("[main]\r\nBR=9\r\nIP=0.0.0.0\r\n");
    profile.close();
    const CliRun loaded = runCli({"write", "127.0.0.5", "--load", file});
    EXPECT_EQ(loaded.exitCode, 1);
    EXPECT_TRUE(loaded.err.startsWith(file + ": IP=0.0.0.0: the device would be out of reach"))
        << loaded.err.toStdString();
    EXPECT_EQ(simulator->received().size(), 0) << "not even the search";
}

// The device's address and maximum packet count never arrive in the
// read-out: a read shows the rest and fails, nothing is saved, and a write
// leaves both as the device holds them unless a value is typed.
TEST_F(CliAgainstDeviceSim, AValueThatNeverArrivedIsNeitherShownNorSavedNorWritten) {
    start({kDevices[0] + QStringLiteral(",drop=4+16")});
    const QString file = directory.filePath("partial.ds");
    const CliRun read = runCli({"read", "127.0.0.5", "--save", file});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_EQ(read.err.trimmed(), QStringLiteral("以下参数未读到: IP, ML"));
    EXPECT_FALSE(QFile::exists(file)) << "a file of it would write the values back empty";
    const CliRun shown = runCli({"read", "127.0.0.5"});
    EXPECT_TRUE(shown.out.contains("BR=7\n")) << shown.out.toStdString();
    EXPECT_FALSE(shown.out.contains("ML=")) << "a value that did not arrive is not shown as one";

    const qsizetype mark = simulator->mark();
    const CliRun kept = runCli({"write", "127.0.0.5", "ON=north"});
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_EQ(kept.err.trimmed(), QStringLiteral("127.0.0.5: 以下参数未读到，未写入: IP, ML"));
    QStringList sent = setExchangeOf(sentFrom(simulator->received(mark), 6666));
    ASSERT_EQ(sent.size(), 20) << "L, 18 set requests, E";
    EXPECT_EQ(sent[1], "SONnorth|18");
    EXPECT_FALSE(sent.join(u' ').contains("SML")) << sent.join(u' ').toStdString();
    EXPECT_FALSE(sent.join(u' ').contains("SIP"));

    const qsizetype typedMark = simulator->mark();
    // Without the read-back, which could not read these two back either.
    const CliRun typed = runCli({"--no-verify", "write", "127.0.0.5", "ML=64", "IP=127.0.0.5"});
    ASSERT_EQ(typed.exitCode, 0) << typed.err.toStdString();
    EXPECT_EQ(typed.err, "") << "typed values are given";
    sent = sentFrom(simulator->received(typedMark), 6666);
    ASSERT_EQ(sent.size(), 22) << "L, 19 set requests, SIP, E and nothing read back";
    EXPECT_EQ(sent[14], "SML64|31");
    EXPECT_EQ(sent[20], "SIP127.0.0.5|37");
}

TEST_F(CliAgainstDeviceSim, WriteToAnotherNetworkNamesTheDeviceAndTagsItsAddressWith33) {
    start(kDevices);
    const CliRun run = runCli({"write", "127.0.1.9", "ON=north"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    bool broadcast = false;
    const QStringList sent = setExchangeOf(sentFrom(simulator->received(), 6666, &broadcast));
    EXPECT_TRUE(broadcast);
    ASSERT_EQ(sent.size(), 23);
    EXPECT_EQ(sent.first(), "W009900000009");
    EXPECT_EQ(sent[2], "SONnorth|18");
    EXPECT_EQ(sent[21], "SIP127.0.1.9|33");
    EXPECT_TRUE(run.out.contains("0\t009900000009\tnorth/hall\t127.0.1.9\n")) << run.out.toStdString();
}

TEST_F(CliAgainstDeviceSim, ResetSendsTheFactoryValuesWithTheAddressOnlyByBroadcast) {
    start(kDevices);
    ASSERT_EQ(runCli({"reset", "127.0.0.5"}).exitCode, 0);
    bool broadcast = true;
    const QStringList unicast = setExchangeOf(sentFrom(simulator->received(), 5555, &broadcast));
    EXPECT_FALSE(broadcast);
    EXPECT_EQ(unicast, testing::writeSeries(testing::factoryResetValues(), std::nullopt))
        << "factory values, no address on the device's own network";

    const qsizetype mark = simulator->mark();
    const CliRun run = runCli({"reset", "127.0.1.9"});
    ASSERT_EQ(run.exitCode, 0);
    const QStringList byBroadcast = setExchangeOf(sentFrom(simulator->received(mark), 5555, &broadcast));
    EXPECT_TRUE(broadcast);
    EXPECT_EQ(byBroadcast, QStringList{"W009900000009"} + testing::writeSeries(testing::factoryResetValues(),
                                                                               testing::SetAddress{"192.168.1.24", 33}))
        << "named by its MAC, factory values with the factory address";
    EXPECT_TRUE(run.out.contains("0\t009900000009\t\t127.0.1.9\n")) << "names emptied; stays on loopback";
}

TEST_F(CliAgainstDeviceSim, ChangeIpConfirmAndLocateActOnTheRowWithTheGivenAddress) {
    start(kDevices);
    const CliRun change = runCli({"change-ip", "127.0.0.5", "127.0.0.70"});
    ASSERT_EQ(change.exitCode, 0) << change.err.toStdString();
    EXPECT_EQ(sentFrom(simulator->received(), 3004), QStringList({"X", "L", "SIP127.0.0.70|34", "E|35"}));
    EXPECT_TRUE(change.out.contains("\t127.0.0.70\n"));

    ASSERT_EQ(runCli({"confirm", "127.0.0.70"}).exitCode, 0);
    const QList<LogRecord> received = simulator->received();
    EXPECT_EQ(sentFrom(received, 3104), QStringList{"B"});
    EXPECT_EQ(received.last().to, "127.0.0.70");

    const CliRun locate = runCli({"locate", "127.0.1.9"});
    EXPECT_EQ(locate.exitCode, 0);
    EXPECT_EQ(locate.out, "0\t009900000009\tfar/hall\t127.0.1.9\n");
}

TEST_F(CliAgainstDeviceSim, WriteRefusesAFileThatIsNotAConfigurationFileBeforeSendingAnything) {
    start(kDevices);
    ASSERT_TRUE(QDir(directory.path()).mkdir("dir.ds"));
    const struct {
        const char* name;
        QByteArray content;  // empty: the file is not written
    } refused[] = {
        {"empty.ds", {}},   {"garbage.ds", "garbage"},           {"dir.ds", {}},
        {"missing.ds", {}}, {"other.ds", "[other]\r\nON=x\r\n"}, {"gate.txt", "[main]\r\nON=x\r\n"},
    };
    QFile(directory.filePath("empty.ds")).open(QIODevice::WriteOnly);
    for (const auto& file : refused) {
        const QString path = directory.filePath(file.name);
        if (!file.content.isEmpty()) {
            QFile written(path);
            ASSERT_TRUE(written.open(QIODevice::WriteOnly));
            written.write(file.content);
        }
        const CliRun run = runCli({"write", "127.0.0.5", "--load", path});
        EXPECT_EQ(run.exitCode, 1) << file.name;
        EXPECT_EQ(run.err.trimmed(), QStringLiteral("所选文件格式不对!")) << file.name;
        EXPECT_EQ(run.out, "") << file.name;
    }
    EXPECT_EQ(simulator->received().size(), 0) << "not even the search";
}

TEST_F(CliAgainstDeviceSim, ReadSavesUnderTheNameWithDsAddedAndWriteLoadsThatFile) {
    start(kDevices);
    const CliRun read = runCli({"read", "127.0.0.5", "--save", directory.filePath("out.txt")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_FALSE(QFile::exists(directory.filePath("out.txt")));
    ASSERT_TRUE(QFile::exists(directory.filePath("out.txt.ds")));

    const qsizetype mark = simulator->mark();
    const CliRun write = runCli({"write", "127.0.0.5", "--load", directory.filePath("out.txt.ds")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    EXPECT_TRUE(sentFrom(simulator->received(mark), 6666).contains("SONops|18")) << "the saved values go back";
}

TEST_F(CliAgainstDeviceSim, ASaveThatFailsNamesTheFileAndTheReason) {
    start(kDevices);
    const QString path = directory.filePath("nonexistent/x.ds");
    const CliRun run = runCli({"read", "127.0.0.5", "--save", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("配置文件保存失败! %1: No such file or directory").arg(path));
    EXPECT_FALSE(QFile::exists(path));
    for (const LogRecord& record : simulator->received()) {
        EXPECT_FALSE(record.payload.startsWith('S')) << "a read sets nothing: " << record.payload.toStdString();
    }
}

TEST_F(CliAgainstDeviceSim, HelpPrintsTheUsageAndSendsNothing) {
    start(kDevices);
    for (const char* help : {"--help", "-h"}) {
        const CliRun run = runCli({help});
        EXPECT_EQ(run.exitCode, 0) << help;
        EXPECT_TRUE(run.out.startsWith("usage: serverconf-cli")) << help;
        EXPECT_EQ(run.err, "") << help;
    }
    EXPECT_EQ(simulator->received().size(), 0);
}

TEST_F(CliAgainstDeviceSim, AnAddressArgumentThatIsNoAddressIsAUsageErrorBeforeAnyDatagram) {
    start(kDevices);
    for (const char* address : {"notanip", "999.1.1.1"}) {
        const CliRun run = runCli({"read", address});
        EXPECT_EQ(run.exitCode, 2) << address;
        EXPECT_TRUE(run.err.startsWith(
            QStringLiteral("serverconf-cli: the device %1 is neither a dotted IPv4 address nor a MAC address\n")
                .arg(address)))
            << run.err.toStdString();
        EXPECT_EQ(run.out, "") << address;
    }
    EXPECT_EQ(simulator->received().size(), 0);
}

// Only loopback exists in this test's network, so the limited broadcast
// that a mistyped variable falls back to cannot leave the machine.
TEST_F(CliAgainstDeviceSim, AMistypedAddressVariableIsReportedAndIgnored) {
    start(kDevices);
    const CliRun broadcast = runCli({"search"}, {"SERVERCONF_BROADCAST=127.255.255"});
    EXPECT_TRUE(broadcast.err.startsWith(
        "serverconf-cli: SERVERCONF_BROADCAST=127.255.255 is not a dotted IPv4 "
        "address, ignored: requests are broadcast to 255.255.255.255\n"))  // in the test's own namespace
        << broadcast.err.toStdString();
    EXPECT_EQ(simulator->received().size(), 0) << "nothing reaches 127.255.255.255";

    const CliRun local = runCli({"search"}, {"SERVERCONF_LOCAL_ADDRESS=127.0.0.l"});
    EXPECT_EQ(local.exitCode, 0) << local.err.toStdString();
    EXPECT_EQ(local.err,
              "serverconf-cli: SERVERCONF_LOCAL_ADDRESS=127.0.0.l is not a dotted IPv4 address, "
              "ignored: this computer's address is looked up\n");
    EXPECT_TRUE(runCli({"search"}).err.isEmpty()) << "well-formed variables are taken without a word";
}

TEST_F(CliAgainstDeviceSim, UsageErrorsExitTwoAndSendNothing) {
    start(kDevices);
    EXPECT_EQ(runCli({"write"}).exitCode, 2);
    EXPECT_EQ(runCli({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(runCli({"write", "127.0.0.5", "IP=192.168.1"}).exitCode, 2) << "a new address that is not dotted";
    EXPECT_EQ(runCli({"write", "127.0.0.5", "--load", directory.filePath("x.DS")}).exitCode, 1)
        << "wrong extension: 所选文件格式不对!";
    EXPECT_EQ(simulator->received().size(), 0);
}

// Each command ends with a known outcome: lost datagrams are asked for or
// sent again, a set request the device does not take is named, and another
// device's values are never taken.
TEST_F(CliAgainstDeviceSim, EveryCommandEndsWithAKnownOutcome) {
    const struct {
        const char* why;
        QString device;
        QStringList arguments;
        int exitCode;
        QString err;
        QString setSentTwiceOrMore;  // a set request the log must show more than once
    } cases[] = {
        {"a search answer lost once", ",lose=X:1", {"search"}, 0, "", {}},
        {"two search answers lost", ",lose=X:2", {"read", "127.0.0.5"}, 0, "", {}},
        {"the search reply of another device",
         ",searchmac=009900000077",
         {"read", "127.0.0.5"},
         1,
         QStringLiteral("设备MAC地址不符!"),
         {}},
        {"a set request lost once", ",ignore=BR:1", {"write", "127.0.0.5", "BR=9"}, 0, "", "SBR9|25"},
        {"a set request never taken",
         ",ignore=BR",
         {"write", "127.0.0.5", "BR=9"},
         1,
         QStringLiteral("以下参数未设置成功: BR"),
         "SBR9|25"},
        {"a name with a capital A", "", {"write", "127.0.0.5", "DN=GAte"}, 0, "", {}},
        {"an address not taken",
         ",ignore=IP",
         {"change-ip", "127.0.0.5", "127.0.0.70"},
         1,
         QStringLiteral("设备未在新IP地址出现!"),
         {}},
    };
    for (const auto& c : cases) {
        start({kDevices[0] + c.device});
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.why << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.trimmed(), c.err) << c.why;
        if (c.exitCode == 0 && c.arguments.first() != u"change-ip") {
            EXPECT_TRUE(run.out.contains("001122334455")) << c.why << ": " << run.out.toStdString();
        }
        if (!c.setSentTwiceOrMore.isEmpty()) {
            EXPECT_GE(sentFrom(simulator->received(), 6666).count(c.setSentTwiceOrMore), 2) << c.why;
        }
    }
    start({kDevices[0] + ",ignore=BR"});
    const QJsonObject result =
        QJsonDocument::fromJson(runCli({"--json", "write", "127.0.0.5", "BR=9"}).out.toUtf8())["results"][0].toObject();
    EXPECT_FALSE(result["verified"].toBool(true));
    EXPECT_EQ(result["notTaken"].toArray(), QJsonArray({"BR"}));
}

}  // namespace
}  // namespace serverconf
