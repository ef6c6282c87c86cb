#pragma once
// The command line of serverconf-cli, parsed without side effects.
//
//   serverconf-cli --help | -h
//   serverconf-cli [--wait MS] search
//   serverconf-cli [--wait MS] locate IP
//   serverconf-cli [--wait MS] read IP [--save FILE]
//   serverconf-cli [--wait MS] write IP [--load FILE] [CODE=VALUE ...]
//   serverconf-cli [--wait MS] reset IP
//   serverconf-cli [--wait MS] change-ip IP NEWIP
//   serverconf-cli [--wait MS] confirm IP
//   serverconf-cli interfaces
// --interface NAME (repeatable) keeps every command to those interfaces.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace serverconf {

struct CliArguments {
    enum class Command { Search, Locate, Read, Write, Reset, ChangeIp, Confirm, Interfaces };
    Command command = Command::Search;
    QString deviceAddress;  // the IP column of the row to work on
    QString newAddress;     // change-ip
    QString saveFile;       // read --save
    QString loadFile;       // write --load
    QList<QPair<QString, QString>> typedValues;  // write CODE=VALUE, in order
    // How long replies are awaited after a search or list refresh, as long
    // as the progress window stands in the window.
    int waitMs = 1000;
    bool help = false;  // --help or -h: the usage, nothing else
    QStringList interfaces;  // --interface names; empty: every interface in use
};

inline constexpr int kUsageExitCode = 2;

// The arguments after the program name; nothing, with the reason in
// `error`, when they do not fit the interface.
std::optional<CliArguments> parseCliArguments(const QStringList& arguments, QString& error);

QString cliUsage();

}  // namespace serverconf
