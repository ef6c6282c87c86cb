#include "any_port_environment.h"

#include "channel_log.h"
#include "channel_ports.h"

namespace serverconf {
namespace {

// A channel of the wrapped environment that binds a port of the system's
// choosing in place of the one asked for.
class AnyPortChannel final : public CommandChannel {
public:
    AnyPortChannel(Pacer& pacer, std::unique_ptr<CommandChannel> inner)
        : CommandChannel(pacer), inner_(std::move(inner)) {
        connect(inner_.get(), &CommandChannel::datagramWaiting, this, &CommandChannel::datagramWaiting);
    }

    bool open(quint16 localPort) override {
        const bool opened = inner_->open(kAnyLocalPort);
        if (localPort != kAnyLocalPort)
            qCDebug(lcChannel) << "port" << localPort << "asked for, opened on" << inner_->localPort();
        return opened;
    }
    void allowBroadcast() override { inner_->allowBroadcast(); }
    qint64 send(const QByteArray& text, const Destination& destination) override {
        return inner_->send(text, destination);
    }
    bool hasWaitingDatagram() const override { return inner_->hasWaitingDatagram(); }
    std::optional<Datagram> readOne() override { return inner_->readOne(); }
    void close() override { inner_->close(); }
    quint16 localPort() const override { return inner_->localPort(); }

private:
    std::unique_ptr<CommandChannel> inner_;
};

}  // namespace

AnyPortEnvironment::AnyPortEnvironment(NetworkEnvironment& inner)
    : inner_(inner), localAddresses_(inner.localAddresses()) {}

std::unique_ptr<CommandChannel> AnyPortEnvironment::createChannel() {
    return std::make_unique<AnyPortChannel>(inner_.pacer(), inner_.createChannel());
}

}  // namespace serverconf
