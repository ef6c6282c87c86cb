#pragma once
// The sender's pauses held against the gaps between the datagrams devicesim
// logged. Only lower limits: a loaded machine may delay any send, so an upper
// limit here would flake; the exact pacing is asserted instantly against the
// recording fake of the network.

#include "datagram_log.h"

#include <QList>
#include <QStringList>

namespace devicesim {

// How much shorter than its pause a logged gap may be: the kernel stamps
// each arrival as it is sent on loopback, so only clock rounding is left.
inline constexpr double kPauseToleranceMs = 2;

// One line per gap shorter than its pause (the gap after records[i] against
// pausesMs[i]); empty when every pause was kept or when the counts differ
// (then a line saying so).
QStringList shortGaps(const QList<LogRecord>& records, const QList<int>& pausesMs);

}  // namespace devicesim
