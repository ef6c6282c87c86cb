#include "address_settings.h"

#include "channel_log.h"
#include "same_network.h"

#include <QCoreApplication>

#include <cstdio>

namespace serverconf {
namespace {

// The address of a dotted text, its numbers read as decimal ("010" is 10).
QHostAddress dottedHostAddress(const QString& text) {
    QStringList numbers;
    for (const QString& part : text.split(u'.')) numbers << QString::number(part.toInt());
    return QHostAddress(numbers.join(u'.'));
}

}  // namespace

AddressSettings AddressSettings::fromTexts(const QString& broadcast, const QString& localAddress,
                                           QStringList& warnings) {
    AddressSettings settings;
    if (!broadcast.isEmpty()) {
        if (isDottedAddress(broadcast)) {
            settings.broadcastOverride = dottedHostAddress(broadcast);
        } else {
            warnings << QStringLiteral(
                            "SERVERCONF_BROADCAST=%1 is not a dotted IPv4 address, ignored: "
                            "requests are broadcast to 255.255.255.255")
                            .arg(broadcast);
        }
    }
    if (!localAddress.isEmpty()) {
        if (isDottedAddress(localAddress)) {
            settings.localAddressOverride = localAddress;
        } else {
            warnings << QStringLiteral(
                            "SERVERCONF_LOCAL_ADDRESS=%1 is not a dotted IPv4 address, ignored: "
                            "this computer's address is looked up")
                            .arg(localAddress);
        }
    }
    return settings;
}

AddressSettings AddressSettings::fromEnvironment() {
    QStringList warnings;
    const AddressSettings settings = fromTexts(qEnvironmentVariable("SERVERCONF_BROADCAST").trimmed(),
                                               qEnvironmentVariable("SERVERCONF_LOCAL_ADDRESS").trimmed(), warnings);
    for (const QString& warning : warnings) {
        qCDebug(lcChannel) << warning;
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(warning));
    }
    return settings;
}

}  // namespace serverconf
