#pragma once
// The real network with a record of every send: each channel of a
// UdpEnvironment is wrapped so that what the program asked it to send is
// written down before it goes out. "Nothing was sent" is then read from this
// record, not from a short wait on the simulator's log.

#include "channel/udp_environment.h"

#include <QStringList>

#include <memory>

namespace serverconf::testing {

class SendRecordingEnvironment final : public NetworkEnvironment {
public:
    std::unique_ptr<CommandChannel> createChannel() override;
    Pacer& pacer() override { return real_.pacer(); }
    QStringList localAddresses() override { return real_.localAddresses(); }

    // Every send so far as "payload > address" ("> *" for a broadcast).
    const QStringList& sends() const { return sends_; }

private:
    UdpEnvironment real_;
    QStringList sends_;
};

}  // namespace serverconf::testing
