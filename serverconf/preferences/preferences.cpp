#include "preferences/preferences.h"

#include <QSettings>

namespace serverconf {
namespace {

// The window and serverconf-cli share one place.
QSettings storedSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("serverconf"),
                     QStringLiteral("serverconf"));
}

const QString kLanguageKey = QStringLiteral("language");
const QString kWindowGeometryKey = QStringLiteral("window/geometry");
const QString kFileFolderKey = QStringLiteral("files/lastFolder");

}  // namespace

QString storedLanguageCode() { return storedSettings().value(kLanguageKey).toString(); }

void storeLanguageCode(const QString& code) { storedSettings().setValue(kLanguageKey, code); }

std::optional<QRect> storedWindowGeometry() {
    const QRect geometry = storedSettings().value(kWindowGeometryKey).toRect();
    if (!geometry.isValid()) return std::nullopt;
    return geometry;
}

void storeWindowGeometry(const QRect& geometry) { storedSettings().setValue(kWindowGeometryKey, geometry); }

QString lastFileFolder() { return storedSettings().value(kFileFolderKey).toString(); }

void storeLastFileFolder(const QString& folder) { storedSettings().setValue(kFileFolderKey, folder); }

}  // namespace serverconf
