#include "address_settings.h"

#include "channel_log.h"

namespace serverconf {

AddressSettings AddressSettings::fromEnvironment() {
    AddressSettings settings;
    const QString broadcast = qEnvironmentVariable("SERVERCONF_BROADCAST").trimmed();
    if (!broadcast.isEmpty()) {
        QHostAddress address;
        if (address.setAddress(broadcast) && address.protocol() == QAbstractSocket::IPv4Protocol) {
            settings.broadcastAddress = address;
        } else {
            qCDebug(lcChannel) << "SERVERCONF_BROADCAST is not an IPv4 address, ignored:" << broadcast;
        }
    }
    settings.localAddressOverride = qEnvironmentVariable("SERVERCONF_LOCAL_ADDRESS").trimmed();
    return settings;
}

}  // namespace serverconf
