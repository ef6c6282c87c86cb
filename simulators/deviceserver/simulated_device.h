#pragma once
// One simulated device server as a state machine without I/O: a request in,
// the replies to send (with their delays) and notes for the log out.

#include "device_description.h"
#include "device_request.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <random>

namespace devicesim {

// Faults a device can be told to commit. A reply is named by what it
// answers: "X" for the search reply (broadcast search or probe), or the get
// tag as text ("3" for the reply to "GFE|3").
struct DeviceFaults {
    QSet<QString> drop;             // never sent
    QHash<QString, int> delayMs;    // sent that much later
    QSet<QString> duplicate;        // sent twice
    QSet<QString> oversize;         // padded to 256 bytes
    QSet<QString> oneByte;          // cut to its first byte
    QString late;                   // held until the next request arrives (once)
    bool noProbeAnswer = false;     // a unicast "X" gets no answer
    QHash<QString, int> loseFirst;  // the first N of these replies are lost, later ones sent
    int lossPercent = 0;            // every reply is lost with this chance (0..100)
    int requestLossPercent = 0;     // every request is lost on its way in with this chance (0..100)
    unsigned lossSeed = 1;          // seed of both losses: the same seed loses the same datagrams
    // Set requests of these codes are not taken: the first N of them, or
    // every one for kIgnoreAlways.
    QHash<QString, int> ignoreSet;
    // The MAC text the search reply carries instead of the device's own, as
    // when another device answered a search at this address; empty: its own.
    QString searchMac;
};

inline constexpr int kIgnoreAlways = -1;

struct DeviceConfig {
    QString address;      // 127.x.y.z, or on a private segment any IPv4 address
    DeviceValues values;  // FE (MAC), ON, DN, ... (IP = address unless given)
    DeviceFaults faults;
    // Replies go to the broadcast address (at the sender's port) instead of
    // the sender, as some devices answer a computer outside their subnet.
    bool answersByBroadcast = false;
    // No broadcast reaches the device, as for one behind a router: it acts
    // on unicast requests only.
    bool hearsNoBroadcast = false;
};

inline constexpr int kOversizeReplyBytes = 256;

struct OutgoingReply {
    QByteArray text;
    int delayMs = 0;
};

struct Outcome {
    QList<OutgoingReply> replies;
    QStringList notes;
    // Set when "E" or "E|35" applied a new loopback address: the device
    // should answer from it from now on (see moveTo).
    std::optional<QString> newAddress;
};

class SimulatedDevice {
public:
    explicit SimulatedDevice(DeviceConfig config);

    // `broadcast`: the request came to the broadcast address. Broadcasts
    // other than "X" and "B" concern the device only after "W" named it.
    Outcome handle(const DeviceRequest& request, bool broadcast);

    // The address the device answers from.
    const QString& address() const { return config_.address; }
    void moveTo(const QString& address) { config_.address = address; }
    const DeviceValues& values() const { return config_.values; }
    bool answersByBroadcast() const { return config_.answersByBroadcast; }
    // The search reply: "A" + MAC + "/" + 6 + "*" + 7 + user + "/" + device name.
    QByteArray searchReply() const;

private:
    bool concerns(const DeviceRequest& request, bool broadcast) const;
    void addReply(Outcome& outcome, const QString& name, QByteArray text);
    void apply(Outcome& outcome);

    bool losesAtRandom(std::minstd_rand& draws, int percent);
    bool ignoresSet(const QString& code, Outcome& outcome);

    DeviceConfig config_;
    std::minstd_rand lossDraws_;
    std::minstd_rand requestLossDraws_;
    QHash<QString, int> ignored_;  // set requests ignored so far, by code
    QHash<QString, int> lost_;     // replies lost so far by loseFirst, by name
    bool selected_ = false;
    bool lateUsed_ = false;
    std::optional<OutgoingReply> heldReply_;
    QHash<QString, QString> staged_;  // code -> value, applied at "E"
};

// True for a dotted IPv4 address (four numbers 0..255, no leading zeros).
bool isIpv4Address(const QString& address);
// True for a dotted address in 127.0.0.0/8.
bool isLoopbackAddress(const QString& address);

}  // namespace devicesim
