#pragma once
// The read-back after a write or a factory reset: the device protocol has
// no acknowledgements, so the values sent are read back and compared, and
// those that did not take are sent again.

#include "device/device_parameters.h"
#include "device/device_route.h"
#include "parameter_write.h"

#include "channel/network_environment.h"

#include <QList>
#include <QSet>
#include <QStringList>

namespace serverconf {

// Rounds of sending again what did not take, after the first read-back.
inline constexpr int kResendRounds = 2;

// What a set exchange sent: the values, the get tags of the parameters it
// set (kIpGetTag for "SIP") in set order, the tag its "SIP" carried and the
// local port it was sent from (the read-back uses the same).
struct SentValues {
    DeviceParameters values;
    QList<int> getTags;
    int ipSetTag = 0;
    quint16 localPort = 0;

    // The address "SIP" gave the device; empty when none was sent.
    QString newAddress() const { return getTags.contains(kIpGetTag) ? values.ipAddress : QString(); }
};

// What the write sent: the 19 values but `leftOut`, and `newAddress` with
// "SIP" unless the IP tag is left out.
SentValues sentByWrite(const DeviceParameters& parameters, const QString& newAddress, const QSet<int>& leftOut,
                       const DeviceRoute& route);
// What the factory defaults sent on `route`.
SentValues sentByFactoryDefaults(const DeviceRoute& route);

struct WriteVerification {
    // Get tags whose value was read back different or not at all after
    // every round: the values that did not take.
    QList<int> notTaken;
    int resendRounds = 0;   // rounds that sent values again
    bool ipResent = false;  // "SIP" was sent again: the device may move only now
    bool verified() const { return notTaken.isEmpty(); }
};

// How the device is reached after it was given `newAddress` (empty: none):
// a unicast route stays as it is when the address stays, and moves to the
// new address when that is on this computer's network; otherwise the
// device is named by `macAddress`.
DeviceRoute routeAfterChange(NetworkEnvironment& environment, const DeviceRoute& before, const QString& macAddress,
                             const QString& newAddress);

// Where the read-back of a set exchange finds the device.
struct ReadBack {
    DeviceRoute route;         // its route after the change
    QStringList replySenders;  // its address before the change and the new one
    SentValues sent;
};

// The read-back of `sent`, sent on `readRoute` to the device of the row at
// `rowAddress` with `macAddress`.
ReadBack readBackOf(NetworkEnvironment& environment, const DeviceRoute& readRoute, const QString& rowAddress,
                    const QString& macAddress, const SentValues& sent);

// Reads the sent values back from their local port on the read-back's
// route, compares each with hasTaken, and sends those that did not take
// again ("W"+MAC on a broadcast route, "L", their set requests, "E",
// 500 ms), reading back after each, up to kResendRounds times.
WriteVerification verifySentValues(NetworkEnvironment& environment, const ReadBack& readBack);

}  // namespace serverconf
