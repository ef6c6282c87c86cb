#include "device_list_model.h"

#include "channel/same_network.h"
#include "device/device_targets.h"
#include "parameter_operations/value_comparison.h"

#include <algorithm>
#include <array>

namespace serverconf {
namespace {

struct ColumnLayout {
    const char* heading;  // before translation
    int width;
};

constexpr std::array<ColumnLayout, DeviceListModel::ColumnCount> kColumns{{
    {QT_TRANSLATE_NOOP("serverconf::DeviceListModel", "状  态"), 60},
    {QT_TRANSLATE_NOOP("serverconf::DeviceListModel", "MAC地址"), 100},
    {QT_TRANSLATE_NOOP("serverconf::DeviceListModel", "使用者/设备名"), 100},
    {QT_TRANSLATE_NOOP("serverconf::DeviceListModel", "设备IP"), 100},
}};

}  // namespace

QString DeviceListModel::heading(int column) {
    if (column < 0 || column >= ColumnCount) return {};
    return tr(kColumns[column].heading);
}

int DeviceListModel::columnWidth(int column) {
    if (column < 0 || column >= ColumnCount) return 0;
    return kColumns[column].width;
}

DeviceListModel::Placement DeviceListModel::place(const DeviceEntry& entry, NewRowAt at) {
    for (int row = 0; row < entries_.size(); ++row) {
        const DeviceEntry& listed = entries_[row];
        if (listed.macAddress != entry.macAddress || listed.deviceAddress != entry.deviceAddress ||
            listed.interfaceName != entry.interfaceName)
            continue;
        // A device that answered a broadcast too counts as found by broadcast.
        const bool foundByUnicast = listed.foundByUnicast && entry.foundByUnicast;
        const bool addressConflict = listed.addressConflict;
        entries_[row] = entry;
        entries_[row].foundByUnicast = foundByUnicast;
        entries_[row].addressConflict = addressConflict;
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        return Placement::Updated;
    }
    if (entries_.size() >= kMaxRows) return Placement::ListFull;
    const int newRow = at == NewRowAt::Top ? 0 : static_cast<int>(entries_.size());
    insertEntry(newRow, entry);
    markConflictsAt(newRow);
    return Placement::Added;
}

void DeviceListModel::markConflictsAt(int newRow) {
    // Only the rows at the new row's address can change their mark: all of
    // them conflict once one of them has another MAC than the new row.
    const DeviceEntry& added = entries_[newRow];
    QList<int> rows;
    bool anotherMac = false;
    for (int row = 0; row < entries_.size(); ++row) {
        if (row == newRow || entries_[row].deviceAddress != added.deviceAddress) continue;
        rows << row;
        anotherMac = anotherMac || !isSameListedMac(entries_[row].macAddress, added.macAddress);
    }
    if (!anotherMac) return;
    rows << newRow;
    for (const int row : std::as_const(rows)) {
        if (entries_[row].addressConflict) continue;
        entries_[row].addressConflict = true;
        emit dataChanged(index(row, StatusColumn), index(row, StatusColumn));
    }
}

void DeviceListModel::insertEntry(int row, const DeviceEntry& entry) {
    beginInsertRows({}, row, row);
    entries_.insert(row, entry);
    endInsertRows();
}

void DeviceListModel::clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

int DeviceListModel::findByAddress(const QString& address) const {
    for (int row = 0; row < entries_.size(); ++row) {
        if (entries_[row].deviceAddress == address) return row;
    }
    return -1;
}

bool DeviceListModel::listsDeviceAt(const QString& macAddress, const QString& address) const {
    return std::any_of(entries_.cbegin(), entries_.cend(), [&](const DeviceEntry& entry) {
        return isSameMacAddress(entry.macAddress, macAddress) && isSameAddress(entry.deviceAddress, address);
    });
}

QStringList DeviceListModel::otherDevicesAt(const DeviceEntry& device, const QString& address) const {
    if (isSameAddress(address, device.deviceAddress)) return {};
    const auto held = std::find_if(entries_.cbegin(), entries_.cend(), [&](const DeviceEntry& entry) {
        return isSameAddress(entry.deviceAddress, address);
    });
    // The rows' addresses are the senders' dotted texts, alike for one address.
    return held == entries_.cend() ? QStringList() : macAddressesAt(entries_, held->deviceAddress, device.macAddress);
}

int DeviceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int DeviceListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant DeviceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= entries_.size()) return {};
    const DeviceEntry& entry = entries_[index.row()];
    if (role == SameNetworkRole) return entry.sameNetwork;
    if (role == AddressConflictRole) return entry.addressConflict;
    if (role == FoundByUnicastRole) return entry.foundByUnicast;
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case MacColumn: return entry.macAddress;
        case NameColumn: return entry.userAndDeviceName;
        case AddressColumn: return entry.deviceAddress;
        default: return QString();
    }
}

QVariant DeviceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return heading(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

}  // namespace serverconf
