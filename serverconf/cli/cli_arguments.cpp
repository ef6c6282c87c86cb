#include "cli_arguments.h"
#include "typed_values.h"

#include "device/device_targets.h"
#include "discovery/address_range.h"

#include "channel/same_network.h"
#include "language/language_choice.h"
#include "parameter_operations/value_checks.h"

#include <QHash>

namespace serverconf {
namespace {

using Command = CliArguments::Command;

// Addresses after the command: a fixed number, one or more, or one
// address followed by any number of MACs.
constexpr int kOneOrMore = -1;
constexpr int kAddressThenMacs = -2;

struct CommandForm {
    Command command;
    int addresses;  // positional addresses after the command, or kOneOrMore
};

const QHash<QString, CommandForm>& commandForms() {
    static const QHash<QString, CommandForm> forms{
        {"search", {Command::Search, 0}},
        {"locate", {Command::Locate, 1}},
        {"read", {Command::Read, kOneOrMore}},
        {"write", {Command::Write, kOneOrMore}},
        {"reset", {Command::Reset, kOneOrMore}},
        {"change-ip", {Command::ChangeIp, 2}},
        {"confirm", {Command::Confirm, kOneOrMore}},
        {"assign-ip", {Command::AssignIp, kAddressThenMacs}},
        {"interfaces", {Command::Interfaces, 0}},
    };
    return forms;
}

// False, with the reason, when an address argument is not a dotted IPv4
// address: no row could have it, and the device operations would only search.
bool isAddressArgument(const QString& text, const char* role, QString& error) {
    if (isDottedAddress(text)) return true;
    error = CliArguments::tr("the %1 %2 is not a dotted IPv4 address").arg(QLatin1StringView(role), text);
    return false;
}

// As isAddressArgument, or a MAC address (either case, with or without
// separators): the device is then the listed one of that MAC.
bool isDeviceArgument(const QString& text, QString& error) {
    if (!macAddressKey(text).isEmpty()) return true;
    if (isDottedAddress(text)) return true;
    error = CliArguments::tr("the device %1 is neither a dotted IPv4 address nor a MAC address").arg(text);
    return false;
}

// The first address of assign-ip: one a device can take, below the
// broadcast address of its /24 and above its network address.
bool isFirstAddress(const QString& text, QString& error) {
    if (!isAddressArgument(text, "first address", error)) return false;
    const int lastNumber = text.section(u'.', 3).toInt();
    if (!valueFault(QStringLiteral("IP"), text) && lastNumber >= 1 && lastNumber <= 254) return true;
    error = CliArguments::tr("the first address %1 is not one a device can take (x.x.x.1 to x.x.x.254)").arg(text);
    return false;
}

// The MACs of assign-ip: the device at a shared address has no other name.
bool takeMacAddresses(QStringList& positional, CliArguments& parsed, QString& error) {
    QStringList keys;
    while (!positional.isEmpty() && !positional.first().contains(u'=')) {
        const QString mac = positional.takeFirst();
        const QString key = macAddressKey(mac);
        if (key.isEmpty()) {
            error = CliArguments::tr("the device %1 is not a MAC address").arg(mac);
            return false;
        }
        if (keys.contains(key)) {
            error = CliArguments::tr("the address %1 is given twice").arg(mac);
            return false;
        }
        keys << key;
        parsed.deviceAddresses << mac;
    }
    return true;
}

// Takes the value of an option such as "--save FILE"; false when it is missing.
bool takeValue(const QStringList& arguments, qsizetype& index, QString& into) {
    if (index + 1 >= arguments.size()) return false;
    into = arguments[++index];
    return true;
}

// An option that names one file or folder and may be given once.
struct PathOption {
    const char* name;
    QString CliArguments::*into;
};

constexpr PathOption kPathOptions[] = {
    {"--save", &CliArguments::saveFile},
    {"--save-dir", &CliArguments::saveDirectory},
    {"--load", &CliArguments::loadFile},
};

const PathOption* pathOption(const QString& argument) {
    for (const PathOption& option : kPathOptions) {
        if (argument == QLatin1StringView(option.name)) return &option;
    }
    return nullptr;
}

// The device addresses of a command that takes one or more of them: every
// positional argument up to the first CODE=VALUE.
bool takeDeviceAddresses(QStringList& positional, CliArguments& parsed, QString& error) {
    while (!positional.isEmpty() && !positional.first().contains(u'=')) {
        const QString address = positional.takeFirst();
        if (!isDeviceArgument(address, error)) return false;
        if (parsed.deviceAddresses.contains(address)) {
            error = CliArguments::tr("the address %1 is given twice").arg(address);
            return false;
        }
        parsed.deviceAddresses << address;
    }
    return true;
}

// The options that belong to some commands only, and their combinations.
bool optionsFitCommand(const CliArguments& parsed, QString& error) {
    const bool read = parsed.command == Command::Read;
    if ((!parsed.saveFile.isEmpty() || !parsed.saveDirectory.isEmpty() || parsed.allDevices) && !read) {
        error = CliArguments::tr("--save, --save-dir and --all belong to read");
    } else if (!parsed.loadFile.isEmpty() && parsed.command != Command::Write) {
        error = CliArguments::tr("--load belongs to write");
    } else if (!parsed.saveFile.isEmpty() && (!parsed.saveDirectory.isEmpty() || parsed.reportsPerDevice())) {
        error = CliArguments::tr("--save names the file of one device; use --save-dir for several");
    } else if (parsed.allDevices && !parsed.deviceAddresses.isEmpty()) {
        error = CliArguments::tr("--all takes no addresses");
    } else if (!parsed.verify && parsed.command != Command::Write && parsed.command != Command::Reset) {
        error = CliArguments::tr("--no-verify belongs to write and reset");
    } else if (parsed.dryRun && parsed.command != Command::AssignIp) {
        error = CliArguments::tr("--dry-run belongs to assign-ip");
    } else if (!parsed.ranges.isEmpty() && parsed.command != Command::Search) {
        error = CliArguments::tr("--range belongs to search");
    } else if (!parsed.ranges.isEmpty() && !rangesAddresses(parsed.ranges, error)) {
        // `error` names the range.
    } else {
        return true;
    }
    return false;
}

}  // namespace

QString cliUsage() {
    return CliArguments::tr(
        "usage: serverconf-cli [--wait MS] [--jobs N] [--interface NAME]... [--json] [--no-verify] [--lang zh|en]\n"
        "                      COMMAND\n"
        "       serverconf-cli --help\n"
        "  search [--range FIRST-LAST|ADDRESS/PREFIX]...\n"
        "                                             list the device servers that answer; each range\n"
        "                                             (at most 4096 addresses) is also probed by unicast\n"
        "  locate IP                                  targeted search for IP\n"
        "  read IP... [--save FILE | --save-dir DIR]  read the 21 parameters\n"
        "  read --all [--save-dir DIR]                read every device the search lists\n"
        "  write IP... [--load FILE] [CODE=VALUE...]  read, change and write the parameters\n"
        "  reset IP...                                restore the factory defaults\n"
        "  change-ip IP NEWIP                         give the device a new address\n"
        "  confirm IP...                              send the confirmation\n"
        "  assign-ip FIRST [MAC...] [--dry-run]       give each device named (default: every device\n"
        "                                             sharing its address or at 192.168.1.24) the next\n"
        "                                             free address from FIRST on, in MAC order\n"
        "  interfaces                                 list the interfaces in use: name, address/prefix, broadcast\n"
        "One search serves every IP of a command; then up to N devices (--jobs,\n"
        "default 64) are worked on at once, each on sockets of its own, and those\n"
        "reached by broadcast one at a time after them. --jobs 1 works on one device\n"
        "at a time on the fixed local ports; more jobs use ports the system chooses.\n"
        "--save-dir saves each device read as DIR/<MAC>.ds. --json prints one\n"
        "JSON document. --interface NAME (repeatable) keeps every command to the\n"
        "interfaces named. write and reset read the values back and send again\n"
        "what did not take; --no-verify skips that. --lang sets the language of the\n"
        "texts (else SERVERCONF_LANG, the language chosen in the window, the locale).\n"
        "A device IP may also be given as its MAC address (00:11:22:33:44:55 or\n"
        "001122334455): the one way to name a device whose IP another device holds.\n"
        "A device IP the search did not list is probed by unicast before the command\n"
        "gives up on it (a device behind a router hears no broadcast).\n");
}

std::optional<CliArguments> parseCliArguments(const QStringList& arguments, QString& error) {
    CliArguments parsed;
    QStringList positional;
    bool sawWait = false;
    bool sawJobs = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--help" || argument == u"-h") {
            CliArguments help;
            help.help = true;
            return help;
        }
        if (argument == u"--wait") {
            QString text;
            bool ok = false;
            if (!sawWait && takeValue(arguments, i, text)) parsed.waitMs = text.toInt(&ok);
            if (!ok || parsed.waitMs < 0) {
                error = CliArguments::tr("--wait needs a number of milliseconds");
                return std::nullopt;
            }
            sawWait = true;
        } else if (argument == u"--jobs") {
            QString text;
            bool ok = false;
            if (!sawJobs && takeValue(arguments, i, text)) parsed.jobs = text.toInt(&ok);
            if (!ok || parsed.jobs < 1) {
                error = CliArguments::tr("--jobs needs a number of devices, at least 1");
                return std::nullopt;
            }
            sawJobs = true;
        } else if (const PathOption* option = pathOption(argument)) {
            QString& into = parsed.*option->into;
            const bool seen = !into.isEmpty();
            if (seen || !takeValue(arguments, i, into) || into.isEmpty()) {
                error = CliArguments::tr("%1 needs one name").arg(argument);
                return std::nullopt;
            }
        } else if (argument == u"--interface") {
            QString name;
            if (!takeValue(arguments, i, name) || name.isEmpty()) {
                error = CliArguments::tr("--interface needs an interface name");
                return std::nullopt;
            }
            if (!parsed.interfaces.contains(name)) parsed.interfaces << name;
        } else if (argument == u"--range") {
            QString range;
            if (!takeValue(arguments, i, range) || range.isEmpty()) {
                error = CliArguments::tr("--range needs FIRST-LAST or ADDRESS/PREFIX");
                return std::nullopt;
            }
            parsed.ranges << range;
        } else if (argument == u"--lang") {
            // Taken before parsing (the errors here are already in the run's language); only checked here.
            QString code;
            if (!takeValue(arguments, i, code) || !languageFromCode(code)) {
                error = CliArguments::tr("--lang takes zh or en");
                return std::nullopt;
            }
        } else if (argument == u"--json") {
            parsed.json = true;
        } else if (argument == u"--no-verify") {
            parsed.verify = false;
        } else if (argument == u"--dry-run") {
            parsed.dryRun = true;
        } else if (argument == u"--all") {
            parsed.allDevices = true;
        } else if (argument.startsWith(u"--")) {
            error = CliArguments::tr("unknown option %1").arg(argument);
            return std::nullopt;
        } else {
            positional << argument;
        }
    }
    if (positional.isEmpty() || !commandForms().contains(positional[0])) {
        error = positional.isEmpty() ? CliArguments::tr("no command")
                                     : CliArguments::tr("unknown command %1").arg(positional[0]);
        return std::nullopt;
    }
    const CommandForm form = commandForms().value(positional.takeFirst());
    parsed.command = form.command;
    if (form.addresses == kAddressThenMacs) {
        if (positional.isEmpty()) {
            error = CliArguments::tr("missing address");
            return std::nullopt;
        }
        parsed.newAddress = positional.takeFirst();
        if (!isFirstAddress(parsed.newAddress, error) || !takeMacAddresses(positional, parsed, error))
            return std::nullopt;
    } else if (form.addresses == kOneOrMore) {
        if (!takeDeviceAddresses(positional, parsed, error)) return std::nullopt;
        if (parsed.deviceAddresses.isEmpty() && !(parsed.allDevices && parsed.command == Command::Read)) {
            error = CliArguments::tr("missing address");
            return std::nullopt;
        }
    } else {
        if (positional.size() < form.addresses) {
            error = CliArguments::tr("missing address");
            return std::nullopt;
        }
        if (form.addresses >= 1) {
            parsed.deviceAddresses << positional.takeFirst();
            const bool takesMac = parsed.command != Command::Locate;
            if (takesMac ? !isDeviceArgument(parsed.deviceAddresses.first(), error)
                         : !isAddressArgument(parsed.deviceAddresses.first(), "address", error))
                return std::nullopt;
        }
        if (form.addresses == 2) {
            parsed.newAddress = positional.takeFirst();
            if (!isAddressArgument(parsed.newAddress, "new address", error)) return std::nullopt;
            // An address the device could not be reached at would strand it.
            if (const std::optional<ValueFault> fault = valueFault(QStringLiteral("IP"), parsed.newAddress)) {
                error = valueFaultText(QStringLiteral("IP"), parsed.newAddress, *fault);
                return std::nullopt;
            }
        }
    }
    for (const QString& rest : positional) {
        const qsizetype equals = rest.indexOf(u'=');
        if (parsed.command != Command::Write || equals <= 0) {
            error = CliArguments::tr("unexpected argument %1").arg(rest);
            return std::nullopt;
        }
        const QString code = rest.left(equals);
        const QString value = rest.mid(equals + 1);
        if (code == u"IP") {
            // Every device given the one address would collide on it.
            if (parsed.deviceAddresses.size() > 1) {
                error = CliArguments::tr("IP= cannot be written to several devices: each keeps its own address");
                return std::nullopt;
            }
            // The new address goes out with "SIP": a malformed one would strand the device.
            if (!isAddressArgument(value, "IP value", error)) return std::nullopt;
        }
        parsed.typedValues.append({code, value});
    }
    if (!optionsFitCommand(parsed, error)) return std::nullopt;
    return parsed;
}

}  // namespace serverconf
