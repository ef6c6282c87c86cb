#pragma once
// Targeted search: broadcast "X" from local port 5010, wait 100 ms, make 255
// read attempts and list only the replies whose sender text is the target.

#include "device_list_model.h"

#include "channel/network_environment.h"

#include <QString>

namespace serverconf {

inline constexpr int kTargetedSearchReadAttempts = 255;
inline constexpr int kTargetedSearchWaitMs = 100;

// Each matching reply is inserted at the top of the list (a later reply
// above an earlier one). The caller empties the list before asking for the
// target. Returns the number of rows added.
int runTargetedSearch(NetworkEnvironment& environment, DeviceListModel& list, const QString& targetAddress);

}  // namespace serverconf
