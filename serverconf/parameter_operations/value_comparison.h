#pragma once
// Whether a value read back from a device is the one that was sent, and
// whether a MAC address read out is the one of the device's list row. A
// device's replies lose every capital "A" (the reply format), so both sides
// are compared after that rule.

#include "device/device_parameters.h"

#include <QString>

namespace serverconf {

// `text` with every capital "A" removed, as a device's reply gives it back.
QString withoutCapitalA(QString text);

// Two MAC texts name one device: compared after the capital-A rule, by
// their hexadecimal digits only, case ignored. A text without any hex digit
// names no device.
bool isSameMacAddress(const QString& first, const QString& second);

// The value read back shows that `sent` was taken. User and device name are
// texts; the other values are numbers or dotted addresses and are compared
// by value when both sides are ("0010" took "10", "192.168.001.005" took
// "192.168.1.5"), as text otherwise.
bool hasTaken(const ParameterDefinition& parameter, const QString& sent, const QString& readBack);

}  // namespace serverconf
