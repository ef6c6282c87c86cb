#pragma once
// Helpers for tests of the device manager window against devicesim.

#include "app/device_manager_dialog.h"
#include "channel/udp_environment.h"
#include "devicesim_process.h"
#include "dialog_test_support.h"
#include "settings_dialogs/property_settings_dialog.h"

#include <QStringList>

#include <functional>
#include <initializer_list>

namespace serverconf::testing {

// Makes exactly these rows of the window's list the selected ones (none for an empty list).
void selectRows(DeviceManagerDialog& window, std::initializer_list<int> rows);

// The window on a fresh set of simulated devices, its modal dialogs scripted
// and its notices recorded.
class WindowOnDevices {
public:
    explicit WindowOnDevices(const QStringList& deviceOptions);

    // Starts the devices and searches until every one is listed.
    void start();
    // Presses "设   置" on the row of `address`; `step` acts in the property
    // dialog. False when no property dialog opened.
    bool settings(const QString& address, const std::function<void(PropertySettingsDialog&)>& step);
    // After a write or reset: the list refresh lists every device again.
    void waitForRelisting();
    // What arrived from the local port of a write or reset since `mark`,
    // once `count` datagrams of it are logged.
    QList<devicesim::LogRecord> receivedFrom(quint16 port, qsizetype mark, qsizetype count) const;

    devicesim::DeviceSimProcess simulator;
    UdpEnvironment environment;
    DeviceSession session;
    DeviceManagerDialog window{environment, session};
    NoticeRecorder notices;
    ModalScript script;

private:
    qsizetype expectedRows_;
};

}  // namespace serverconf::testing
