// serverconf-cli's output forms: JSON objects, text lines of the report,
// the backup file names and the progress line (pure, no network).

#include "cli/cli_json.h"
#include "cli/cli_report.h"
#include "cli/device_backup.h"
#include "cli/progress_line.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace serverconf {
namespace {

// A result as an operation hands it to the report.
DeviceResult resultOf(const QString& ip, const QString& mac, bool ok, const QString& message,
                      const std::optional<DeviceParameters>& values = {}, const QString& savedFile = {},
                      const QStringList& missing = {}, std::optional<bool> verified = {},
                      const QStringList& notTaken = {}) {
    DeviceResult result;
    result.ip = ip;
    result.mac = mac;
    result.ok = ok;
    result.message = message;
    result.values = values;
    result.savedFile = savedFile;
    result.missing = missing;
    result.verified = verified;
    result.notTaken = notTaken;
    return result;
}

TEST(CliJson, RowsSplitTheNameColumnAtItsFirstSlash) {
    const struct {
        DeviceEntry row;
        const char* user;
        const char* device;
    } cases[] = {
        {{1, "001122334455", "ops/gate-1", "127.0.0.5", "eth1"}, "ops", "gate-1"},
        {{0, "009900000009", "/hall/east", "127.0.1.9", ""}, "", "hall/east"},
        {{0, "009900000009", "", "127.0.1.9", ""}, "", ""},
    };
    for (const auto& c : cases) {
        const QJsonObject row = deviceRowJson(c.row);
        EXPECT_EQ(row.keys(),
                  QStringList({"conflict", "device", "interface", "ip", "mac", "sameNetwork", "unicast", "user"}));
        EXPECT_EQ(row["user"].toString(), c.user) << c.row.userAndDeviceName.toStdString();
        EXPECT_EQ(row["device"].toString(), c.device) << c.row.userAndDeviceName.toStdString();
        EXPECT_EQ(row["mac"].toString(), c.row.macAddress);
        EXPECT_EQ(row["ip"].toString(), c.row.deviceAddress);
        EXPECT_EQ(row["sameNetwork"].toBool(), c.row.sameNetwork);
        EXPECT_EQ(row["interface"].toString(), c.row.interfaceName);
    }
}

TEST(CliJson, AReadOutHoldsEachValueUnderItsOwnCode) {
    DeviceParameters values;
    for (const ParameterDefinition& definition : kParameters) {
        values.*definition.member = QStringLiteral("value of %1 用户").arg(QLatin1StringView(definition.code));
    }
    DeviceResult result = resultOf("127.0.0.5", "001122334455", true, "read", values, {});
    const QJsonObject object = deviceResultJson(result);
    EXPECT_EQ(object.keys(), QStringList({"ip", "mac", "message", "ok", "values"})) << "no file when none was saved";
    const QJsonObject json = object["values"].toObject();
    ASSERT_EQ(json.size(), kParameterCount);
    for (const ParameterDefinition& definition : kParameters) {
        EXPECT_EQ(json[QLatin1StringView(definition.code)].toString(),
                  QStringLiteral("value of %1 用户").arg(QLatin1StringView(definition.code)));
    }
    result.savedFile = "b/001122334455.ds";
    EXPECT_EQ(deviceResultJson(result)["file"].toString(), "b/001122334455.ds");
    const QJsonObject failure = deviceResultJson(resultOf("127.0.0.7", {}, false, "没有选择设备!", {}, {}));
    EXPECT_EQ(failure.keys(), QStringList({"ip", "mac", "message", "ok"})) << "no values when nothing was read";
    EXPECT_FALSE(failure["ok"].toBool());
}

TEST(CliJson, InterfaceAddressesWithoutBroadcastGiveNull) {
    const QJsonArray array = interfacesJson({{"eth0",
                                              2,
                                              {{QHostAddress("192.0.2.1"), 24, QHostAddress("192.0.2.255")},
                                               {QHostAddress("192.0.2.9"), 30, QHostAddress()}}}});
    ASSERT_EQ(array.size(), 2);
    EXPECT_EQ(
        array[0].toObject(),
        QJsonObject({{"name", "eth0"}, {"address", "192.0.2.1"}, {"prefixLength", 24}, {"broadcast", "192.0.2.255"}}));
    EXPECT_TRUE(array[1].toObject()["broadcast"].isNull());
}

TEST(DeviceBackup, OnlyAMacOfLettersDigitsDashAndUnderscoreNamesAFileInTheFolder) {
    EXPECT_EQ(backupFilePath("backups", "001122334455"), "backups/001122334455.ds");
    EXPECT_EQ(backupFilePath("/srv/b/", "00-11_aB"), "/srv/b/00-11_aB.ds");
    for (const char* refused : {"", "..", "../etc/x", "a/b", "a\\b", "00 11", "mac.ds", "设备"}) {
        EXPECT_FALSE(backupFilePath("backups", QString::fromUtf8(refused))) << refused;
    }
}

struct Captured {
    QString out;
    QString err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};
};

CliArguments argumentsOf(const QStringList& line) {
    QString error;
    const std::optional<CliArguments> parsed = parseCliArguments(line, error);
    EXPECT_TRUE(parsed) << error.toStdString();
    return parsed.value_or(CliArguments{});
}

DeviceParameters valuesWithMac(const QString& mac) {
    DeviceParameters values;
    values.macAddress = mac;
    values.baudRate = "7";
    return values;
}

TEST(CliReport, SeveralDevicesGiveOneResultLineEachAfterTheirValues) {
    Captured captured;
    CliReport report(argumentsOf({"read", "127.0.0.5", "127.0.0.7"}), captured.outStream, captured.errStream);
    report.result(resultOf("127.0.0.5", "001122334455", true, "read", valuesWithMac("001122334455"), {}));
    report.result(resultOf("127.0.0.7", {}, false, "没有选择设备!", {}, {}));
    report.finish();
    const QStringList lines = captured.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kParameterCount + 2);
    EXPECT_EQ(lines[0], "127.0.0.5\tON=");
    EXPECT_TRUE(lines.contains("127.0.0.5\tBR=7"));
    EXPECT_EQ(lines[kParameterCount], "127.0.0.5\tok\tread");
    EXPECT_EQ(lines[kParameterCount + 1], "127.0.0.7\tfailed\t没有选择设备!");
    EXPECT_EQ(captured.err, "");

    Captured backups;
    CliReport saved(argumentsOf({"read", "--all", "--save-dir", "b"}), backups.outStream, backups.errStream);
    saved.result(resultOf("127.0.0.5", "001122334455", true, "saved to b/001122334455.ds",
                          valuesWithMac("001122334455"), "b/001122334455.ds"));
    EXPECT_EQ(backups.out, "127.0.0.5\tok\tsaved to b/001122334455.ds\n") << "the values went into the file";

    Captured partial;
    CliReport part(argumentsOf({"--json", "read", "127.0.0.5"}), partial.outStream, partial.errStream);
    part.result(
        resultOf("127.0.0.5", "001122334455", false, "以下参数未读到: BR", valuesWithMac("001122334455"), {}, {"BR"}));
    part.finish();
    const QJsonObject result = QJsonDocument::fromJson(partial.out.toUtf8())["results"][0].toObject();
    EXPECT_EQ(result["missing"].toArray(), QJsonArray({"BR"}));
    EXPECT_FALSE(result["values"].toObject().contains("BR")) << "a value that did not arrive is not shown";
    EXPECT_EQ(result["values"].toObject()["FE"].toString(), "001122334455");
}

TEST(CliReport, JsonGathersEverythingIntoOneDocumentWrittenAtTheEnd) {
    Captured captured;
    CliReport report(argumentsOf({"--json", "write", "127.0.0.5", "127.0.0.7"}), captured.outStream,
                     captured.errStream);
    report.result(resultOf("127.0.0.5", "001122334455", true, "written", {}, {}, {}, true, {}));
    report.result(resultOf("127.0.0.7", {}, false, "请检查设备与pc连线状态!", {}, {}));
    report.result(resultOf("127.0.0.8", {}, false, "以下参数未设置成功: BR", {}, {}, {}, false, {"BR"}));
    report.rows({{1, "001122334455", "ops/gate-1", "127.0.0.5", {}}});
    EXPECT_EQ(captured.out, "") << "nothing before the end";
    report.finish();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(captured.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << captured.out.toStdString();
    const QJsonArray results = document["results"].toArray();
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[1].toObject()["message"].toString(), QStringLiteral("请检查设备与pc连线状态!"));
    EXPECT_TRUE(results[0].toObject()["verified"].toBool());
    EXPECT_EQ(results[0].toObject()["notTaken"].toArray(), QJsonArray());
    EXPECT_FALSE(results[1].toObject().contains("verified")) << "no read-back ran";
    EXPECT_FALSE(results[2].toObject()["verified"].toBool(true));
    EXPECT_EQ(results[2].toObject()["notTaken"].toArray(), QJsonArray({"BR"}));
    EXPECT_EQ(document["devices"].toArray().size(), 1);
    EXPECT_EQ(captured.err, "");

    Captured none;
    CliReport empty(argumentsOf({"--json", "reset", "127.0.0.5"}), none.outStream, none.errStream);
    empty.failure("没有搜索到设备");
    empty.finish();
    EXPECT_EQ(QJsonDocument::fromJson(none.out.toUtf8())["results"].toArray().size(), 0)
        << "a device command always has its results, empty or not";
    EXPECT_EQ(none.err, "没有搜索到设备\n");
}

TEST(ProgressLine, WritesOverItselfAndLeavesABlankLineBehind) {
    Captured captured;
    {
        ProgressLine progress(captured.errStream, true);
        progress.showDone(9, 30);
        EXPECT_EQ(captured.err, "\r9 of 30 done");
        progress.showDone(10, 30);
        EXPECT_EQ(captured.err, "\r9 of 30 done\r" + QString(12, u' ') + "\r\r10 of 30 done");
        captured.err.clear();
    }
    EXPECT_EQ(captured.err, "\r" + QString(13, u' ') + "\r") << "wiped when it goes";

    Captured off;
    ProgressLine quiet(off.errStream, false);
    quiet.showDone(1, 3);
    quiet.wipe();
    EXPECT_EQ(off.err, "");
}

}  // namespace
}  // namespace serverconf
