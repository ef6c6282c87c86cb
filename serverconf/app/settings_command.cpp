#include "app/settings_command.h"

#include <QLoggingCategory>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(settingsLog, "serverconf.settings")

}  // namespace

// The read-out and the property dialog join here; until then the command
// only records which device it was asked for.
void runSettings(const WindowContext&, const DeviceEntry& device) {
    qCDebug(settingsLog) << "settings asked for" << device.deviceAddress << device.macAddress;
}

}  // namespace serverconf
