#pragma once
// The device list: the only store of discovered devices, shown by the
// window as a four-column table. Column 0 has no text; SameNetworkRole
// tells whether the device is on this computer's network, so the view can
// pick the status image.

#include "device/device_entry.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace serverconf {

class DeviceListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { StatusColumn = 0, MacColumn = 1, NameColumn = 2, AddressColumn = 3, ColumnCount = 4 };
    static constexpr int SameNetworkRole = Qt::UserRole + 1;
    // DeviceEntry::addressConflict and DeviceEntry::foundByUnicast of the row.
    static constexpr int AddressConflictRole = Qt::UserRole + 2;
    static constexpr int FoundByUnicastRole = Qt::UserRole + 3;

    using QAbstractTableModel::QAbstractTableModel;

    // Headings "状  态", "MAC地址", "使用者/设备名", "设备IP" in the run's
    // language, and the column widths in pixels (60, 100, 100, 100).
    static QString heading(int column);
    static int columnWidth(int column);

    // A device is listed once per MAC address, address and interface (the
    // same MAC on two segments is two rows): its row keeps the place of its
    // first answer and shows its latest. At most kMaxRows rows. Rows whose
    // address another device holds are marked (addressConflict).
    static constexpr int kMaxRows = 4096;
    enum class Placement { Added, Updated, ListFull };
    // A new device's row goes to the end of the list, or to its top.
    enum class NewRowAt { End, Top };
    Placement place(const DeviceEntry& entry, NewRowAt at = NewRowAt::End);
    void clear();

    const DeviceEntry& entry(int row) const { return entries_.at(row); }
    const QList<DeviceEntry>& entries() const { return entries_; }
    // The first row whose address column is `address`, or -1.
    int findByAddress(const QString& address) const;
    // A row shows the device of `macAddress` (isSameMacAddress) at `address`
    // (the same four numbers): where a change of IP must find it.
    bool listsDeviceAt(const QString& macAddress, const QString& address) const;
    // The MAC texts of the devices listed at `address` (the same four
    // numbers) other than the device of `device`, each once, in list order:
    // the devices that giving `device` this address would put beside it.
    // Empty for the device's own present address (it makes no new
    // conflict) and for a text that is no dotted address.
    QStringList otherDevicesAt(const DeviceEntry& device, const QString& address) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void insertEntry(int row, const DeviceEntry& entry);
    // Marks the rows at the address of the row just added at `newRow`
    // (addressConflict) when they hold more than one MAC.
    void markConflictsAt(int newRow);

    QList<DeviceEntry> entries_;
};

}  // namespace serverconf
