#pragma once
// The addresses a range search probes, from what the user typed:
// "FIRST-LAST" or "ADDRESS/PREFIX". Pure functions.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace serverconf {

// Most addresses one range search probes (a /20 without its network and
// broadcast addresses fits), so that a typing slip cannot flood a network.
inline constexpr int kMaxRangeAddresses = 4096;

// The dotted addresses of `range`, ascending: FIRST-LAST with both ends
// (FIRST not above LAST), or ADDRESS/PREFIX (0-32) without the network and
// broadcast addresses of a prefix up to /30. Nothing, with the reason in
// `error`, for anything else or for more than kMaxRangeAddresses addresses.
std::optional<QStringList> rangeAddresses(const QString& range, QString& error);

// The addresses of several ranges, ascending and each once; the cap holds
// for them together.
std::optional<QStringList> rangesAddresses(const QStringList& ranges, QString& error);

// The dotted addresses from `first` to `last`, as rangeAddresses does for
// "FIRST-LAST" (an empty `last`: `first` alone).
std::optional<QStringList> addressesFromTo(const QString& first, const QString& last, QString& error);

}  // namespace serverconf
