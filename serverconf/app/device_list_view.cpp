#include "app/device_list_view.h"

#include "app/window_images.h"
#include "messages/user_messages.h"

#include <QHeaderView>

namespace serverconf {

QVariant StatusImageProxy::data(const QModelIndex& index, int role) const {
    if (role == Qt::DecorationRole && index.column() == DeviceListModel::StatusColumn) {
        const QVariant sameNetwork = QIdentityProxyModel::data(index, DeviceListModel::SameNetworkRole);
        if (QIdentityProxyModel::data(index, DeviceListModel::AddressConflictRole).toBool()) return statusImage(2);
        if (sameNetwork.isValid()) return statusImage(sameNetwork.toBool() ? 1 : 0);
    }
    if (role == Qt::ToolTipRole) {
        QStringList marks;
        if (QIdentityProxyModel::data(index, DeviceListModel::AddressConflictRole).toBool())
            marks << userMessage(kAddressConflictTooltip);
        if (QIdentityProxyModel::data(index, DeviceListModel::FoundByUnicastRole).toBool())
            marks << userMessage(kFoundByUnicastTooltip);
        if (!marks.isEmpty()) return marks.join(u'\n');
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QIdentityProxyModel::data(index, role);
}

void RowItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
}

QTableView* createDeviceListView(DeviceListModel& devices, QWidget* parent) {
    auto* view = new QTableView(parent);
    auto* proxy = new StatusImageProxy(view);
    proxy->setSourceModel(&devices);
    view->setModel(proxy);
    view->setItemDelegate(new RowItemDelegate(view));
    view->setShowGrid(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->setIconSize(QSize(16, 16));
    view->setCornerButtonEnabled(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(qMax(18, view->fontMetrics().height() + 2));
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsMovable(true);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);
    // A column is as wide as the layout says, or wider where its heading
    // needs it (a translated heading may be longer).
    const int headingMargins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int column = 0; column < DeviceListModel::ColumnCount; ++column) {
        const int headingWidth =
            header->fontMetrics().horizontalAdvance(DeviceListModel::heading(column)) + headingMargins;
        header->resizeSection(column, qMax(DeviceListModel::columnWidth(column), headingWidth));
    }
    return view;
}

}  // namespace serverconf
