#pragma once
// Search of an address range by unicast: one "X" to each address, never a
// broadcast, for devices behind a router or a VPN that no broadcast reaches.

#include "device_list_model.h"

#include "channel/network_environment.h"

#include <QList>
#include <QStringList>

namespace serverconf {

// The probes go out in batches of kRangeBatchSize, batch n at n *
// kRangeBatchMs after the first, against a clock (a pause only when ahead
// of it, as a sleep on some systems lasts a whole 15 ms tick): a /24 takes
// about a quarter of a second. Replies count until kRangeAnswerWaitMs
// after the last send.
inline constexpr int kRangeBatchSize = 16;
inline constexpr int kRangeBatchMs = 16;
inline constexpr int kRangeAnswerWaitMs = 1000;
inline constexpr int kRangeReadStepMs = 50;

// When each batch goes out, in milliseconds after the first: one entry per
// batch of `addressCount` addresses.
QList<int> rangeBatchTimes(int addressCount);

// Probes `addresses` from a fresh socket and places a row, marked
// foundByUnicast, for each device that answers from a probed address, in
// ascending address order after the rows already listed (a device already
// listed from a broadcast keeps its row and counts as found by broadcast).
// Returns the number of rows added.
int runRangeSearch(NetworkEnvironment& environment, DeviceListModel& list, const QStringList& addresses);

}  // namespace serverconf
