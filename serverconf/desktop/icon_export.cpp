// Writes the program icon of serverconf at build time, drawn by the program's
// own icon code:
//
//   serverconf_icon_export DIR SIZE...        DIR/<n>x<n>/apps/serverconf.png
//                                             for each size n (hicolor theme)
//   serverconf_icon_export --ico FILE SIZE... a Windows icon file holding
//                                             every size
#include "app/window_images.h"
#include "windows_icon_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

namespace {

bool writeThemeIcon(const QString& themeDir, int size) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(size);
    return QDir().mkpath(folder) && serverconf::programIconPicture(size).save(folder + "/serverconf.png", "PNG");
}

QByteArray pngOf(int size) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return serverconf::programIconPicture(size).save(&buffer, "PNG") ? png : QByteArray();
}

bool writeWindowsIcon(const QString& path, const QList<int>& sizes) {
    QList<serverconf::IconImage> images;
    for (int size : sizes) images.append({size, pngOf(size)});
    const QByteArray icon = serverconf::windowsIconFile(images);
    QFile file(path);
    return !icon.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(icon) == icon.size() && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    // Drawing needs a GUI application but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const bool windowsIcon = !arguments.isEmpty() && arguments.first() == QStringLiteral("--ico");
    if (windowsIcon) arguments.removeFirst();
    if (arguments.size() < 2) {
        std::fputs(
            "usage: serverconf_icon_export DIR SIZE...\n"
            "       serverconf_icon_export --ico FILE SIZE...\n",
            stderr);
        return 2;
    }
    const QString target = arguments.takeFirst();
    QList<int> sizes;
    for (const QString& sizeText : arguments) {
        bool ok = false;
        sizes.append(sizeText.toInt(&ok));
        if (!ok || sizes.last() <= 0) {
            std::fprintf(stderr, "serverconf_icon_export: %s is no icon size\n", qPrintable(sizeText));
            return 2;
        }
    }
    bool written = true;
    if (windowsIcon) {
        written = writeWindowsIcon(target, sizes);
    } else {
        for (int size : sizes) written = written && writeThemeIcon(target, size);
    }
    if (!written) {
        std::fprintf(stderr, "serverconf_icon_export: cannot write the icons to %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}
