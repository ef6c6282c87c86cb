#include "local_host_address.h"

#include "channel_log.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

namespace serverconf {
namespace {

bool isIpv4(const QString& text) {
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv4Protocol;
}

bool isLoopback(const QString& text) { return QHostAddress(text).isLoopback(); }

QString lastIpv4(const QStringList& addresses, bool skipLoopback) {
    for (auto it = addresses.crbegin(); it != addresses.crend(); ++it) {
        if (isIpv4(*it) && !(skipLoopback && isLoopback(*it))) return *it;
    }
    return {};
}

QStringList texts(const QList<QHostAddress>& addresses) {
    QStringList result;
    for (const QHostAddress& address : addresses) result << address.toString();
    return result;
}

}  // namespace

QString chooseLocalHostAddress(const QStringList& resolvedAddresses, const QStringList& interfaceAddresses) {
    // The host name's addresses count only when one of them is not loopback
    // (on Linux the name usually resolves to 127.0.1.1 alone).
    if (!lastIpv4(resolvedAddresses, true).isEmpty()) return lastIpv4(resolvedAddresses, false);
    return lastIpv4(interfaceAddresses, true);
}

QString systemLocalHostAddress() {
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError) {
        qCDebug(lcChannel) << "host name lookup failed:" << info.errorString();
    }
    const QString chosen = chooseLocalHostAddress(texts(info.addresses()), texts(QNetworkInterface::allAddresses()));
    if (chosen.isEmpty()) qCDebug(lcChannel) << "no IPv4 address: every device is on another network";
    return chosen;
}

}  // namespace serverconf
