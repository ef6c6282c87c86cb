#pragma once
// What serverconf keeps between runs, in the platform's own place for a
// user's settings (a file under $XDG_CONFIG_HOME/serverconf on Linux, the
// registry key HKEY_CURRENT_USER\Software\serverconf on Windows): the
// language chosen in the window's system menu, the place of the device
// manager window and the folder of the last file chosen. No device value is
// ever kept.

#include <QRect>
#include <QString>

#include <optional>

namespace serverconf {

// "zh" or "en"; empty when none was chosen.
QString storedLanguageCode();
void storeLanguageCode(const QString& code);

// The device manager window's outer rectangle at the end of the last run.
std::optional<QRect> storedWindowGeometry();
void storeWindowGeometry(const QRect& geometry);

// The folder of the last *.ds file chosen in a file dialog; empty when none.
QString lastFileFolder();
void storeLastFileFolder(const QString& folder);

}  // namespace serverconf
