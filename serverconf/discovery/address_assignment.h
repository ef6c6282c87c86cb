#pragma once
// Commissioning of boxed devices: which listed device gets which new
// address. Devices out of the box all sit at the factory address, so each
// is given an address of its own, named by its MAC. Pure: what answers a
// probe comes from the caller.

#include "device/device_entry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace serverconf {

struct AddressAssignment {
    DeviceEntry row;  // the device as listed (its old address in deviceAddress)
    QString newAddress;

    bool operator==(const AddressAssignment&) const = default;
};

struct AddressPlan {
    enum class Outcome {
        Planned,            // `assignments`, in MAC order (empty: no device needs an address)
        NotListed,          // `names`: the MACs asked for that no row has
        SeveralInterfaces,  // `names`: the MAC, then the interfaces it is listed on
        PastEnd,            // the free addresses run out after .254; `names`: the MACs left without one
    };
    Outcome outcome = Outcome::Planned;
    QList<AddressAssignment> assignments;
    QStringList names;
};

// The devices of `namedMacs` (MAC texts in either case, with or without
// separators), or when none are named every row whose address another
// device holds or that sits at the factory address, take the addresses
// from `firstAddress` on, in ascending MAC order. An address is passed over
// when a listed row holds it or `isTaken` says so (this computer's own, or
// one that answers a probe); `isTaken` is asked only of addresses the plan
// would otherwise give, in ascending order. The addresses end at .254 of
// `firstAddress`'s /24. Rows heard on an interface outside `interfaces` do
// not count, unless `interfaces` is empty.
AddressPlan planAddresses(const QList<DeviceEntry>& rows, const QString& firstAddress, const QStringList& namedMacs,
                          const QStringList& interfaces, const std::function<bool(const QString&)>& isTaken);

}  // namespace serverconf
