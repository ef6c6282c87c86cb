#include "interface_listing.h"

namespace serverconf {

QString interfaceListing(const QList<ListedInterface>& interfaces) {
    QString lines;
    for (const ListedInterface& interface : interfaces) {
        for (const InterfaceAddress& entry : interface.addresses) {
            lines += QStringLiteral("%1\t%2/%3\t%4\n")
                         .arg(interface.name, entry.address.toString())
                         .arg(entry.prefixLength)
                         .arg(entry.broadcast.isNull() ? QStringLiteral("-") : entry.broadcast.toString());
        }
    }
    return lines;
}

}  // namespace serverconf
