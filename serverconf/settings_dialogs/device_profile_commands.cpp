#include "device_profile_commands.h"

#include "dialogs/notice.h"
#include "file_choice.h"
#include "messages/user_messages.h"
#include "params/device_profile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(profileLog, "serverconf.profile", QtWarningMsg)

}  // namespace

QString deviceProfileFilter() {
    return QCoreApplication::translate("serverconf::DeviceProfileCommands", "设备配置文件(*.ds)");
}

QString wrongProfileFormatMessage() { return userMessage(kWrongProfileFormatMessage); }

QString profileNotSavedMessage() { return userMessage(kProfileNotSavedMessage); }

void saveDeviceProfileAs(QWidget* parent, const DeviceParameters& values) {
    QString path;
    for (;;) {
        const QString chosen = chooseFileName(parent, FileChoice::Save, deviceProfileFilter());
        if (chosen.isEmpty()) return;
        path = profileSaveFileName(chosen);
        if (!QFileInfo::exists(path) || confirmReplace(parent, path)) break;
    }
    QString error;
    if (!saveDeviceProfileFile(path, values, &error)) {
        qCDebug(profileLog) << "not saved:" << path << error;
        notice(parent, profileNotSavedMessage());
    }
}

std::optional<DeviceParameters> openDeviceProfile(QWidget* parent, QSet<int>* keysGiven) {
    const QString path = chooseFileName(parent, FileChoice::Open, deviceProfileFilter());
    if (path.isEmpty()) return std::nullopt;
    // Only a readable configuration file loads; anything else would empty the dialog.
    const std::optional<DeviceParameters> loaded = loadDeviceProfileFile(path, keysGiven);
    if (!loaded) {
        qCDebug(profileLog) << "not loaded:" << path;
        notice(parent, wrongProfileFormatMessage());
    }
    return loaded;
}

}  // namespace serverconf
