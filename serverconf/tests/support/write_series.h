#pragma once
// The datagrams of a parameter write as the device must get them, built from
// the values the write carries: "L", the 19 set requests in write order,
// "SIP" with the device's address and the tag of the exchange, then "E". A
// factory reset on the device's own network sends no "SIP".
// The set tags and their order are written out here, not taken from the
// tool's parameter table, so that a wrong row in that table fails the tests
// that expect a write.

#include "device/device_parameters.h"

#include <QStringList>

#include <optional>

namespace serverconf::testing {

struct SetAddress {
    QString address;
    int tag;  // 37 unicast write, 33 by broadcast
};

QStringList writeSeries(const DeviceParameters& values, const std::optional<SetAddress>& setAddress);

// The values a factory reset sends (no user or device name).
DeviceParameters factoryResetValues();

}  // namespace serverconf::testing
