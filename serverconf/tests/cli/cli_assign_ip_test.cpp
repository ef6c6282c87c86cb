// serverconf-cli assign-ip against five boxed devices at one address, with
// a device no broadcast reaches answering at one of the addresses to give.

#include "cli_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

using devicesim::DeviceSimProcess;
using devicesim::LogRecord;

// One devicesim holds one device per address: each boxed device has a
// devicesim of its own, in an order that is not their MAC order.
const QStringList kBoxedMacs{"001122334403", "001122334401", "001122334405", "001122334402", "001122334404"};
// Answers a probe at 127.0.0.42, but is listed by no search.
const QString kBehindRouter = "addr=127.0.0.42,mac=0011223344F2,routed";

class AssignIp : public ::testing::Test {
protected:
    void SetUp() override {
        for (const QString& mac : kBoxedMacs) {
            QStringList devices{QStringLiteral("addr=127.0.0.24,mac=%1,user=box").arg(mac)};
            if (boxes.empty()) devices << kBehindRouter;
            boxes.push_back(std::make_unique<DeviceSimProcess>(devices));
            QString error;
            ASSERT_TRUE(boxes.back()->start(error)) << error.toStdString();
        }
    }
    std::vector<qsizetype> marks() const {
        std::vector<qsizetype> marks;
        for (const auto& box : boxes) marks.push_back(box->mark());
        return marks;
    }
    // Every datagram the devices received since `from`.
    QList<LogRecord> receivedSince(const std::vector<qsizetype>& from) const {
        QList<LogRecord> received;
        for (std::size_t i = 0; i < boxes.size(); ++i) received << boxes[i]->received(from[i]);
        return received;
    }
    std::vector<std::unique_ptr<DeviceSimProcess>> boxes;
};

// The plan: MAC order, 127.0.0.42 passed over because a device answers there.
const QStringList kPlan{"001122334401\t127.0.0.24\t127.0.0.40", "001122334402\t127.0.0.24\t127.0.0.41",
                        "001122334403\t127.0.0.24\t127.0.0.43", "001122334404\t127.0.0.24\t127.0.0.44",
                        "001122334405\t127.0.0.24\t127.0.0.45"};

TEST_F(AssignIp, ADryRunPrintsThePlanAndItOrARefusedPlanSendsNothingButTheSearchAndProbes) {
    const std::vector<qsizetype> from = marks();
    const CliRun run = runCli({"assign-ip", "127.0.0.40", "--dry-run"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), (kPlan.join(u'\n') + u'\n').toStdString()) << "the plan in MAC order";
    const QJsonArray results =
        QJsonDocument::fromJson(runCli({"--json", "assign-ip", "127.0.0.40", "--dry-run"}).out.toUtf8())["results"]
            .toArray();
    ASSERT_EQ(results.size(), 5);
    EXPECT_EQ(results[2].toObject(), (QJsonObject{{"mac", "001122334403"},
                                                  {"ip", "127.0.0.24"},
                                                  {"newIp", "127.0.0.43"},
                                                  {"ok", true},
                                                  {"message", "planned, nothing sent"}}));
    const CliRun pastEnd = runCli({"assign-ip", "127.0.0.252"});
    EXPECT_EQ(pastEnd.exitCode, 1);
    EXPECT_TRUE(pastEnd.err.contains("001122334404, 001122334405")) << "names the devices left without an address";
    const CliRun unknown = runCli({"assign-ip", "127.0.0.40", "001122334401", "0011223344EE"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("0011223344EE")) << unknown.err.toStdString();
    const QList<LogRecord> received = receivedSince(from);
    EXPECT_FALSE(received.isEmpty());
    for (const LogRecord& record : received) {
        EXPECT_EQ(record.payload.toStdString(), "X") << "no \"W\", \"L\", set or \"E\"";
    }
}

TEST_F(AssignIp, FiveBoxedDevicesTakeFiveAddressesPassingOverOneThatAnswers) {
    const std::vector<qsizetype> from = marks();
    const CliRun run = runCli({"assign-ip", "127.0.0.40"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList expected;
    for (const QString& planned : kPlan)
        expected << planned + QStringLiteral("\tok\tnew address %1 sent").arg(planned.section(u'\t', 2));
    EXPECT_EQ(run.out.toStdString(), (expected.join(u'\n') + u'\n').toStdString())
        << "each verified by the refreshed list";
    for (const LogRecord& record : receivedSince(from)) {
        if (record.payload.startsWith("W") || record.payload.startsWith("S")) {
            EXPECT_TRUE(record.isBroadcast())
                << "named by its MAC, never by its shared address: " << record.payload.toStdString();
        }
    }

    const QStringList rows = runCli({"search"}).out.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& planned : kPlan) {
        const QString row =
            QStringLiteral("1\t%1\tbox/\t%2").arg(planned.section(u'\t', 0, 0), planned.section(u'\t', 2));
        EXPECT_TRUE(rows.contains(row)) << "listed at its new address, unmarked: " << row.toStdString();
    }
    EXPECT_EQ(runCli({"assign-ip", "127.0.0.40"}).exitCode, 0) << "nothing left to do";
}

}  // namespace
}  // namespace serverconf
