#pragma once
// The real network environment: QUdpSocket channels, sleeping pacer, and
// the network plan taken from the interfaces as they are at the moment it is
// asked for (or from the test variables, when set).

#include "address_settings.h"
#include "network_environment.h"
#include "network_plan.h"

#include <QStringList>

namespace serverconf {

class UdpEnvironment final : public NetworkEnvironment {
public:
    // `interfaceNames`: work on these interfaces only (all listed ones when
    // empty). The caller checks the names against interfaces() first.
    explicit UdpEnvironment(AddressSettings settings = AddressSettings::fromEnvironment(),
                            QStringList interfaceNames = {});

    std::unique_ptr<CommandChannel> createChannel() override;
    Pacer& pacer() override { return pacer_; }
    QStringList localAddresses() override { return plan().localAddresses; }

    // The interfaces in use; empty when the test variables replace them.
    QList<ListedInterface> interfaces() const;
    NetworkPlan plan() const;
    const AddressSettings& settings() const { return settings_; }

private:
    AddressSettings settings_;
    QStringList interfaceNames_;
    SleepingPacer pacer_;
};

}  // namespace serverconf
