#include "cli_arguments.h"

#include "channel/same_network.h"

#include <QHash>

namespace serverconf {
namespace {

using Command = CliArguments::Command;

struct CommandForm {
    Command command;
    int addresses;  // positional addresses after the command
};

const QHash<QString, CommandForm>& commandForms() {
    static const QHash<QString, CommandForm> forms{
        {"search", {Command::Search, 0}}, {"locate", {Command::Locate, 1}}, {"read", {Command::Read, 1}},
        {"write", {Command::Write, 1}},   {"reset", {Command::Reset, 1}},   {"change-ip", {Command::ChangeIp, 2}},
        {"confirm", {Command::Confirm, 1}},  {"interfaces", {Command::Interfaces, 0}},
    };
    return forms;
}

// False, with the reason, when an address argument is not a dotted IPv4
// address: no row could have it, and the device operations would only search.
bool isAddressArgument(const QString& text, const char* role, QString& error) {
    if (isDottedAddress(text)) return true;
    error = QStringLiteral("the %1 %2 is not a dotted IPv4 address").arg(QLatin1StringView(role), text);
    return false;
}

// Takes the value of an option such as "--save FILE"; false when it is missing.
bool takeValue(const QStringList& arguments, qsizetype& index, QString& into) {
    if (index + 1 >= arguments.size()) return false;
    into = arguments[++index];
    return true;
}

}  // namespace

QString cliUsage() {
    return QStringLiteral(
        "usage: serverconf-cli [--wait MS] [--interface NAME]... COMMAND\n"
        "       serverconf-cli --help\n"
        "  search                                 list the device servers that answer\n"
        "  locate IP                              targeted search for IP\n"
        "  read IP [--save FILE]                  read the 21 parameters\n"
        "  write IP [--load FILE] [CODE=VALUE...] read, change and write the parameters\n"
        "  reset IP                               restore the factory defaults\n"
        "  change-ip IP NEWIP                     give the device a new address\n"
        "  confirm IP                             send the confirmation\n"
        "  interfaces                             list the interfaces in use: name, address/prefix, broadcast\n"
        "--interface NAME (repeatable) keeps every command to the interfaces named.\n");
}

std::optional<CliArguments> parseCliArguments(const QStringList& arguments, QString& error) {
    CliArguments parsed;
    QStringList positional;
    bool sawWait = false;
    bool sawSave = false;
    bool sawLoad = false;
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
                error = QStringLiteral("--wait needs a number of milliseconds");
                return std::nullopt;
            }
            sawWait = true;
        } else if (argument == u"--save" || argument == u"--load") {
            const bool save = argument == u"--save";
            bool& seen = save ? sawSave : sawLoad;
            QString& into = save ? parsed.saveFile : parsed.loadFile;
            if (seen || !takeValue(arguments, i, into) || into.isEmpty()) {
                error = QStringLiteral("%1 needs one file name").arg(argument);
                return std::nullopt;
            }
            seen = true;
        } else if (argument == u"--interface") {
            QString name;
            if (!takeValue(arguments, i, name) || name.isEmpty()) {
                error = QStringLiteral("--interface needs an interface name");
                return std::nullopt;
            }
            if (!parsed.interfaces.contains(name)) parsed.interfaces << name;
        } else if (argument.startsWith(u"--")) {
            error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        } else {
            positional << argument;
        }
    }
    if (positional.isEmpty() || !commandForms().contains(positional[0])) {
        error = positional.isEmpty() ? QStringLiteral("no command") : QStringLiteral("unknown command %1").arg(positional[0]);
        return std::nullopt;
    }
    const CommandForm form = commandForms().value(positional.takeFirst());
    parsed.command = form.command;
    if (positional.size() < form.addresses) {
        error = QStringLiteral("missing address");
        return std::nullopt;
    }
    if (form.addresses >= 1) {
        parsed.deviceAddress = positional.takeFirst();
        if (!isAddressArgument(parsed.deviceAddress, "address", error)) return std::nullopt;
    }
    if (form.addresses == 2) {
        parsed.newAddress = positional.takeFirst();
        if (!isAddressArgument(parsed.newAddress, "new address", error)) return std::nullopt;
    }
    for (const QString& rest : positional) {
        const qsizetype equals = rest.indexOf(u'=');
        if (parsed.command != Command::Write || equals <= 0) {
            error = QStringLiteral("unexpected argument %1").arg(rest);
            return std::nullopt;
        }
        const QString code = rest.left(equals);
        const QString value = rest.mid(equals + 1);
        // The new address goes out with "SIP": a malformed one would strand the device.
        if (code == u"IP" && !isAddressArgument(value, "IP value", error)) return std::nullopt;
        parsed.typedValues.append({code, value});
    }
    if ((sawSave && parsed.command != Command::Read) || (sawLoad && parsed.command != Command::Write)) {
        error = QStringLiteral("--save belongs to read, --load to write");
        return std::nullopt;
    }
    return parsed;
}

}  // namespace serverconf
