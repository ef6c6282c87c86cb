#pragma once
// "保   存" and "载   入" of the property settings: the file dialogs, the
// name rules and the messages around the device configuration file codec.

#include "device/device_parameters.h"

#include <QSet>

#include <optional>

class QWidget;

namespace serverconf {

// The one file type the dialogs offer.
QString deviceProfileFilter();
// Shown when the chosen file is not a configuration file (see openDeviceProfile).
QString wrongProfileFormatMessage();
// Shown when the chosen file cannot be written.
QString profileNotSavedMessage();

// Asks for a name, adds ".ds" when it lacks that extension, asks before an
// existing file of that final name is replaced (no: the name is asked for
// again), and writes `values`. Nothing is written when the user cancels.
void saveDeviceProfileAs(QWidget* parent, const DeviceParameters& values);

// Asks for an existing file and reads it. Nothing (std::nullopt) when the
// user cancels, and after the message when the name's extension is not
// exactly "ds", the file cannot be read or it is not a configuration file.
// `keysGiven`, when given, receives the get tags of the keys the file holds.
std::optional<DeviceParameters> openDeviceProfile(QWidget* parent, QSet<int>* keysGiven = nullptr);

}  // namespace serverconf
