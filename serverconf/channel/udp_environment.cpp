#include "udp_environment.h"

#include "local_host_address.h"
#include "udp_command_channel.h"

namespace serverconf {

UdpEnvironment::UdpEnvironment(AddressSettings settings) : settings_(std::move(settings)) {}

std::unique_ptr<CommandChannel> UdpEnvironment::createChannel() {
    return std::make_unique<UdpCommandChannel>(pacer_, settings_.broadcastAddress);
}

QString UdpEnvironment::localHostAddress() {
    if (!settings_.localAddressOverride.isEmpty()) return settings_.localAddressOverride;
    return systemLocalHostAddress();
}

}  // namespace serverconf
