// serverconf-screenshots: pictures of the windows for review.
//
//   serverconf-screenshots [--lang zh|en] tour DIR   runs the device manager window (start-up
//                                     search included) and saves a PNG of it
//                                     and of each dialog it opens to DIR
//   serverconf-screenshots screen FILE  waits until the main window's caption
//                                     is on the screen, then saves the screen
//                                     cut to what is drawn on it (everything
//                                     that is not black)
//   serverconf-screenshots beside LEFT RIGHT FILE  saves the pictures LEFT and
//                                     RIGHT side by side (the Linux and the
//                                     Windows build's window, say)
//
// Point it at devices the way serverconf is pointed (SERVERCONF_BROADCAST,
// SERVERCONF_LOCAL_ADDRESS). The windows speak the language serverconf
// would (--lang, SERVERCONF_LANG, ...) and are drawn at the screen's pixel
// ratio (QT_SCALE_FACTOR=2 draws them twice as large).

#include "app/device_manager_dialog.h"
#include "app/window_colours.h"
#include "channel/udp_environment.h"
#include "dialogs/about_dialog.h"
#include "dialogs/change_ip_dialog.h"
#include "dialogs/ip_address_edit.h"
#include "dialogs/modal_run.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/targeted_search_dialog.h"
#include "language/translations.h"
#include "settings_dialogs/parameter_choice_box.h"
#include "settings_dialogs/property_settings_dialog.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTextStream>
#include <QThread>

namespace serverconf {
namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

void save(QWidget& window, const QDir& directory, const QString& name) {
    const QString path = directory.filePath(name + QStringLiteral(".png"));
    if (window.grab().save(path)) {
        out() << path << Qt::endl;
    } else {
        out() << "cannot save " << path << Qt::endl;
    }
}

// The main window, once showing: picture it, then open each dialog over it.
void tourMainWindow(DeviceManagerDialog& window, const QDir& directory) {
    save(window, directory, QStringLiteral("device-manager"));
    if (window.devices().rowCount() > 0) {
        window.deviceList()->selectionModel()->select(window.deviceList()->model()->index(0, 0),
                                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.changeIp();
        window.settings();
    }
    window.showAbout();
    ProgressDialog::run(ProgressMode::Update, &window);
    window.targetedSearch();
    window.accept();
}

// Both pages of the property settings, in client mode so that every control
// is usable, and the two advanced dialogs opened from them.
void tourPropertySettings(PropertySettingsDialog& property, const QDir& directory) {
    property.list(PropertySettingsDialog::List::WorkMode)->choose(QStringLiteral("2"));
    save(property, directory, QStringLiteral("property-network"));
    property.networkAdvancedButton()->click();
    property.tabs()->setCurrentIndex(static_cast<int>(PropertySettingsDialog::Page::Serial));
    save(property, directory, QStringLiteral("property-serial"));
    property.serialAdvancedButton()->click();
}

// Each dialog is pictured as it opens and then closed without acting.
void pictureDialog(QDialog& dialog, const QDir& directory) {
    if (auto* window = qobject_cast<DeviceManagerDialog*>(&dialog)) {
        tourMainWindow(*window, directory);
        return;
    }
    if (auto* progress = qobject_cast<ProgressDialog*>(&dialog)) {
        const bool search = progress->text() == ProgressDialog::textFor(ProgressMode::Search);
        save(dialog, directory, search ? QStringLiteral("progress-search") : QStringLiteral("progress-update"));
        return;  // it closes itself
    }
    if (auto* targeted = qobject_cast<TargetedSearchDialog*>(&dialog)) {
        targeted->addressField()->setText(QStringLiteral("127.0.0.5"));
        save(dialog, directory, QStringLiteral("targeted-search"));
    } else if (qobject_cast<ChangeIpDialog*>(&dialog)) {
        save(dialog, directory, QStringLiteral("change-ip"));
    } else if (auto* property = qobject_cast<PropertySettingsDialog*>(&dialog)) {
        tourPropertySettings(*property, directory);
    } else if (qobject_cast<AboutDialog*>(&dialog)) {
        save(dialog, directory, QStringLiteral("about"));
    } else {
        save(dialog, directory, QString::fromLatin1(dialog.metaObject()->className()).section(u':', -1).toLower());
    }
    dialog.reject();
}

int tour(const QString& directoryPath) {
    const QDir directory(directoryPath);
    if (!QDir().mkpath(directoryPath)) {
        out() << "cannot create " << directoryPath << Qt::endl;
        return 1;
    }
    setModalHook([directory](QDialog& dialog) { pictureDialog(dialog, directory); });
    UdpEnvironment environment;
    DeviceSession session;
    DeviceManagerDialog window(environment, session);
    window.run();
    return 0;
}

QImage grabScreen() {
    QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

// The bounding box of everything that is not black, and whether the
// main window's caption colour is among it.
struct DrawnArea {
    QRect box;
    bool hasCaption = false;
};

DrawnArea drawnArea(const QImage& image) {
    DrawnArea area;
    const QRgb caption = captionColour().rgb();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) == 0) continue;
            area.box |= QRect(x, y, 1, 1);
            area.hasCaption = area.hasCaption || (line[x] & RGB_MASK) == (caption & RGB_MASK);
        }
    }
    return area;
}

// Waits (up to 30 s) for the main window, which appears after the start-up search.
int screen(const QString& path) {
    QImage image = grabScreen();
    for (int attempt = 0; attempt < 150 && !drawnArea(image).hasCaption; ++attempt) {
        QThread::msleep(200);
        image = grabScreen();
    }
    const DrawnArea area = drawnArea(image);
    if (!area.hasCaption) out() << "the main window did not appear; saving the screen as it is" << Qt::endl;
    const QImage cut = area.box.isEmpty() ? image : image.copy(area.box);
    if (!cut.save(path)) {
        out() << "cannot save " << path << Qt::endl;
        return 1;
    }
    out() << path << Qt::endl;
    return 0;
}

constexpr int kGap = 16;

int beside(const QString& leftPath, const QString& rightPath, const QString& path) {
    const QImage left(leftPath);
    const QImage right(rightPath);
    if (left.isNull() || right.isNull()) {
        out() << "cannot read " << (left.isNull() ? leftPath : rightPath) << Qt::endl;
        return 1;
    }
    QImage both(left.width() + kGap + right.width(), qMax(left.height(), right.height()), QImage::Format_RGB32);
    both.fill(Qt::black);
    QPainter painter(&both);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width() + kGap, 0, right);
    painter.end();
    if (!both.save(path)) {
        out() << "cannot save " << path << Qt::endl;
        return 1;
    }
    out() << path << Qt::endl;
    return 0;
}

}  // namespace
}  // namespace serverconf

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    serverconf::setUpLanguage(arguments, serverconf::QtTexts::Translated);
    if (const qsizetype option = arguments.indexOf(QStringLiteral("--lang")); option > 0) arguments.remove(option, 2);
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("tour")) return serverconf::tour(arguments[2]);
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("screen")) return serverconf::screen(arguments[2]);
    if (arguments.size() == 5 && arguments[1] == QStringLiteral("beside"))
        return serverconf::beside(arguments[2], arguments[3], arguments[4]);
    QTextStream(stderr)
        << "usage: serverconf-screenshots [--lang zh|en] tour DIR | screen FILE | beside LEFT RIGHT FILE\n";
    return 2;
}
