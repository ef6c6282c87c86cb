#include "app/device_manager_dialog.h"

#include "app/device_list_view.h"
#include "app/language_menu.h"
#include "app/settings_command.h"
#include "app/window_colours.h"
#include "app/window_images.h"
#include "dialogs/about_dialog.h"
#include "dialogs/change_ip_dialog.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"
#include "dialogs/modal_run.h"
#include "dialogs/notice.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/targeted_search_dialog.h"
#include "discovery/address_range.h"
#include "discovery/device_commands.h"
#include "discovery/range_search.h"
#include "discovery/targeted_search.h"
#include "messages/user_messages.h"

#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(windowLog, "serverconf.window", QtWarningMsg)

QString noDeviceSelectedText() { return userMessage(kNoDeviceSelectedMessage); }

}  // namespace

DeviceManagerDialog::DeviceManagerDialog(NetworkEnvironment& environment, DeviceSession& session, QWidget* parent)
    : FramedDialog(parent),
      environment_(environment),
      session_(session),
      devices_(std::make_unique<DeviceListModel>()),
      discovery_(std::make_unique<DeviceDiscovery>(environment, *devices_, session)) {
    setWindowTitle(tr("设备管理"));
    setWindowIcon(programIcon());
    buildControls();
    systemMenu()->addSeparator();
    addLanguageMenu(systemMenu(), this);
    aboutAction_ = systemMenu()->addAction(tr("关于 serverconf(&A)..."), this, &DeviceManagerDialog::showAbout);
    aboutAction_->setData(aboutCommand);
}

DeviceManagerDialog::~DeviceManagerDialog() = default;

void DeviceManagerDialog::buildControls() {
    QWidget* client = clientArea();
    const DialogUnits units = layOutDialog(client, songFont(9), 359, 191);
    fitToClient();

    list_ = createDeviceListView(*devices_, client);
    units.place(list_, 10, 12, 243, 156);
    list_->viewport()->installEventFilter(this);

    auto* frame = new QGroupBox(client);
    units.place(frame, 266, 7, 78, 160);
    frame->setFont(officialScriptFont(20));
    QPalette framePalette = frame->palette();
    framePalette.setColor(QPalette::WindowText, groupFrameTextColour());
    frame->setPalette(framePalette);

    const auto addButton = [&](const QString& caption, int left, int top, auto action) {
        auto* button = new QPushButton(caption, client);
        // No button is the default one: Enter is handled by the window itself.
        button->setAutoDefault(false);
        units.place(button, left, top, 54, 16);
        connect(button, &QPushButton::clicked, this, action);
        return button;
    };
    addButton(tr("搜   索"), 278, 22, &DeviceManagerDialog::search);
    settingsButton_ = addButton(tr("设   置"), 278, 43, &DeviceManagerDialog::settings);
    confirmButton_ = addButton(tr("确认设备"), 278, 65, &DeviceManagerDialog::confirm);
    changeIpButton_ = addButton(tr("更 改 IP"), 278, 88, &DeviceManagerDialog::changeIp);
    targetedSearchButton_ = addButton(tr("定 位 搜 索"), 278, 111, &DeviceManagerDialog::targetedSearch);
    addButton(tr("退  出"), 277, 134, &QDialog::accept);
    list_->setFocus();
}

WindowContext DeviceManagerDialog::context() {
    return WindowContext{this, environment_, session_, *devices_, *discovery_};
}

int DeviceManagerDialog::run() {
    startupSearch();
    return runModal(*this);
}

// The wait after a search broadcast: replies keep arriving as rows while the
// progress window is open; then the session is cleared and an empty list reported.
void DeviceManagerDialog::runSearchWait() {
    ProgressDialog::run(ProgressMode::Search, this);
    if (!discovery_->finishSearch()) notice(this, tr("没有搜索到设备"));
}

void DeviceManagerDialog::startupSearch() {
    discovery_->beginSearch();
    runSearchWait();
}

void DeviceManagerDialog::search() {
    discovery_->beginSearch();
    repaint();
    runSearchWait();
}

int DeviceManagerDialog::selectedRow() const {
    int first = -1;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first;
}

template <typename Operation>
bool DeviceManagerDialog::withSelectedDevice(Operation operation) {
    const int row = selectedRow();
    if (row < 0) {
        notice(this, noDeviceSelectedText());
        return false;
    }
    // A copy: the operation may empty the list (list refresh) while it runs.
    const DeviceEntry device = devices_->entry(row);
    operation(device);
    return true;
}

void DeviceManagerDialog::settings() {
    withSelectedDevice([this](const DeviceEntry& device) { runSettings(context(), device); });
}

void DeviceManagerDialog::confirm() {
    withSelectedDevice([this](const DeviceEntry& device) {
        if (!confirmDevice(environment_, device)) notice(this, userMessage(kConfirmConflictMessage));
    });
}

// The series goes out only when the dialog was closed with OK this time, with
// the address the field held then; the update wait and the list refresh follow.
void DeviceManagerDialog::changeIp() {
    withSelectedDevice([this](const DeviceEntry& device) {
        ChangeIpDialog dialog(device.deviceAddress, this);
        dialog.setAddressHolders([&](const QString& address) { return devices_->otherDevicesAt(device, address); });
        if (runModal(dialog) != QDialog::Accepted) return;
        qCDebug(windowLog) << "change IP of" << device.deviceAddress << "to" << dialog.address();
        switch (changeIpAddress(environment_, device, dialog.address())) {
            case ChangeIpOutcome::Refused: return;
            case ChangeIpOutcome::NotConnected: notice(this, userMessage(kCheckConnectionMessage)); return;
            case ChangeIpOutcome::Sent: break;
        }
        // The refreshed list must show the device at its new address.
        ProgressDialog::run(ProgressMode::Update, this, [this] { refreshListAndWait(*discovery_); });
        if (!devices_->listsDeviceAt(device.macAddress, dialog.address())) {
            notice(this, userMessage(kNotAtNewAddressMessage));
        }
    });
}

void DeviceManagerDialog::targetedSearch() {
    devices_->clear();
    repaint();
    TargetedSearchDialog dialog(this);
    if (runModal(dialog) != QDialog::Accepted) return;
    if (dialog.endAddress().isEmpty()) {
        const int found = runTargetedSearch(environment_, *devices_, dialog.targetAddress());
        qCDebug(windowLog) << "targeted search for" << dialog.targetAddress() << "listed" << found;
        return;
    }
    QString error;
    const std::optional<QStringList> range = addressesFromTo(dialog.targetAddress(), dialog.endAddress(), error);
    if (!range) {
        qCDebug(windowLog) << "range search refused:" << error;
        notice(this, userMessage(kRangeRefusedMessage));
        return;
    }
    // The probes and their answers take the progress window's time and more.
    ProgressDialog::run(ProgressMode::Search, this, [&] { runRangeSearch(environment_, *devices_, *range); });
    if (devices_->rowCount() == 0) notice(this, tr("没有搜索到设备"));
}

void DeviceManagerDialog::showAbout() {
    AboutDialog about(programIcon(), this);
    runModal(about);
}

// Enter closes the window as "退  出" does, unless a button has the focus,
// which it then presses; Escape closes it too.
void DeviceManagerDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
                button->click();
            } else {
                accept();
            }
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            reject();
            return;
        }
    }
    FramedDialog::keyPressEvent(event);
}

// A double-click anywhere in the list, on a row or not, runs Settings.
bool DeviceManagerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        settings();
        return true;
    }
    return FramedDialog::eventFilter(watched, event);
}

}  // namespace serverconf
