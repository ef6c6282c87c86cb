#pragma once
// The device configuration file (*.ds): a profile (INI) text file with one
// section "main" and one KEY=value line per parameter, CRLF line ends, text in
// code page 936. The codec works on the file's bytes and keeps everything it
// does not own: other sections, other keys, comments and their line ends.

#include "device/device_parameters.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace serverconf {

inline constexpr const char* kProfileSection = "main";
// Longest value a read returns, in bytes of the file (longer ones are cut).
inline constexpr int kProfileValueLimit = 79;

// Order in which Save writes the keys (and the order of a fresh file).
inline constexpr std::array<const char*, kParameterCount> kProfileSaveOrder{"ON", "DN", "FE", "IP", "PN", "TP", "CT",
                                                                            "DI", "DP", "GI", "NM", "CM", "RM", "ML",
                                                                            "MD", "BR", "BB", "FC", "PR", "DT", "RC"};
// Order in which Load reads the keys; FE is never loaded (a file does not
// change the MAC address).
inline constexpr std::array<const char*, kParameterCount - 1> kProfileLoadOrder{
    "ON", "DN", "IP", "PN", "TP", "DI", "DP", "GI", "NM", "CT",
    "CM", "RM", "ML", "MD", "BR", "BB", "FC", "PR", "DT", "RC"};

// Value of `key` in `section` (both compared without case); empty when the
// section or key is missing. Cut to kProfileValueLimit bytes, never inside a
// two-byte character. White space around key and value is not part of them.
QString readProfileValue(const QByteArray& content, QStringView section, QStringView key);

// Content with `key` set to `value` in `section`: an existing line is updated
// in place, a missing key is appended after the last line of the section, a
// missing section is appended at the end of the file. Line breaks inside the
// value are replaced by spaces so the value stays one line.
QByteArray writeProfileValue(const QByteArray& content, QStringView section, QStringView key, const QString& value);

// The 21 keys written into `content` in kProfileSaveOrder. `values` holds what
// Save takes for each key (the dialog decides which source each one has).
QByteArray writeDeviceProfile(const QByteArray& content, const DeviceParameters& values);

// The 20 keys of kProfileLoadOrder read from `content` (macAddress stays
// empty; missing keys are read as empty text).
DeviceParameters readDeviceProfile(const QByteArray& content);

// True when `content` has a "main" section holding at least one of the 21
// keys (both without regard to case). Anything else gives no value to load.
bool isDeviceProfile(const QByteArray& content);

// The get tags of the parameter keys the "main" section of `content` holds
// (a key with an empty value too): the values a file gives.
QSet<int> profileKeyTags(const QByteArray& content);

// File forms. Save reads the existing file (if any) so other lines are kept;
// it returns false, with the reason in `error`, when the file cannot be
// written. Load gives nothing for a name without the extension "ds"
// (hasProfileExtension), a path that is not a readable regular file, or a
// content that is not a configuration file (isDeviceProfile).
bool saveDeviceProfileFile(const QString& path, const DeviceParameters& values, QString* error = nullptr);
// `keysGiven`, when given, receives profileKeyTags of the file but FE.
std::optional<DeviceParameters> loadDeviceProfileFile(const QString& path, QSet<int>* keysGiven = nullptr);

// Name rules of the file dialogs: Save appends ".ds" to a chosen name that
// does not already have that extension (so every saved file can be loaded);
// Load accepts only a name whose text after its last dot is exactly "ds"
// (lower case).
QString profileSaveFileName(const QString& chosenName);
bool hasProfileExtension(const QString& fileName);

}  // namespace serverconf
