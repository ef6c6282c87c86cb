#pragma once
// The real network environment: QUdpSocket channels, sleeping pacer, and
// this computer's address from the settings or the system.

#include "address_settings.h"
#include "network_environment.h"

namespace serverconf {

class UdpEnvironment final : public NetworkEnvironment {
public:
    explicit UdpEnvironment(AddressSettings settings = AddressSettings::fromEnvironment());

    std::unique_ptr<CommandChannel> createChannel() override;
    Pacer& pacer() override { return pacer_; }
    QString localHostAddress() override;

    const AddressSettings& settings() const { return settings_; }

private:
    AddressSettings settings_;
    SleepingPacer pacer_;
};

}  // namespace serverconf
