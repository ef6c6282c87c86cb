#pragma once
// The read-out of all 21 parameters of the device on one list row (the
// window's Settings command without its dialog): a probe or the naming "W",
// then "L" and the 21 get requests, each followed by a 50 ms wait and one
// read on the window socket, stored by the tag each reply names; then up to
// kRetryRounds more rounds for the values whose replies were lost.

#include "device/device_parameters.h"
#include "device/device_route.h"

#include "channel/command_channel.h"
#include "channel/network_environment.h"
#include "device/device_entry.h"

#include <QList>

#include <functional>

namespace serverconf {

// What one read of a get reply did.
struct ReplyReceipt {
    enum class Kind {
        NoDatagram,  // nothing waiting (or an oversize datagram, dropped): nothing stored
        TooShort,    // under 2 bytes: nothing stored, the user is told
        Ignored,     // names no parameter
        Stored,
    };
    Kind kind = Kind::NoDatagram;
    int getTag = 0;  // Stored: the tag whose value was stored
};

// Waits 50 ms, reads one datagram from one of `deviceAddresses` on
// `windowSocket` without blocking, parses it and stores its value in
// `parameters`. Datagrams from other senders waiting before it are dropped
// (and logged): only the device being read sets its values.
ReplyReceipt receiveParameterReply(NetworkEnvironment& environment, CommandChannel& windowSocket,
                                   const QStringList& deviceAddresses, DeviceParameters& parameters);

// Rounds of get requests after the first, each for the values still missing.
inline constexpr int kRetryRounds = 3;

enum class ReadOutOutcome {
    NoDeviceSelected,  // nothing sent
    NotConnected,      // no MAC address read: no dialog
    WrongDevice,       // the MAC address read is not the row's: another device answered; no dialog
    Read,              // the row's MAC address arrived: open the property dialog on session.parameters
};

struct ReadOutResult {
    ReadOutOutcome outcome = ReadOutOutcome::NoDeviceSelected;
    // How the device was reached (outcome Read only; unknown otherwise):
    // the write and the factory defaults of its dialog take this route.
    DeviceRoute route;
    int shortReplies = 0;    // replies under 2 bytes met on the way
    QList<int> retriedTags;  // get tags asked again, their first reply lost
    QList<int> missingTags;  // get tags still without a value after every round: not read
};

// What the get rounds of one exchange brought.
struct ValueRounds {
    int shortReplies = 0;
    QList<int> retriedTags;
    QList<int> missingTags;
};

// The get rounds of one exchange on `channel` by `route`, replies taken from
// `replySenders` only (a device that may have moved answers from its old or
// its new address): the opening ("W"+MAC, 100 ms, "L", 10 ms on a
// broadcast route; "L" on a unicast one) and one read, a get request and one
// read for each of `getTags` in order, then up to kRetryRounds rounds for
// the tags still missing, in tag order (a broadcast route names the device
// and opens again before each, as a lost "W" would lose the whole round).
ValueRounds readValueRounds(NetworkEnvironment& environment, CommandChannel& channel, const DeviceRoute& route,
                            const QStringList& replySenders, const QList<int>& getTags, DeviceParameters& into,
                            const std::function<void()>& shortReplyNotice = {});

// Reads the parameters of `selectedRow` (nullptr: no row selected) into
// `session.parameters`, which is emptied first: nothing of a device read
// before can reach this device's dialog or its write, and only this
// device's MAC address can make the read-out succeed.
//
// Device reached by unicast (DeviceEntry::reachedByUnicast: on this
// computer's network or found by a unicast probe, and no other listed device
// at its address): the row's address probed from a probe
// socket on local port 3001 (probeAnswers: only that address counts); no
// answer ends the read-out there (NotConnected). Then "L" and
// "GON|1".."GNM|21" from `windowSocket` to that address. Otherwise:
// broadcasting allowed on `windowSocket`, "W"+row MAC, 100 ms, "L", 10 ms,
// then the get requests by broadcast on the interface the row was heard on
// (a route by that MAC and interface). After those 22 rounds, the retry
// rounds of readValueRounds. A MAC address read that is not the row's
// (isSameMacAddress) ends it as WrongDevice: the values are another
// device's and are emptied.
//
// `shortReplyNotice` runs for each reply under 2 bytes at the moment it is
// read (the window tells the user there); the read-out then goes on.
ReadOutResult readParameters(NetworkEnvironment& environment, CommandChannel& windowSocket,
                             const DeviceEntry* selectedRow, DeviceSession& session,
                             const std::function<void()>& shortReplyNotice = {});

}  // namespace serverconf
