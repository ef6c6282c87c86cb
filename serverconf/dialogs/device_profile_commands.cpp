#include "dialogs/device_profile_commands.h"

#include "dialogs/file_choice.h"
#include "dialogs/notice.h"
#include "params/device_profile.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(profileLog, "serverconf.profile")

}  // namespace

QString deviceProfileFilter() { return QStringLiteral("设备配置文件(*.ds)"); }

QString wrongProfileFormatMessage() { return QStringLiteral("所选文件格式不对!"); }

QString profileNotSavedMessage() { return QStringLiteral("配置文件保存失败!"); }

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

std::optional<DeviceParameters> openDeviceProfile(QWidget* parent) {
    const QString path = chooseFileName(parent, FileChoice::Open, deviceProfileFilter());
    if (path.isEmpty()) return std::nullopt;
    if (!hasProfileExtension(path)) {
        notice(parent, wrongProfileFormatMessage());
        return std::nullopt;
    }
    // A name that names no readable file loads nothing, rather than emptying the dialog.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        qCDebug(profileLog) << "no readable file:" << path;
        return std::nullopt;
    }
    return loadDeviceProfileFile(path);
}

}  // namespace serverconf
