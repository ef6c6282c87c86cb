#pragma once
// Where read --save-dir keeps the configuration of one device: DIR/<MAC>.ds.

#include <QString>

#include <optional>

namespace serverconf {

// The backup file of the device with `macAddress` in `directory`; nothing
// when the MAC text is empty or holds anything but ASCII letters, digits,
// "-" and "_": the device gave it, and a "/" or ".." in it would name a
// file outside the folder.
std::optional<QString> backupFilePath(const QString& directory, const QString& macAddress);

}  // namespace serverconf
