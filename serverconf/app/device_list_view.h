#pragma once
// The device list as the window shows it: a report view with grid lines,
// full-row selection of several rows, movable column headings, and the
// status image of each row drawn from the program's indicator pictures.

#include "discovery/device_list_model.h"

#include <QIdentityProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>

namespace serverconf {

// Shows a row's status image (0 or 1) as its indicator picture in the status column.
class StatusImageProxy final : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

// Draws rows without the focus frame around the current cell: selection is by whole rows.
class RowItemDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Creates the report view over `devices`, with the four columns at their widths.
QTableView* createDeviceListView(DeviceListModel& devices, QWidget* parent);

}  // namespace serverconf
