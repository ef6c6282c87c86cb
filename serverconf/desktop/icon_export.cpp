// Writes the program icon of serverconf for the desktop's hicolor icon theme,
// at build time: DIR/<n>x<n>/apps/serverconf.png for each size n given.
//
//   serverconf_icon_export DIR SIZE...
#include "app/window_images.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Drawing needs a GUI application but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: serverconf_icon_export DIR SIZE...\n", stderr);
        return 2;
    }
    for (const QString& sizeText : arguments.mid(2)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString file = folder + QStringLiteral("/serverconf.png");
        if (!ok || size <= 0 || !QDir().mkpath(folder) || !serverconf::programIconPicture(size).save(file, "PNG")) {
            std::fprintf(stderr, "serverconf_icon_export: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
