#pragma once
// What the device operations take from the outside world: datagram sockets,
// the protocol's fixed pauses and this computer's addresses. UdpEnvironment
// is the real one; unit tests substitute a recording fake that answers at
// once.

#include "command_channel.h"
#include "pacer.h"
#include "same_network.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace serverconf {

class NetworkEnvironment {
public:
    virtual ~NetworkEnvironment() = default;
    // A new, closed channel; its owner opens it on the port it needs.
    virtual std::unique_ptr<CommandChannel> createChannel() = 0;
    virtual Pacer& pacer() = 0;
    // This computer's dotted IPv4 addresses as the same-network test sees
    // them (one per address of each interface in use); empty when it has
    // none (every device is then on another network).
    virtual QStringList localAddresses() = 0;

    void pause(int milliseconds) { pacer().pause(milliseconds); }
    // The device shares the /24 of one of this computer's addresses.
    bool isOnLocalNetwork(const QString& deviceAddress) { return isOnAnyLocalNetwork(localAddresses(), deviceAddress); }
};

}  // namespace serverconf
