#include "network_plan.h"

namespace serverconf {

NetworkPlan NetworkPlan::fromInterfaces(const QList<ListedInterface>& interfaces) {
    NetworkPlan plan;
    for (const ListedInterface& interface : interfaces) {
        plan.broadcastPaths << BroadcastPath{interface.name, interface.index, interface.addresses.first().address,
                                             QHostAddress(QHostAddress::Broadcast)};
        for (const InterfaceAddress& entry : interface.addresses) plan.localAddresses << entry.address.toString();
    }
    return plan;
}

NetworkPlan NetworkPlan::fromAddresses(const QHostAddress& broadcast, const QString& localAddress) {
    NetworkPlan plan;
    plan.broadcastPaths << BroadcastPath{QString(), 0, QHostAddress(), broadcast};
    if (!localAddress.isEmpty()) plan.localAddresses << localAddress;
    return plan;
}

QString NetworkPlan::interfaceNameOf(uint interfaceIndex) const {
    if (interfaceIndex == 0) return {};
    for (const BroadcastPath& path : broadcastPaths) {
        if (path.interfaceIndex == interfaceIndex) return path.interfaceName;
    }
    return {};
}

}  // namespace serverconf
