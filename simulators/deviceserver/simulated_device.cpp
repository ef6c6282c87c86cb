#include "simulated_device.h"

#include "wire_text.h"

#include <QHostAddress>

namespace devicesim {
namespace {

constexpr char kSearchReplyName[] = "X";

}  // namespace

bool isIpv4Address(const QString& address) {
    QHostAddress parsed;
    return parsed.setAddress(address) && parsed.protocol() == QAbstractSocket::IPv4Protocol &&
           parsed.toString() == address;
}

bool isLoopbackAddress(const QString& address) { return isIpv4Address(address) && QHostAddress(address).isLoopback(); }

SimulatedDevice::SimulatedDevice(DeviceConfig config)
    // Requests draw from a sequence of their own, so asking for request
    // losses leaves the pattern of reply losses of a seed as it is.
    : config_(std::move(config)),
      lossDraws_(config_.faults.lossSeed),
      requestLossDraws_(config_.faults.lossSeed ^ 0x5bd1e995u) {
    if (config_.values.value(QStringLiteral("IP")).isEmpty()) {
        config_.values.insert(QStringLiteral("IP"), config_.address);
    }
}

QByteArray SimulatedDevice::searchReply() const {
    const DeviceValues& v = config_.values;
    const QString& mac = config_.faults.searchMac.isEmpty() ? v.value(QStringLiteral("FE")) : config_.faults.searchMac;
    return "A" + toWireText(mac) + "/V1.0.0*0000000" + toWireText(v.value(QStringLiteral("ON"))) + "/" +
           toWireText(v.value(QStringLiteral("DN")));
}

void SimulatedDevice::addReply(Outcome& outcome, const QString& name, QByteArray text) {
    const DeviceFaults& faults = config_.faults;
    if (faults.drop.contains(name)) {
        outcome.notes << QStringLiteral("reply %1 dropped").arg(name);
        return;
    }
    if (lost_.value(name) < faults.loseFirst.value(name)) {
        ++lost_[name];
        outcome.notes
            << QStringLiteral("reply %1 lost (%2 of %3)").arg(name).arg(lost_[name]).arg(faults.loseFirst[name]);
        return;
    }
    if (losesAtRandom(lossDraws_, faults.lossPercent)) {
        outcome.notes << QStringLiteral("reply %1 lost at random").arg(name);
        return;
    }
    if (faults.oversize.contains(name)) text = text.leftJustified(kOversizeReplyBytes, ' ');
    if (faults.oneByte.contains(name)) text = text.left(1);
    const OutgoingReply reply{text, faults.delayMs.value(name, 0)};
    if (!lateUsed_ && faults.late == name) {
        lateUsed_ = true;
        heldReply_ = reply;
        outcome.notes << QStringLiteral("reply %1 held for the next request").arg(name);
        return;
    }
    outcome.replies << reply;
    if (faults.duplicate.contains(name)) outcome.replies << reply;
}

// One draw per datagram while losses are asked for, so a seed gives the same
// losses for the same requests.
bool SimulatedDevice::losesAtRandom(std::minstd_rand& draws, int percent) {
    return percent > 0 && static_cast<int>(draws() % 100) < percent;
}

bool SimulatedDevice::ignoresSet(const QString& code, Outcome& outcome) {
    const auto limit = config_.faults.ignoreSet.constFind(code);
    if (limit == config_.faults.ignoreSet.cend()) return false;
    if (*limit == kIgnoreAlways) {
        outcome.notes << QStringLiteral("set %1 ignored").arg(code);
        return true;
    }
    if (ignored_.value(code) >= *limit) return false;
    ++ignored_[code];
    outcome.notes << QStringLiteral("set %1 ignored (%2 of %3)").arg(code).arg(ignored_[code]).arg(*limit);
    return true;
}

void SimulatedDevice::apply(Outcome& outcome) {
    for (auto it = staged_.cbegin(); it != staged_.cend(); ++it) config_.values.insert(it.key(), it.value());
    const auto newIp = staged_.constFind(QStringLiteral("IP"));
    if (newIp != staged_.cend() && *newIp != config_.address) {
        if (isLoopbackAddress(*newIp)) {
            outcome.newAddress = *newIp;
        } else {
            outcome.notes << QStringLiteral("address %1 is outside loopback: keeps answering from %2")
                                 .arg(*newIp, config_.address);
        }
    }
    outcome.notes << QStringLiteral("applied %1 values").arg(staged_.size());
    staged_.clear();
}

bool SimulatedDevice::concerns(const DeviceRequest& request, bool broadcast) const {
    using Kind = DeviceRequest::Kind;
    return !broadcast || selected_ || request.kind == Kind::Search || request.kind == Kind::SelectByMac ||
           request.kind == Kind::Confirm;
}

Outcome SimulatedDevice::handle(const DeviceRequest& request, bool broadcast) {
    Outcome outcome;
    if (broadcast && config_.hearsNoBroadcast) {
        outcome.notes << QStringLiteral("broadcast not heard");
        return outcome;
    }
    if (!concerns(request, broadcast)) return outcome;
    if (losesAtRandom(requestLossDraws_, config_.faults.requestLossPercent)) {
        outcome.notes << QStringLiteral("request lost at random");
        return outcome;
    }
    // A held reply goes out as the answer to whatever request comes next,
    // ahead of that request's own reply.
    std::optional<OutgoingReply> previouslyHeld = std::exchange(heldReply_, std::nullopt);
    using Kind = DeviceRequest::Kind;
    switch (request.kind) {
        case Kind::Search:
            if (!broadcast && config_.faults.noProbeAnswer) {
                outcome.notes << QStringLiteral("probe not answered");
            } else {
                addReply(outcome, QString::fromLatin1(kSearchReplyName), searchReply());
            }
            break;
        case Kind::SelectByMac:
            selected_ = request.text == config_.values.value(QStringLiteral("FE"));
            if (selected_) outcome.notes << QStringLiteral("named by its MAC");
            break;
        case Kind::Confirm: outcome.notes << QStringLiteral("confirmed"); break;
        case Kind::Open: staged_.clear(); break;
        case Kind::Get: {
            addReply(outcome, QString::number(request.tag),
                     toWireText(config_.values.value(request.code)) + '|' + QByteArray::number(request.tag));
            break;
        }
        case Kind::Set:
            if (ignoresSet(request.code, outcome)) break;
            staged_.insert(request.code, request.text);
            outcome.notes << QStringLiteral("staged %1=%2").arg(request.code, request.text);
            break;
        case Kind::End:
        case Kind::EndChangeIp:
            apply(outcome);
            selected_ = false;
            break;
        case Kind::Unknown: outcome.notes << QStringLiteral("not understood: %1").arg(request.error); break;
    }
    if (previouslyHeld) outcome.replies.prepend(*previouslyHeld);
    return outcome;
}

}  // namespace devicesim
