// serverconf-cli with a device no broadcast reaches (the broadcast address
// points elsewhere): found by a range search, then read, written and
// verified by unicast at its address although it is on another subnet.

#include "cli_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::LogRecord;

const QString kFar = "addr=127.0.3.9,mac=001122334409,user=ops,name=far,BR=7";
// Broadcasts go to an address where no device lives.
const QStringList kNoBroadcast{"SERVERCONF_BROADCAST=127.0.0.1"};

class BeyondTheBroadcast : public CliAgainstDeviceSim {};

TEST_F(BeyondTheBroadcast, ARangeSearchFindsTheDeviceAndItIsReadWrittenAndVerifiedByUnicast) {
    start({kFar});
    EXPECT_EQ(runCli({"search"}, kNoBroadcast).exitCode, 1) << "no broadcast reaches it";
    const CliRun search = runCli({"search", "--range", "127.0.3.0/24"}, kNoBroadcast);
    EXPECT_EQ(search.exitCode, 0) << search.err.toStdString();
    EXPECT_EQ(search.out, "0\t001122334409\tops/far\t127.0.3.9\tunicast\n");
    const QList<LogRecord> probes = simulator->received();
    EXPECT_EQ(std::count_if(probes.cbegin(), probes.cend(),
                            [](const LogRecord& r) { return r.to.startsWith("127.0.3.") && r.payload == "X"; }),
              254)
        << "one probe per address of the /24";

    const qsizetype mark = simulator->mark();
    const CliRun write = runCli({"write", "127.0.3.9", "BR=9"}, kNoBroadcast);
    EXPECT_EQ(write.exitCode, 0) << write.err.toStdString();
    const QList<LogRecord> received = simulator->received(mark);
    EXPECT_TRUE(std::none_of(received.cbegin(), received.cend(), [](const LogRecord& r) {
        return r.payload.startsWith("W");
    })) << "the device is reached at its address, never named by broadcast";
    const CliRun read = runCli({"--json", "read", "127.0.3.9"}, kNoBroadcast);
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QJsonObject values =
        QJsonDocument::fromJson(read.out.toUtf8())["results"].toArray().first().toObject()["values"].toObject();
    EXPECT_EQ(values["BR"].toString(), "9");
    EXPECT_EQ(values["DN"].toString(), "far");
}

}  // namespace
}  // namespace serverconf
