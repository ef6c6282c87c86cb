// serverconf_window_probe: runs the serverconf program (start-up search,
// then the device manager window) and, once the window's own modal run has
// started, prints the rows of its device list to standard output in UTF-8,
// one line per row with the MAC, user/device and IP columns separated by
// tabs, and closes the window.
// Exit status: that of the program; 3 when the window did not come up
// within 30 s (a message box waiting for a click, say).

#include "app/device_manager_dialog.h"
#include "app/program.h"
#include "dialogs/modal_run.h"
#include "discovery/device_list_model.h"
#include "params/gbk_text.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kGiveUpMs = 30000;

void printRows(const QAbstractItemModel& model) {
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList columns;
        for (int column = serverconf::DeviceListModel::MacColumn; column <= serverconf::DeviceListModel::AddressColumn;
             ++column)
            columns << model.index(row, column).data().toString();
        std::fputs((columns.join(u'\t') + u'\n').toUtf8().constData(), stdout);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("serverconf"));
    bool listed = false;
    serverconf::setModalHook([&listed](QDialog& dialog) {
        // Under Wine the offscreen platform leaves a dialog on the screen
        // when it is done (its close does not go through), which would keep
        // its modal run going: it is hidden once it has finished.
        QObject::connect(&dialog, &QDialog::finished, &dialog, &QDialog::hide);
        // The start-up search's progress window runs first; the device
        // manager window's modal run starts once the search is over.
        auto* window = qobject_cast<serverconf::DeviceManagerDialog*>(&dialog);
        if (window == nullptr) return;
        printRows(*window->deviceList()->model());
        listed = true;
        window->reject();
    });
    // A window that never comes up leaves no loop to return to.
    QTimer::singleShot(kGiveUpMs, [] {
        std::fputs("serverconf_window_probe: the device manager window did not come up\n", stderr);
        std::_Exit(3);
    });
    const int status = serverconf::runProgram(serverconf::socketLayerAvailable(), serverconf::gbkAvailable());
    return listed ? status : 3;
}
