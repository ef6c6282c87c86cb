#include "soak_tally.h"

#include <QSet>

namespace serverconf::soak {

QString cycleMarker(int cycle) { return QStringLiteral("c%1").arg(cycle); }

WriteTally tallyWrites(const QList<PlannedWrite>& writes, const QList<devicesim::LogRecord>& records) {
    const QByteArray stagedPrefix = "staged ON=";
    // Marker -> the devices that staged it.
    std::map<QString, QSet<QString>> stagedBy;
    WriteTally tally;
    for (const devicesim::LogRecord& record : records) {
        if (record.direction != u"note") continue;
        if (record.payload.startsWith(stagedPrefix)) {
            stagedBy[QString::fromUtf8(record.payload.mid(stagedPrefix.size()))].insert(record.from);
        } else if (record.payload.endsWith(" lost at random")) {
            ++tally.lostReplies;
        }
    }
    for (const PlannedWrite& write : writes) {
        const auto found = stagedBy.find(cycleMarker(write.cycle));
        const QSet<QString> devices = found == stagedBy.end() ? QSet<QString>{} : found->second;
        if (devices.contains(write.target)) {
            ++tally.reachedTarget;
        } else {
            ++tally.missedTarget;
        }
        if (!(devices - QSet<QString>{write.target}).isEmpty()) ++tally.reachedOther;
    }
    return tally;
}

int stagedUnwanted(const QList<devicesim::LogRecord>& records, const std::map<QString, DeviceValues>& own) {
    const QByteArray stagedPrefix = "staged ";
    int unwanted = 0;
    for (const devicesim::LogRecord& record : records) {
        if (record.direction != u"note" || !record.payload.startsWith(stagedPrefix)) continue;
        const QString item = QString::fromUtf8(record.payload.mid(stagedPrefix.size()));
        const QString code = item.section(u'=', 0, 0);
        const auto device = own.find(record.from);
        if (code == u"ON" || device == own.end()) continue;
        if (item.section(u'=', 1) != device->second.value(code)) ++unwanted;
    }
    return unwanted;
}

}  // namespace serverconf::soak
