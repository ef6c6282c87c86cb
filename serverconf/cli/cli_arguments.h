#pragma once
// The command line of serverconf-cli, parsed without side effects.
//
//   serverconf-cli --help | -h
// Every form also takes --jobs N (devices worked on at once).
//   serverconf-cli [--wait MS] [--json] search [--range FIRST-LAST|ADDRESS/PREFIX]...
//   serverconf-cli [--wait MS] [--json] locate IP
//   serverconf-cli [--wait MS] [--json] read IP... [--save FILE | --save-dir DIR]
//   serverconf-cli [--wait MS] [--json] read --all [--save-dir DIR]
//   serverconf-cli [--wait MS] [--json] [--no-verify] write IP... [--load FILE] [CODE=VALUE ...]
//   serverconf-cli [--wait MS] [--json] [--no-verify] reset IP...
//   serverconf-cli [--wait MS] [--json] change-ip IP NEWIP
//   serverconf-cli [--wait MS] [--json] confirm IP...
//   serverconf-cli [--wait MS] [--json] assign-ip FIRST [MAC...] [--dry-run]
//   serverconf-cli [--json] interfaces
// --interface NAME (repeatable) keeps every command to those interfaces;
// --lang zh|en sets the language of the run's texts.

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace serverconf {

inline constexpr int kDefaultJobs = 64;

struct CliArguments {
    Q_DECLARE_TR_FUNCTIONS(CliArguments)

public:
    enum class Command { Search, Locate, Read, Write, Reset, ChangeIp, Confirm, AssignIp, Interfaces };
    Command command = Command::Search;
    // The IP columns (or MACs) of the rows to work on, in the order given,
    // each once; assign-ip: the MACs named.
    QStringList deviceAddresses;
    bool allDevices = false;                     // read --all: every row the search lists
    QString newAddress;                          // change-ip; assign-ip: the first address given
    QString saveFile;                            // read --save
    QString saveDirectory;                       // read --save-dir: one <MAC>.ds file per device
    QString loadFile;                            // write --load
    QList<QPair<QString, QString>> typedValues;  // write CODE=VALUE, in order
    // How long replies are awaited after a search or list refresh, as long
    // as the progress window stands in the window.
    int waitMs = 1000;
    // How many devices are worked on at once (--jobs); 1 keeps the fixed
    // local ports of the operations, more use ports the system chooses.
    int jobs = kDefaultJobs;
    bool help = false;       // --help or -h: the usage, nothing else
    bool json = false;       // --json: one JSON document on standard output
    bool verify = true;      // write, reset: read the values back (--no-verify: not)
    bool dryRun = false;     // assign-ip --dry-run: the plan only, nothing sent to the devices
    QStringList interfaces;  // --interface names; empty: every interface in use
    QStringList ranges;      // search --range: address ranges also probed by unicast

    // The command works on a list of devices and reports one line per device
    // (several addresses, --all, or backups into a folder).
    bool reportsPerDevice() const { return allDevices || deviceAddresses.size() > 1 || !saveDirectory.isEmpty(); }
};

inline constexpr int kUsageExitCode = 2;

// The arguments after the program name; nothing, with the reason in
// `error`, when they do not fit the interface.
std::optional<CliArguments> parseCliArguments(const QStringList& arguments, QString& error);

QString cliUsage();

}  // namespace serverconf
