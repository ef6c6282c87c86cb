#include "device_backup.h"

#include <QDir>

#include <algorithm>

namespace serverconf {
namespace {

bool isFileNameCharacter(QChar character) {
    const char16_t c = character.unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'-' || c == u'_';
}

}  // namespace

std::optional<QString> backupFilePath(const QString& directory, const QString& macAddress) {
    if (macAddress.isEmpty() || !std::all_of(macAddress.cbegin(), macAddress.cend(), isFileNameCharacter)) {
        return std::nullopt;
    }
    return QDir(directory).filePath(macAddress + QStringLiteral(".ds"));
}

}  // namespace serverconf
