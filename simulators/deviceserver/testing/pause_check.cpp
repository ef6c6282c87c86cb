#include "pause_check.h"

namespace devicesim {

QStringList shortGaps(const QList<LogRecord>& records, const QList<int>& pausesMs) {
    if (records.size() != pausesMs.size() + 1) {
        return {QStringLiteral("%1 datagrams for %2 pauses").arg(records.size()).arg(pausesMs.size())};
    }
    QStringList shortOnes;
    for (qsizetype i = 0; i < pausesMs.size(); ++i) {
        const double gap = records[i + 1].timeMs - records[i].timeMs;
        if (gap < pausesMs[i] - kPauseToleranceMs) {
            shortOnes << QStringLiteral("%1 ms after %2, pause %3 ms")
                             .arg(gap, 0, 'f', 1)
                             .arg(QString::fromLatin1(records[i].payload))
                             .arg(pausesMs[i]);
        }
    }
    return shortOnes;
}

}  // namespace devicesim
