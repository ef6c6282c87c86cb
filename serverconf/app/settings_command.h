#pragma once
// "设   置" and a double-click in the device list, once a device is selected:
// read the device's parameters and open the property settings.

#include "app/window_context.h"
#include "device/device_entry.h"

namespace serverconf {

void runSettings(const WindowContext& context, const DeviceEntry& device);

// The list refresh, and the wait for its replies (one search window).
void refreshListAndWait(DeviceDiscovery& discovery);

}  // namespace serverconf
