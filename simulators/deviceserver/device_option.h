#pragma once
// Device descriptions of the command line and the config file, as pure
// functions. One device is one comma-separated list of key=value items:
//
//   addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1,BR=7,drop=3+X
//
// addr (required; within 127.0.0.0/8 unless devicesim runs on a private
// segment, see private_segment.h); mac (default: the address's four
// numbers as 3-digit groups); user, name (the ON and DN values); any
// parameter code (ON, DN, IP, PN, BR, ...) = its value; faults: drop=R+R,
// delay=R:ms+R:ms, dup=R+R, oversize=R+R, short=R+R, late=R, noprobe,
// lose=R:times+R:times, loss=percent, reqloss=percent, seed=n,
// ignore=CODE:times+CODE (set requests not taken: the first N, or all),
// searchmac=text (the MAC the search reply carries instead of its own),
// where R is X (the search reply) or a get tag 1..21; bcast: replies go out
// by broadcast; routed: broadcasts never reach the device (it sits behind a
// router), it answers unicast requests only. Parameters not given keep their factory values; IP defaults
// to addr.

#include "simulated_device.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace devicesim {

// The device described by `option`, or nothing with the reason in `error`.
std::optional<DeviceConfig> parseDeviceOption(const QString& option, QString& error);

// One device option of a config file and the number of its line (from 1).
struct DeviceOptionLine {
    int lineNumber = 0;
    QString option;
    bool operator==(const DeviceOptionLine&) const = default;
};

// The device lines of a config file: one device option per line; blank lines and
// lines starting with "#" are skipped.
QList<DeviceOptionLine> deviceOptionLines(const QString& fileText);

}  // namespace devicesim
