#include "udp_environment.h"

#include "channel_log.h"
#include "local_host_address.h"
#include "udp_command_channel.h"

namespace serverconf {

UdpEnvironment::UdpEnvironment(AddressSettings settings, QStringList interfaceNames)
    : settings_(std::move(settings)), interfaceNames_(std::move(interfaceNames)) {}

std::unique_ptr<CommandChannel> UdpEnvironment::createChannel() {
    return std::make_unique<UdpCommandChannel>(pacer_, [this] { return plan(); });
}

QList<ListedInterface> UdpEnvironment::interfaces() const {
    if (settings_.replacesInterfaces()) return {};
    QString unknownName;
    const QList<ListedInterface> chosen = chooseInterfaces(systemInterfaces(), interfaceNames_, unknownName);
    if (!unknownName.isEmpty()) qCDebug(lcChannel) << "interface" << unknownName << "is no longer listed";
    return chosen;
}

NetworkPlan UdpEnvironment::plan() const {
    if (!settings_.replacesInterfaces()) return NetworkPlan::fromInterfaces(interfaces());
    const QString local =
        settings_.localAddressOverride.isEmpty() ? systemLocalHostAddress() : settings_.localAddressOverride;
    return NetworkPlan::fromAddresses(settings_.broadcastOverride.value_or(QHostAddress(QHostAddress::Broadcast)),
                                      local);
}

}  // namespace serverconf
