#pragma once
// What the main window's operations work on: the network, the program-wide
// session (the parameter set), the device list and the discovery socket.
// Handed to operations that live outside the window.

#include "channel/network_environment.h"
#include "device/device_parameters.h"
#include "discovery/device_discovery.h"
#include "discovery/device_list_model.h"

class QWidget;

namespace serverconf {

struct WindowContext {
    QWidget* window;
    NetworkEnvironment& environment;
    DeviceSession& session;
    DeviceListModel& devices;
    DeviceDiscovery& discovery;
};

}  // namespace serverconf
