#pragma once
// Reading one device's answers on a socket that others may answer on too:
// only the device's own address counts, and a probe "X" is repeated until
// that address answers, because a lost datagram is noticed by nobody else.

#include "channel/command_channel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace serverconf {

// How often a probe "X" is sent, kAfterProbeMs apart, before the device
// counts as not answering.
inline constexpr int kProbeAttempts = 3;

// Reads the waiting datagrams, a bounded number of them so that a flood
// cannot hold the caller, until one from one of `senders` arrives, and
// returns it; the others are dropped (logged).
std::optional<Datagram> readFrom(CommandChannel& socket, const QStringList& senders);

// Drops every datagram already waiting (a bounded number), so that an
// answer to an earlier request cannot be taken for the next one.
void discardWaiting(CommandChannel& socket);

// Probes `address` from `socket`: waiting datagrams dropped, then "X" and
// kAfterProbeMs, up to kProbeAttempts times, until `address` itself
// answers. False when it never did.
bool probeAnswers(CommandChannel& socket, const QString& address);

}  // namespace serverconf
