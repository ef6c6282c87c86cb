#pragma once
// "设备管理", the program's one top-level window: the list of the device
// servers found on the network and one button per operation. The start-up
// search runs before the window appears; every operation runs to its end on
// this thread, with its dialogs modal over the window.

#include "app/framed_dialog.h"
#include "app/window_context.h"

#include <memory>

class QPushButton;
class QTableView;

namespace serverconf {

class DeviceManagerDialog : public FramedDialog {
    Q_OBJECT
public:
    // The command value of the About entry in the system menu.
    static constexpr int aboutCommand = 16;

    DeviceManagerDialog(NetworkEnvironment& environment, DeviceSession& session, QWidget* parent = nullptr);
    ~DeviceManagerDialog() override;

    // The start-up search, then the modal run of the window; returns when it closes.
    int run();

    // The operations of the six buttons, of the list's double-click and of the About entry.
    void search();
    void startupSearch();
    void settings();
    void confirm();
    void changeIp();
    void targetedSearch();
    void showAbout();

    // The first selected row (the lowest selected index), or -1.
    int selectedRow() const;

    DeviceListModel& devices() { return *devices_; }
    QTableView* deviceList() const { return list_; }
    QPushButton* settingsButton() const { return settingsButton_; }
    QPushButton* confirmButton() const { return confirmButton_; }
    QPushButton* changeIpButton() const { return changeIpButton_; }
    QPushButton* targetedSearchButton() const { return targetedSearchButton_; }
    QAction* aboutAction() const { return aboutAction_; }
    WindowContext context();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Runs `operation` on the selected row, or reports that none is selected.
    template <typename Operation>
    bool withSelectedDevice(Operation operation);
    void runSearchWait();

    NetworkEnvironment& environment_;
    DeviceSession& session_;
    std::unique_ptr<DeviceListModel> devices_;
    std::unique_ptr<DeviceDiscovery> discovery_;
    QTableView* list_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* changeIpButton_ = nullptr;
    QPushButton* targetedSearchButton_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

}  // namespace serverconf
