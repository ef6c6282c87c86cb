#pragma once
// The soak's judgement of what reached the devices, from devicesim's log
// alone: each cycle's write carries a user name of its own ("c" + cycle
// number), and the device that stages it is the device the write reached.

#include "datagram_log.h"

#include <QList>
#include <QMap>
#include <QString>

#include <map>

namespace serverconf::soak {

// What one cycle meant to write and to whom (the device whose row was read).
struct PlannedWrite {
    int cycle = 0;
    QString target;  // the device's address
};

// The user name a cycle writes, unique to it.
QString cycleMarker(int cycle);

struct WriteTally {
    int reachedTarget = 0;  // staged by the device that was read
    int reachedOther = 0;   // staged by any other device (a wrong-device write)
    int missedTarget = 0;   // sent but not staged by the device that was read
    int lostReplies = 0;    // replies the devices lost at random
};

// Judges `writes` against the log records (notes "staged ON=<marker>" name
// the device that staged each value; "reply ... lost at random" counts losses).
WriteTally tallyWrites(const QList<PlannedWrite>& writes, const QList<devicesim::LogRecord>& records);

// The values of one device by code, as it holds them before any write.
using DeviceValues = QMap<QString, QString>;

// How many values the devices staged ("staged CODE=value" notes) that differ
// from what they held (`own`, by device address), ON aside: the values a
// write changed that the user did not.
int stagedUnwanted(const QList<devicesim::LogRecord>& records, const std::map<QString, DeviceValues>& own);

}  // namespace serverconf::soak
