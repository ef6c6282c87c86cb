// serverconf-cli on several devices against devicesim: one search for all,
// each device in turn with its own series, a line per device, backups into
// a folder, JSON output and the progress line on a terminal.

#include "params/device_profile.h"

#include "cli_run.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::LogRecord;

// Three devices on this computer's network, one on another; 127.0.0.7 is
// never asked for.
const QString kGate1 = "addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,BR=7,PN=4001";
const QString kGate2 = "addr=127.0.0.6,mac=001122334466,user=ops,name=gate-2,BR=3,ML=100";
const QString kHall = "addr=127.0.1.9,mac=009900000009,user=运维,name=hall,PN=5002";
const QString kBystander = "addr=127.0.0.7,mac=001122334477,user=by,name=stander";

// What a device of devicesim holds without options, for the 19 values a
// write sends before its address.
const QMap<QString, QString> kFactoryValues{
    {"TP", "0"}, {"PN", "1001"},      {"RM", "0"},    {"FC", "1"},         {"DT", "0"},      {"BR", "5"},
    {"PR", "0"}, {"BB", "1"},         {"RC", "0"},    {"CM", "1"},         {"CT", "5"},      {"ML", "255"},
    {"MD", "1"}, {"DI", "127.0.0.2"}, {"DP", "1001"}, {"GI", "127.0.0.1"}, {"NM", "0.0.0.0"}};

QMap<QString, QString> valuesWith(const QMap<QString, QString>& changes) {
    QMap<QString, QString> values = kFactoryValues;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) values.insert(it.key(), it.value());
    return values;
}

// The notes that device `address` logged, in order.
QStringList notesOf(const QList<LogRecord>& records, const QString& address) {
    QStringList notes;
    for (const LogRecord& record : records) {
        if (record.direction == u"note" && record.from == address) notes << QString::fromUtf8(record.payload);
    }
    return notes;
}

// What device `address` staged, by code.
QMap<QString, QString> stagedBy(const QList<LogRecord>& records, const QString& address) {
    QMap<QString, QString> staged;
    for (const QString& note : notesOf(records, address)) {
        if (!note.startsWith(u"staged ")) continue;
        const QString item = note.mid(7);
        EXPECT_FALSE(staged.contains(item.section(u'=', 0, 0))) << "staged twice: " << note.toStdString();
        staged.insert(item.section(u'=', 0, 0), item.section(u'=', 1));
    }
    return staged;
}

// Index of the first record that is note `text` of device `address`, or -1.
qsizetype noteIndex(const QList<LogRecord>& records, const QString& address, const QString& prefix) {
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (records[i].direction == u"note" && records[i].from == address &&
            QString::fromUtf8(records[i].payload).startsWith(prefix)) {
            return i;
        }
    }
    return -1;
}

QJsonObject parsedJson(const CliRun& run) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << run.out.toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
}

using SeveralDevices = CliAgainstDeviceSim;

TEST_F(SeveralDevices, AWriteOfOneJobAtATimeStagesTheSameChangesOnEachInTurnFromTheFixedPorts) {
    start({kGate1, kGate2, kHall, kBystander});
    const CliRun run =
        runCli({"--jobs", "1", "write", "127.0.0.5", "127.0.1.9", "127.0.0.6", "ON=north", "BR=11", "ML=64"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "127.0.0.5\tok\twritten\n127.0.1.9\tok\twritten\n127.0.0.6\tok\twritten\n");

    const QList<LogRecord> records = simulator->records();
    const struct {
        const char* address;
        QMap<QString, QString> expected;
    } devices[] = {
        {"127.0.0.5", valuesWith({{"DN", "gate-1"}, {"PN", "4001"}, {"IP", "127.0.0.5"}})},
        {"127.0.1.9", valuesWith({{"DN", "hall"}, {"PN", "5002"}, {"IP", "127.0.1.9"}})},
        {"127.0.0.6", valuesWith({{"DN", "gate-2"}, {"IP", "127.0.0.6"}})},
    };
    qsizetype previousEnd = -1;
    for (auto device : devices) {
        device.expected.insert("ON", "north");
        device.expected.insert("BR", "11");
        device.expected.insert("ML", "64");
        EXPECT_EQ(stagedBy(records, device.address), device.expected) << device.address;
        const qsizetype firstStaged = noteIndex(records, device.address, "staged ");
        const qsizetype applied = noteIndex(records, device.address, "applied 20 values");
        ASSERT_GE(applied, 0) << device.address << ": its series ends with E";
        EXPECT_GT(firstStaged, previousEnd) << device.address << " starts after the device before it is done";
        previousEnd = applied;
    }
    EXPECT_EQ(notesOf(records, "127.0.0.7"), QStringList()) << "a device not asked for hears nothing of it";
    bool broadcast = false;
    EXPECT_TRUE(sentFrom(simulator->received(), 6666, &broadcast).contains("W009900000009"));
    EXPECT_EQ(sentFrom(simulator->received(), 3001).size(), 2) << "a probe for each device here, none for the far one";
}

TEST_F(SeveralDevices, ABackupWrittenToSeveralDevicesLeavesEachItsOwnAddress) {
    start({kGate1, kGate2, kHall});
    const QString file = directory.filePath("gate.ds");
    ASSERT_EQ(runCli({"read", "127.0.0.5", "--save", file}).exitCode, 0);
    const qsizetype mark = simulator->mark();
    const CliRun run = runCli({"write", "127.0.0.6", "127.0.1.9", "--load", file});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<LogRecord> records = simulator->records().mid(mark);
    for (const char* address : {"127.0.0.6", "127.0.1.9"}) {
        const QMap<QString, QString> expected =
            valuesWith({{"ON", "ops"}, {"DN", "gate-1"}, {"BR", "7"}, {"PN", "4001"}, {"IP", address}});
        EXPECT_EQ(stagedBy(records, address), expected) << address << ": the file's values, its own address";
    }
    EXPECT_EQ(notesOf(records, "127.0.0.5"), QStringList()) << "the device the file came from is left alone";
}

TEST_F(SeveralDevices, ADeviceThatFailsIsReportedAndTheOthersAreStillDone) {
    start({kGate1, kGate2 + ",drop=3", kHall});
    const CliRun reset = runCli({"reset", "127.0.0.5", "127.0.0.6", "127.0.1.9"});
    EXPECT_EQ(reset.exitCode, 1);
    EXPECT_EQ(reset.out, QStringLiteral("127.0.0.5\tok\tfactory defaults written\n"
                                        "127.0.0.6\tfailed\t请检查设备与pc连线状态!\n"
                                        "127.0.1.9\tok\tfactory defaults written\n"));
    QList<LogRecord> records = simulator->records();
    EXPECT_TRUE(notesOf(records, "127.0.0.5").contains("applied 19 values"));
    EXPECT_TRUE(notesOf(records, "127.0.1.9").contains("applied 20 values")) << "the far one gets the factory address";
    EXPECT_EQ(stagedBy(records, "127.0.0.6"), (QMap<QString, QString>())) << "nothing set on the silent device";

    const qsizetype mark = simulator->mark();
    const CliRun confirm = runCli({"confirm", "127.0.0.8", "127.0.0.5"});
    EXPECT_EQ(confirm.exitCode, 1);
    EXPECT_EQ(confirm.out, QStringLiteral("127.0.0.8\tfailed\t没有选择设备!\n127.0.0.5\tok\tconfirmation sent\n"));
    records = simulator->records().mid(mark);
    EXPECT_EQ(notesOf(records, "127.0.0.5"), QStringList{"confirmed"});
}

TEST_F(SeveralDevices, ReadAllSavesOneFilePerDeviceThatLoadsBackAndNoneForADeviceReadInPart) {
    start({kGate1, kGate2 + ",lose=16:4", kHall});
    const QString folder = directory.filePath("backups");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString kept = QDir(folder).filePath("001122334455.ds");
    QFile earlier(kept);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("; gate at the door\r\n[site]\r\nroom=4\r\n[main]\r\nBR=1\r\n");
    earlier.close();

    const CliRun run = runCli({"read", "--all", "--save-dir", folder});
    EXPECT_EQ(run.exitCode, 1);
    const QString far = QDir(folder).filePath("009900000009.ds");
    EXPECT_EQ(run.out, QStringLiteral("127.0.0.5\tok\tsaved to %1\n"
                                      "127.0.0.6\tfailed\t以下参数未读到: ML\n"
                                      "127.0.1.9\tok\tsaved to %2\n")
                           .arg(kept, far));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"001122334455.ds", "009900000009.ds"}));

    const struct {
        QString file;
        QMap<QString, QString> values;
    } saved[] = {
        {kept, valuesWith({{"ON", "ops"}, {"DN", "gate-1"}, {"IP", "127.0.0.5"}, {"BR", "7"}, {"PN", "4001"}})},
        {far, valuesWith({{"ON", "运维"}, {"DN", "hall"}, {"IP", "127.0.1.9"}, {"PN", "5002"}})},
    };
    for (const auto& backup : saved) {
        const std::optional<DeviceParameters> loaded = loadDeviceProfileFile(backup.file);
        ASSERT_TRUE(loaded) << backup.file.toStdString();
        for (auto it = backup.values.cbegin(); it != backup.values.cend(); ++it) {
            EXPECT_EQ(*loaded->valueByCode(it.key()), it.value())
                << backup.file.toStdString() << " " << it.key().toStdString();
        }
    }
    QFile updated(kept);
    ASSERT_TRUE(updated.open(QIODevice::ReadOnly));
    const QByteArray content = updated.readAll();
    EXPECT_TRUE(content.startsWith("; gate at the door\r\n[site]\r\nroom=4\r\n[main]\r\nBR=7\r\n"))
        << "updated as Save updates a file: other lines kept, the key where it stood";
    EXPECT_EQ(readProfileValue(content, u"main", u"FE"), "001122334455");
}

TEST_F(SeveralDevices, JsonOutputHoldsTheRowsValuesAndResultsUnderStableKeys) {
    start({kGate1, kHall});
    const QJsonObject search = parsedJson(runCli({"--json", "search"}));
    const QJsonArray rows = search["devices"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject(), QJsonObject({{"mac", "001122334455"},
                                               {"user", "ops"},
                                               {"device", "gate-1"},
                                               {"ip", "127.0.0.5"},
                                               {"sameNetwork", true},
                                               {"interface", ""},
                                               {"conflict", false},
                                               {"unicast", false}}));
    EXPECT_EQ(rows[1].toObject()["user"].toString(), QStringLiteral("运维")) << "UTF-8 text";
    EXPECT_FALSE(rows[1].toObject()["sameNetwork"].toBool());

    const QJsonObject locate = parsedJson(runCli({"locate", "127.0.1.9", "--json"}));
    EXPECT_EQ(locate["devices"].toArray().size(), 1);

    const CliRun readRun = runCli({"--json", "read", "127.0.0.5", "127.0.0.8"});
    EXPECT_EQ(readRun.exitCode, 1);
    const QJsonArray results = parsedJson(readRun)["results"].toArray();
    ASSERT_EQ(results.size(), 2);
    const QJsonObject read = results[0].toObject();
    EXPECT_EQ(read["ip"].toString(), "127.0.0.5");
    EXPECT_TRUE(read["ok"].toBool());
    const QJsonObject values = read["values"].toObject();
    EXPECT_EQ(values.size(), kParameterCount);
    EXPECT_EQ(values["BR"].toString(), "7");
    EXPECT_EQ(values["FE"].toString(), "001122334455");
    EXPECT_EQ(values["PN"].toString(), "4001");
    EXPECT_EQ(
        results[1].toObject(),
        QJsonObject({{"ip", "127.0.0.8"}, {"mac", ""}, {"ok", false}, {"message", QStringLiteral("没有选择设备!")}}));

    const CliRun writeRun = runCli({"--json", "write", "127.0.0.5", "DN=door"});
    EXPECT_EQ(writeRun.exitCode, 0);
    const QJsonObject written = parsedJson(writeRun);
    EXPECT_EQ(written["results"].toArray()[0].toObject(), QJsonObject({{"ip", "127.0.0.5"},
                                                                       {"mac", "001122334455"},
                                                                       {"ok", true},
                                                                       {"message", "written"},
                                                                       {"verified", true},
                                                                       {"notTaken", QJsonArray()}}));
    EXPECT_TRUE(written["devices"].toArray().contains(QJsonObject({{"mac", "001122334455"},
                                                                   {"user", "ops"},
                                                                   {"device", "door"},
                                                                   {"ip", "127.0.0.5"},
                                                                   {"sameNetwork", true},
                                                                   {"interface", ""},
                                                                   {"conflict", false},
                                                                   {"unicast", false}})))
        << "the list as it stands after the write";

    // No broadcast reaches a device, and no device answers the unicast probe of the address.
    const CliRun none = runCli({"--json", "reset", "127.0.0.8"}, {"SERVERCONF_BROADCAST=127.0.0.1"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(parsedJson(none)["results"].toArray()[0].toObject()["message"].toString(),
              QStringLiteral("没有搜索到设备"));

    const QJsonObject interfaces = parsedJson(runCli({"--json", "interfaces"}));
    EXPECT_TRUE(interfaces["interfaces"].isArray());
}

TEST_F(SeveralDevices, SeveralDevicesWithAnAddressOrAValueNoListOffersSendNothing) {
    start({kGate1, kGate2});
    const CliRun address = runCli({"write", "127.0.0.5", "127.0.0.6", "IP=127.0.0.50"});
    EXPECT_EQ(address.exitCode, 2);
    EXPECT_TRUE(address.err.startsWith("serverconf-cli: IP= cannot be written to several devices"))
        << address.err.toStdString();
    const CliRun value = runCli({"write", "127.0.0.5", "127.0.0.6", "BR=12"});
    EXPECT_EQ(value.exitCode, 2);
    EXPECT_EQ(value.err, "BR=12: not one of the values the list offers\n");
    EXPECT_EQ(simulator->received().size(), 0) << "not even the search";
}

TEST_F(SeveralDevices, ProgressGoesToATerminalOnlyAndNeverIntoJson) {
    start({kGate1, kGate2, kHall});
    TerminalCapture terminal;
    ASSERT_TRUE(terminal.isOpen());
    const QStringList confirm{"confirm", "127.0.0.5", "127.0.0.6", "127.0.1.9"};
    const CliRun watched = runCli(confirm, {}, terminal.path());
    EXPECT_EQ(watched.exitCode, 0);
    const QString shown = terminal.takeText();
    for (const char* step : {"0 of 3 done", "3 of 3 done"}) {
        EXPECT_TRUE(shown.contains(step)) << step << " in " << shown.toStdString();
    }
    EXPECT_TRUE(shown.endsWith("\r" + QString(11, u' ') + "\r")) << "wiped at the end";
    EXPECT_FALSE(watched.out.contains("device 1")) << "nothing of it on standard output";

    EXPECT_EQ(runCli(confirm + QStringList{"--json"}, {}, terminal.path()).exitCode, 0);
    EXPECT_EQ(terminal.takeText(), "") << "none with --json";
    EXPECT_EQ(runCli({"confirm", "127.0.0.5"}, {}, terminal.path()).exitCode, 0);
    EXPECT_EQ(terminal.takeText(), "") << "none for one device";
    EXPECT_EQ(runCli(confirm).err, "") << "none when standard error is no terminal";
}

}  // namespace
}  // namespace serverconf
