#pragma once
// The environment of exchanges that run side by side, each on sockets of
// its own: every channel opens on a port the system chooses, whatever fixed
// port the operation asks for (two exchanges can never share a port, and a
// device answers the port its request came from), and this computer's
// addresses are taken once, before the exchanges start, so that the worker
// threads only read them. Sockets and pauses are the wrapped environment's.

#include "network_environment.h"

namespace serverconf {

class AnyPortEnvironment final : public NetworkEnvironment {
public:
    // Takes `inner`'s local addresses now; `inner` must outlive this.
    explicit AnyPortEnvironment(NetworkEnvironment& inner);

    // Safe from any thread, as long as `inner`'s createChannel is.
    std::unique_ptr<CommandChannel> createChannel() override;
    Pacer& pacer() override { return inner_.pacer(); }
    QStringList localAddresses() override { return localAddresses_; }

private:
    NetworkEnvironment& inner_;
    const QStringList localAddresses_;
};

}  // namespace serverconf
