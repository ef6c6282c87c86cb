#include "device_discovery.h"

#include "discovery_log.h"
#include "search_reply_row.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"
#include "params/request_texts.h"

namespace serverconf {

DeviceDiscovery::DeviceDiscovery(NetworkEnvironment& environment, DeviceListModel& list, DeviceSession& session,
                                 QObject* parent)
    : QObject(parent), environment_(environment), list_(list), session_(session), socket_(environment.createChannel()) {
    connect(socket_.get(), &CommandChannel::datagramWaiting, this, &DeviceDiscovery::takeReplies);
}

DeviceDiscovery::~DeviceDiscovery() = default;

void DeviceDiscovery::beginSearch() {
    list_.clear();
    socket_->open(kAnyLocalPort);
    socket_->allowBroadcast();
    socket_->send(searchRequest(), Destination::broadcast());
}

bool DeviceDiscovery::finishSearch() {
    takeReplies();
    session_.clearForNewSearch();
    if (list_.rowCount() == 0) qCDebug(lcDiscovery) << "no device answered the search";
    return list_.rowCount() > 0;
}

void DeviceDiscovery::refreshList() {
    list_.clear();
    if (socket_->localPort() == 0) {
        // Only reached when no search ran before; the refresh then needs a
        // socket of its own to broadcast from.
        qCDebug(lcDiscovery) << "list refresh before any search: opening the discovery socket";
        socket_->open(kAnyLocalPort);
        socket_->allowBroadcast();
    }
    socket_->send(searchRequest(), Destination::broadcast());
}

void DeviceDiscovery::takeReplies() {
    if (!socket_->hasWaitingDatagram()) return;
    // One look-up for the whole burst: the addresses do not change between
    // two replies of one search.
    const QStringList localAddresses = environment_.localAddresses();
    while (socket_->hasWaitingDatagram()) {
        const std::optional<Datagram> reply = socket_->readOne();
        if (!reply) continue;
        if (!isSearchReply(reply->text)) {
            qCDebug(lcDiscovery) << "not a search reply, no row:" << reply->senderAddress << reply->text.left(32);
            continue;
        }
        DeviceEntry row = searchReplyRow(reply->text, reply->senderAddress,
                                         isOnAnyLocalNetwork(localAddresses, reply->senderAddress));
        row.interfaceName = reply->arrivalInterface;
        list_.append(row);
    }
}

quint16 DeviceDiscovery::localPort() const { return socket_->localPort(); }

}  // namespace serverconf
