// serverconf-cli on a fleet of devices side by side: every backup file and
// every device holds only its own values, a device that fails or loses
// datagrams fails alone, the devices reached by broadcast are worked on one
// at a time after the others, and each device keeps its own pacing.

#include "channel/channel_ports.h"
#include "messages/user_messages.h"
#include "params/device_profile.h"

#include "cli_run.h"
#include "pause_check.h"

#include <QDir>
#include <QMap>

#include <gtest/gtest.h>

#include <algorithm>

namespace serverconf {
namespace {

using devicesim::LogRecord;

// The fleet: 30 devices on this computer's network (127.0.0.10-39), one on
// another (127.0.1.10) and a pair at one address (127.0.0.50, the east
// one in a second devicesim), each with values of its own.
struct FleetDevice {
    QString address;
    QString mac;
    QString faults;  // devicesim fault options
    enum class Expect { Ok, Silent, Lossy } expect = Expect::Ok;
    bool byBroadcast = false;

    QString option() const {
        const QString name = mac.right(4);
        return QStringLiteral("addr=%1,mac=%2,user=u%3,name=n%3,PN=4%3%4")
            .arg(address, mac, name, faults.isEmpty() ? "" : "," + faults);
    }
    // The values that are this device's own, by code.
    QMap<QString, QString> ownValues() const {
        const QString name = mac.right(4);
        return {{"ON", "u" + name}, {"DN", "n" + name}, {"PN", "4" + name}};
    }
    // What a command names it by: its MAC when another device holds its address.
    QString target() const { return address == "127.0.0.50" ? mac : address; }
};

QList<FleetDevice> fleet() {
    QList<FleetDevice> devices;
    for (int i = 10; i < 40; ++i)
        devices << FleetDevice{QStringLiteral("127.0.0.%1").arg(i), QStringLiteral("00112233%1").arg(1000 + i), {}};
    devices[3].faults = "drop=3";  // answers the search, never gives its MAC
    devices[3].expect = FleetDevice::Expect::Silent;
    for (const int lossy : {11, 12}) {
        devices[lossy].faults = QStringLiteral("loss=10,reqloss=10,seed=%1").arg(lossy);
        devices[lossy].expect = FleetDevice::Expect::Lossy;
    }
    devices << FleetDevice{"127.0.1.10", "001122332010", {}, FleetDevice::Expect::Ok, true}
            << FleetDevice{"127.0.0.50", "001122333050", {}, FleetDevice::Expect::Ok, true}
            << FleetDevice{"127.0.0.50", "001122333051", {}, FleetDevice::Expect::Ok, true};
    return devices;
}

// The result line of `device` in the output of `run` (of the two at one
// address, the one that names its MAC's file).
QString lineOf(const CliRun& run, const FleetDevice& device) {
    QString found;
    for (const QString& line : run.out.split(u'\n')) {
        if (line.startsWith(device.address + "\t") && (found.isEmpty() || line.contains(device.mac))) found = line;
    }
    return found;
}

// A set exchange's notes "staged CODE=value" of one device whose value is
// not that device's own: what reached it from another device's exchange.
QStringList foreignStaged(const QList<LogRecord>& records, const FleetDevice& device) {
    const QMap<QString, QString> own = device.ownValues();
    QStringList foreign;
    for (const LogRecord& record : records) {
        const QString note = QString::fromUtf8(record.payload);
        if (record.direction != u"note" || record.from != device.address || !note.startsWith(u"staged ")) continue;
        const QString code = note.mid(7).section(u'=', 0, 0);
        if (own.contains(code) && note.mid(7).section(u'=', 1) != own[code]) foreign << note;
    }
    return foreign;
}

// When the device at `address` first staged a value and first applied what
// it staged: its set exchange.
std::pair<double, double> setExchangeSpan(const QList<LogRecord>& records, const QString& address) {
    std::pair<double, double> span{-1, -1};
    for (const LogRecord& record : records) {
        if (record.direction != u"note" || record.from != address) continue;
        const QByteArray& note = record.payload;
        if (span.first < 0 && note.startsWith("staged ")) span.first = record.timeMs;
        if (span.second < 0 && note.startsWith("applied ")) span.second = record.timeMs;
    }
    return span;
}

class Fleet : public CliAgainstDeviceSim {
protected:
    void SetUp() override {
        QStringList options;
        for (const FleetDevice& device : devices.mid(0, devices.size() - 1)) options << device.option();
        start(options);
        east = std::make_unique<devicesim::DeviceSimProcess>(QStringList{devices.last().option()});
        QString error;
        ASSERT_TRUE(east->start(error)) << error.toStdString();
    }
    // The records of the device `device` from the marks on (both devicesims
    // share the monotonic clock).
    QList<LogRecord> recordsOf(const FleetDevice& device, qsizetype mark, qsizetype eastMark) const {
        return &device == &devices.last() ? east->records().mid(eastMark) : simulator->records().mid(mark);
    }

    const QList<FleetDevice> devices = fleet();
    std::unique_ptr<devicesim::DeviceSimProcess> east;
};

TEST_F(Fleet, EveryBackupAndEveryDeviceHoldsItsOwnValuesAndFailuresStayWithTheirDevice) {
    const QString folder = directory.filePath("backups");
    const CliRun backup = runCli({"read", "--all", "--save-dir", folder});
    EXPECT_EQ(backup.exitCode, 1) << "the silent device fails";
    for (const FleetDevice& device : devices) {
        const QString line = lineOf(backup, device);
        const QString file = QDir(folder).filePath(device.mac + ".ds");
        switch (device.expect) {
            case FleetDevice::Expect::Silent:
                EXPECT_EQ(line, device.address + "\tfailed\t" + userMessage(kCheckConnectionMessage));
                continue;
            case FleetDevice::Expect::Lossy:
                if (line.contains("\tfailed\t")) {
                    EXPECT_TRUE(line.contains(userMessage(kNotReadMessage))) << line.toStdString();
                    continue;
                }
                break;
            case FleetDevice::Expect::Ok: break;
        }
        EXPECT_TRUE(line.endsWith("\tok\tsaved to " + file)) << line.toStdString();
        const std::optional<DeviceParameters> saved = loadDeviceProfileFile(file);
        ASSERT_TRUE(saved) << file.toStdString();
        const QMap<QString, QString> own = device.ownValues();
        for (auto it = own.cbegin(); it != own.cend(); ++it)
            EXPECT_EQ(*saved->valueByCode(it.key()), it.value()) << file.toStdString() << " " << it.key().toStdString();
        EXPECT_EQ(saved->ipAddress, device.address) << file.toStdString();
    }

    const qsizetype mark = simulator->mark();
    const qsizetype eastMark = east->mark();
    QStringList targets{"write"};
    for (const FleetDevice& device : devices) targets << device.target();
    const CliRun write = runCli(targets + QStringList{"BR=4"});
    EXPECT_EQ(write.exitCode, 1);
    QList<LogRecord> allRecords = simulator->records().mid(mark) + east->records().mid(eastMark);
    std::sort(allRecords.begin(), allRecords.end(),
              [](const LogRecord& a, const LogRecord& b) { return a.timeMs < b.timeMs; });
    const QStringList lines = write.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), devices.size()) << write.out.toStdString();
    double lastUnicastEnd = 0;
    double firstUnicastEnd = 1e18;
    double lastUnicastStart = 0;
    for (qsizetype i = 0; i < devices.size(); ++i) {
        const FleetDevice& device = devices[i];
        const QList<LogRecord> records = recordsOf(device, mark, eastMark);
        EXPECT_EQ(foreignStaged(records, device), QStringList()) << device.address.toStdString();
        if (device.expect == FleetDevice::Expect::Silent) {
            EXPECT_EQ(lines[i], device.address + "\tfailed\t" + userMessage(kCheckConnectionMessage));
            continue;
        }
        if (device.expect == FleetDevice::Expect::Lossy) continue;  // written, or reported: its values only
        EXPECT_EQ(lines[i], device.address + "\tok\twritten") << write.err.toStdString();
        const auto [first, end] = setExchangeSpan(records, device.address);
        if (device.byBroadcast) {
            // Alone: no other device takes a value while this one is named.
            for (const LogRecord& record : allRecords) {
                if (record.direction == u"note" && record.timeMs > first && record.timeMs < end) {
                    EXPECT_EQ(record.from, device.address) << device.mac.toStdString() << " " << record.payload.data();
                }
            }
            EXPECT_GT(first, lastUnicastEnd) << device.mac.toStdString() << " after the devices reached by unicast";
        } else {
            lastUnicastStart = std::max(lastUnicastStart, first);
            firstUnicastEnd = std::min(firstUnicastEnd, end);
            lastUnicastEnd = std::max(lastUnicastEnd, end);
        }
    }
    EXPECT_LT(lastUnicastStart, firstUnicastEnd) << "the devices reached by unicast are written side by side";

    // Each device keeps its pacing: "L", 50 ms, 20 set requests 10 ms apart, "E".
    const QString paced = devices.first().address;
    QMap<quint16, QList<LogRecord>> byPort;
    for (const LogRecord& record : simulator->received(mark)) {
        if (record.to == paced) byPort[record.fromPort()] << record;
    }
    bool checked = false;
    for (const QList<LogRecord>& sent : std::as_const(byPort)) {
        if (sent.size() != 22 || sent.first().payload != "L" || sent.last().payload != "E") continue;
        QList<int> pauses{50};
        pauses.append(QList<int>(20, 10));
        EXPECT_EQ(devicesim::shortGaps(sent, pauses), QStringList()) << "gaps shorter than their pauses";
        checked = true;
    }
    EXPECT_TRUE(checked) << "the write of " << paced.toStdString() << " came from one port of its own";
    bool allBroadcast = false;
    EXPECT_FALSE(sentFrom(simulator->received(mark), kParameterWritePort, &allBroadcast).isEmpty());
    EXPECT_TRUE(allBroadcast) << "only the exchanges that run alone use the fixed port";
    EXPECT_TRUE(sentFrom(simulator->received(mark), kReadOutProbePort).isEmpty()) << "probes side by side";
}

TEST_F(CliAgainstDeviceSim, OfTwoDevicesWithOneMacTheOneGivenFirstKeepsTheBackupThoughItEndsLast) {
    // The first one's last reply comes late and is asked for again.
    start({"addr=127.0.0.5,mac=001122334455,user=first,delay=21:120", "addr=127.0.0.6,mac=001122334455,user=second"});
    const QString folder = directory.filePath("backups");
    const QString file = QDir(folder).filePath("001122334455.ds");
    const CliRun run = runCli({"read", "127.0.0.5", "127.0.0.6", "--save-dir", folder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("127.0.0.5\tok\tsaved to %1\n"
                                      "127.0.0.6\tfailed\t%1 holds another device of this MAC address: not saved\n")
                           .arg(file));
    const std::optional<DeviceParameters> saved = loadDeviceProfileFile(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->userName, "first");
}

}  // namespace
}  // namespace serverconf
