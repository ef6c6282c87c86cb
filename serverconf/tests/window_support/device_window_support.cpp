#include "device_window_support.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace serverconf::testing {

void selectRows(DeviceManagerDialog& window, std::initializer_list<int> rows) {
    QItemSelectionModel* selection = window.deviceList()->selectionModel();
    selection->clearSelection();
    for (int row : rows) {
        selection->select(window.deviceList()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

WindowOnDevices::WindowOnDevices(const QStringList& deviceOptions)
    : simulator(deviceOptions), expectedRows_(deviceOptions.size()) {}

void WindowOnDevices::start() {
    QString error;
    ASSERT_TRUE(simulator.start(error)) << error.toStdString();
    window.search();
    ASSERT_EQ(window.devices().rowCount(), expectedRows_);
}

bool WindowOnDevices::settings(const QString& address, const std::function<void(PropertySettingsDialog&)>& step) {
    const int row = window.devices().findByAddress(address);
    EXPECT_GE(row, 0) << address.toStdString();
    if (row < 0) return false;
    selectRows(window, {row});
    const QString dialogClass = QString::fromLatin1(PropertySettingsDialog::staticMetaObject.className());
    const qsizetype openedBefore = script.opened().count(dialogClass);
    script.then<PropertySettingsDialog>(step);
    window.settingsButton()->click();
    return script.opened().count(dialogClass) > openedBefore;
}

void WindowOnDevices::waitForRelisting() {
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.devices().rowCount() == expectedRows_; }, 3000));
}

QList<devicesim::LogRecord> WindowOnDevices::receivedFrom(quint16 port, qsizetype mark, qsizetype count) const {
    const auto fromPort = [&] {
        QList<devicesim::LogRecord> records;
        for (const devicesim::LogRecord& record : simulator.received(mark)) {
            if (record.fromPort() == port) records << record;
        }
        return records;
    };
    simulator.waitFor([&](const QList<devicesim::LogRecord>&) { return fromPort().size() >= count; });
    return fromPort();
}

}  // namespace serverconf::testing
