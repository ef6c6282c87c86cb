#include "send_recording_environment.h"

namespace serverconf::testing {
namespace {

class RecordedChannel final : public CommandChannel {
public:
    RecordedChannel(std::unique_ptr<CommandChannel> real, Pacer& pacer, QStringList& sends)
        : CommandChannel(pacer), real_(std::move(real)), sends_(sends) {
        connect(real_.get(), &CommandChannel::datagramWaiting, this, &CommandChannel::datagramWaiting);
    }

    bool open(quint16 localPort) override { return real_->open(localPort); }
    void allowBroadcast() override { real_->allowBroadcast(); }
    qint64 send(const QByteArray& text, const Destination& destination) override {
        sends_ << QString::fromLatin1(text) + QStringLiteral(" > ") +
                      (destination.isBroadcast ? QStringLiteral("*") : destination.address);
        return real_->send(text, destination);
    }
    bool hasWaitingDatagram() const override { return real_->hasWaitingDatagram(); }
    std::optional<Datagram> readOne() override { return real_->readOne(); }
    void close() override { real_->close(); }
    quint16 localPort() const override { return real_->localPort(); }

private:
    std::unique_ptr<CommandChannel> real_;
    QStringList& sends_;
};

}  // namespace

std::unique_ptr<CommandChannel> SendRecordingEnvironment::createChannel() {
    return std::make_unique<RecordedChannel>(real_.createChannel(), real_.pacer(), sends_);
}

}  // namespace serverconf::testing
