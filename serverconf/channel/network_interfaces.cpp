#include "network_interfaces.h"

#include "channel_log.h"

#include <QNetworkInterface>

#include <algorithm>

namespace serverconf {

QList<ListedInterface> usableInterfaces(const QList<InterfaceFacts>& interfaces) {
    QList<ListedInterface> usable;
    for (const InterfaceFacts& facts : interfaces) {
        if (!facts.up || facts.loopback || !facts.canBroadcast) continue;
        ListedInterface listed{facts.name, facts.index, {}};
        for (const InterfaceAddress& entry : facts.addresses) {
            if (entry.address.protocol() == QAbstractSocket::IPv4Protocol) listed.addresses << entry;
        }
        if (!listed.addresses.isEmpty()) usable << listed;
    }
    return usable;
}

QList<ListedInterface> chooseInterfaces(const QList<ListedInterface>& interfaces, const QStringList& names,
                                        QString& unknownName) {
    for (const QString& name : names) {
        const bool listed = std::any_of(interfaces.cbegin(), interfaces.cend(),
                                        [&](const ListedInterface& entry) { return entry.name == name; });
        if (!listed) {
            unknownName = name;
            return {};
        }
    }
    QList<ListedInterface> chosen;
    for (const ListedInterface& entry : interfaces) {
        if (names.isEmpty() || names.contains(entry.name)) chosen << entry;
    }
    return chosen;
}

QList<ListedInterface> systemInterfaces() {
    QList<InterfaceFacts> facts;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        InterfaceFacts entry{interface.name(),
                             static_cast<uint>(qMax(interface.index(), 0)),
                             flags.testFlag(QNetworkInterface::IsUp),
                             flags.testFlag(QNetworkInterface::IsLoopBack),
                             flags.testFlag(QNetworkInterface::CanBroadcast),
                             {}};
        for (const QNetworkAddressEntry& address : interface.addressEntries()) {
            entry.addresses << InterfaceAddress{address.ip(), address.prefixLength(), address.broadcast()};
        }
        facts << entry;
    }
    const QList<ListedInterface> usable = usableInterfaces(facts);
    if (usable.isEmpty()) qCDebug(lcChannel) << "no interface is up with an IPv4 address and broadcasts";
    return usable;
}

}  // namespace serverconf
