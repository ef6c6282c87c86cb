#include "device_window_support.h"

#include "app/device_manager_dialog.h"

#include <QItemSelectionModel>
#include <QTableView>

namespace serverconf::testing {

void selectRows(DeviceManagerDialog& window, std::initializer_list<int> rows) {
    QItemSelectionModel* selection = window.deviceList()->selectionModel();
    selection->clearSelection();
    for (int row : rows) {
        selection->select(window.deviceList()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

}  // namespace serverconf::testing
