#pragma once
// Targeted search: broadcast "X" from local port 5010 at the send times of a
// search window (searchSendTimes), read in steps of 100 ms until the window
// ends, and list only the replies whose sender text is the target.

#include "device_list_model.h"

#include "channel/network_environment.h"

#include <QString>

namespace serverconf {

// Read attempts after each step; the steps are the only waits.
inline constexpr int kTargetedSearchReadAttempts = 255;
inline constexpr int kTargetedSearchStepMs = 100;

// A matching reply of a device not listed yet is inserted at the top of the
// list (a later device above an earlier one); a device answering again
// updates its row (DeviceListModel::place). The caller empties the list
// before asking for the target. Returns the number of rows added.
int runTargetedSearch(NetworkEnvironment& environment, DeviceListModel& list, const QString& targetAddress);

}  // namespace serverconf
