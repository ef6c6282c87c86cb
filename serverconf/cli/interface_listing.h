#pragma once
// The lines of "serverconf-cli interfaces": one per address of each
// interface in use, "name<TAB>address/prefix<TAB>broadcast".

#include "channel/network_interfaces.h"

#include <QString>

namespace serverconf {

QString interfaceListing(const QList<ListedInterface>& interfaces);

}  // namespace serverconf
