#pragma once
// Helpers for tests of the device manager window against devicesim.

#include "datagram_log.h"

#include <QStringList>

#include <initializer_list>

namespace serverconf {
class DeviceManagerDialog;
}

namespace serverconf::testing {

// Makes exactly these rows of the window's list the selected ones (none for an empty list).
void selectRows(DeviceManagerDialog& window, std::initializer_list<int> rows);

}  // namespace serverconf::testing
