// serverconf-cli with two devices at one address: both listed and marked,
// each reached by its MAC only, and the address alone refused.

#include "cli_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::LogRecord;

const QString kWest = "addr=127.0.0.5,mac=00112233440B,user=ops,name=west,BR=7";
const QString kEast = "addr=127.0.0.5,mac=00112233440C,user=ops,name=east,BR=3";
const QString kAlone = "addr=127.0.0.6,mac=001122334466,user=ops,name=alone";

// The JSON values of the one device `run` read.
QJsonObject valuesRead(const CliRun& run) {
    const QJsonObject document = QJsonDocument::fromJson(run.out.toUtf8()).object();
    return document["results"].toArray().first().toObject()["values"].toObject();
}

// How many datagrams other than a search "X" the devices received.
qsizetype requestsBeyondSearch(const QList<LogRecord>& received) {
    return std::count_if(received.cbegin(), received.cend(),
                         [](const LogRecord& record) { return record.payload != "X"; });
}

// One devicesim holds one device per address: the second device at
// 127.0.0.5 lives in a second devicesim, as boxed devices side by side.
class AddressConflict : public CliAgainstDeviceSim {
protected:
    void startBoth(const QStringList& others) {
        start(QStringList{kWest} + others);
        second = std::make_unique<devicesim::DeviceSimProcess>(QStringList{kEast});
        QString error;
        ASSERT_TRUE(second->start(error)) << error.toStdString();
    }
    qsizetype requestsBeyondSearchSince(qsizetype firstMark, qsizetype secondMark) const {
        return requestsBeyondSearch(simulator->received(firstMark)) +
               requestsBeyondSearch(second->received(secondMark));
    }
    std::unique_ptr<devicesim::DeviceSimProcess> second;
};

TEST_F(AddressConflict, BothDevicesAreListedWithAFifthColumnAndJsonKeys) {
    startBoth({kAlone});
    const CliRun run = runCli({"search"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 3) << run.out.toStdString();
    EXPECT_TRUE(lines.contains("1\t00112233440B\tops/west\t127.0.0.5\tconflict")) << run.out.toStdString();
    EXPECT_TRUE(lines.contains("1\t00112233440C\tops/east\t127.0.0.5\tconflict")) << run.out.toStdString();
    EXPECT_TRUE(lines.contains("1\t001122334466\tops/alone\t127.0.0.6")) << "an ordinary row keeps four columns";

    const QJsonArray rows = QJsonDocument::fromJson(runCli({"--json", "search"}).out.toUtf8())["devices"].toArray();
    ASSERT_EQ(rows.size(), 3);
    for (const QJsonValue& row : rows) {
        const bool atFive = row["ip"].toString() == "127.0.0.5";
        EXPECT_EQ(row["conflict"].toBool(), atFive) << row["mac"].toString().toStdString();
        EXPECT_FALSE(row["unicast"].toBool());
    }
}

TEST_F(AddressConflict, EachDeviceIsReadAndWrittenByItsMacAndTheAddressAloneIsRefused) {
    startBoth({});
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QJsonObject west = valuesRead(runCli({"--json", "read", "00:11:22:33:44:0b"}));
        EXPECT_EQ(west["DN"].toString(), "west");
        EXPECT_EQ(west["BR"].toString(), "7");
        const QJsonObject east = valuesRead(runCli({"--json", "read", "00112233440c"}));
        EXPECT_EQ(east["DN"].toString(), "east") << "the device named is the device read, every time";
        EXPECT_EQ(east["BR"].toString(), "3");
    }

    qsizetype mark = simulator->mark();
    qsizetype secondMark = second->mark();
    const CliRun byAddress = runCli({"write", "127.0.0.5", "BR=9"});
    EXPECT_EQ(byAddress.exitCode, 1);
    EXPECT_TRUE(byAddress.err.contains("00112233440B") && byAddress.err.contains("00112233440C"))
        << byAddress.err.toStdString();
    EXPECT_EQ(requestsBeyondSearchSince(mark, secondMark), 0) << "nothing but the search goes out";

    const CliRun byMac = runCli({"write", "00-11-22-33-44-0C", "BR=9"});
    EXPECT_EQ(byMac.exitCode, 0) << byMac.err.toStdString();
    EXPECT_EQ(valuesRead(runCli({"--json", "read", "00112233440C"}))["BR"].toString(), "9");
    EXPECT_EQ(valuesRead(runCli({"--json", "read", "00112233440B"}))["BR"].toString(), "7")
        << "the other device at the address keeps its value";

    mark = simulator->mark();
    secondMark = second->mark();
    const CliRun confirm = runCli({"confirm", "00112233440B"});
    EXPECT_EQ(confirm.exitCode, 1);
    EXPECT_EQ(requestsBeyondSearchSince(mark, secondMark), 0) << "no \"B\", which both devices would take";
}

TEST_F(CliAgainstDeviceSim, AChangeOntoAnAddressAnotherListedDeviceHoldsIsRefusedBeforeAnythingIsSent) {
    start({kWest, kAlone});
    const QString gate = directory.filePath("alone.ds");
    ASSERT_EQ(runCli({"read", "127.0.0.6", "--save", gate}).exitCode, 0);
    const qsizetype mark = simulator->mark();
    const struct {
        QStringList line;
    } cases[] = {
        {{"change-ip", "127.0.0.5", "127.0.0.6"}},
        {{"write", "127.0.0.5", "IP=127.0.0.6"}},
        {{"write", "00112233440B", "--load", gate}},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.line);
        EXPECT_EQ(run.exitCode, 1) << c.line.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains("001122334466")) << "names the device there: " << run.err.toStdString();
    }
    EXPECT_EQ(requestsBeyondSearch(simulator->received(mark)), 0) << "nothing but the searches went out";
    EXPECT_EQ(runCli({"write", "127.0.0.5", "IP=127.0.0.5", "--no-verify"}).exitCode, 0)
        << "its own address stays allowed";
}

}  // namespace
}  // namespace serverconf
