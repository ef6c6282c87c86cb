#pragma once
// The simulator's log: one line per datagram received or sent and per
// notable event, so tests can assert on sequences, addressing and pauses.
//
//   <ms>\tin\t<sender ip:port>\t<broadcast | destination ip>\t<payload>
//   <ms>\tout\t<device ip:port>\t<receiver ip:port>\t<payload>
//   <ms>\tnote\t<device ip>\t-\t<text>
//
// <ms> is the monotonic clock (steady_clock, CLOCK_MONOTONIC on Linux) in
// milliseconds with three decimals, comparable between processes of one
// machine. Payload bytes outside printable ASCII, and the backslash, are
// written as \xNN.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace devicesim {

struct LogRecord {
    double timeMs = 0;
    QString direction;  // "in", "out" or "note"
    QString from;
    QString to;
    QByteArray payload;

    bool isBroadcast() const { return to == u"broadcast"; }
    // Address and port of `from` ("127.0.0.1:3001").
    QString fromAddress() const { return from.section(u':', 0, 0); }
    quint16 fromPort() const { return static_cast<quint16>(from.section(u':', 1, 1).toUInt()); }
};

// Milliseconds of the monotonic clock that the log uses.
double monotonicMs();

QByteArray escapePayload(const QByteArray& payload);
std::optional<QByteArray> unescapePayload(const QByteArray& text);

QByteArray formatLogRecord(const LogRecord& record);
std::optional<LogRecord> parseLogLine(const QByteArray& line);
// Every well-formed line of a log text, in order.
QList<LogRecord> parseLog(const QByteArray& text);

}  // namespace devicesim
