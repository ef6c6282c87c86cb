#include "device_discovery.h"

#include "discovery_log.h"
#include "search_reply_row.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"
#include "params/request_texts.h"

#include <QTimer>

namespace serverconf {

DeviceDiscovery::DeviceDiscovery(NetworkEnvironment& environment, DeviceListModel& list, DeviceSession& session,
                                 QObject* parent)
    : QObject(parent), environment_(environment), list_(list), session_(session), socket_(environment.createChannel()) {
    connect(socket_.get(), &CommandChannel::datagramWaiting, this, &DeviceDiscovery::takeReplies);
}

DeviceDiscovery::~DeviceDiscovery() = default;

namespace {

// Replies read after the window, in the final look of finishSearch: those
// that arrived while the caller's wait ended.
constexpr int kGraceMs = 100;

}  // namespace

void DeviceDiscovery::openWindow(int windowMs) {
    list_.clear();
    beyondFullList_ = 0;
    windowMs_ = windowMs;
    windowClock_.start();
    const int number = ++windowNumber_;
    for (const int atMs : searchSendTimes(windowMs)) {
        const auto send = [this, number] {
            if (number == windowNumber_) socket_->send(searchRequest(), Destination::broadcast());
        };
        if (atMs == 0) {
            send();
        } else {
            QTimer::singleShot(atMs, this, send);
        }
    }
}

void DeviceDiscovery::beginSearch(int windowMs) {
    socket_->open(kAnyLocalPort);
    socket_->allowBroadcast();
    openWindow(windowMs);
}

bool DeviceDiscovery::finishSearch() {
    takeReplies();
    session_.clearForNewSearch();
    if (list_.rowCount() == 0) qCDebug(lcDiscovery) << "no device answered the search";
    return list_.rowCount() > 0;
}

void DeviceDiscovery::refreshList() {
    if (socket_->localPort() == 0) {
        // Only reached when no search ran before; the refresh then needs a
        // socket of its own to broadcast from.
        qCDebug(lcDiscovery) << "list refresh before any search: opening the discovery socket";
        socket_->open(kAnyLocalPort);
        socket_->allowBroadcast();
    }
    openWindow(kSearchWindowMs);
}

void DeviceDiscovery::takeReplies() {
    if (!socket_->hasWaitingDatagram()) return;
    const auto windowOpen = [this] { return windowClock_.isValid() && windowClock_.elapsed() < windowMs_ + kGraceMs; };
    if (!windowOpen()) {
        qCDebug(lcDiscovery) << "reply after the search window: not read";
        return;
    }
    // One look-up for the whole burst: the addresses do not change between
    // two replies of one search.
    const QStringList localAddresses = environment_.localAddresses();
    while (socket_->hasWaitingDatagram() && windowOpen()) {
        const std::optional<Datagram> reply = socket_->readOne();
        if (!reply) continue;
        if (!isSearchReply(reply->text)) {
            qCDebug(lcDiscovery) << "not a search reply, no row:" << reply->senderAddress << reply->text.left(32);
            continue;
        }
        DeviceEntry row = searchReplyRow(reply->text, reply->senderAddress,
                                         isOnAnyLocalNetwork(localAddresses, reply->senderAddress));
        row.interfaceName = reply->arrivalInterface;
        if (list_.place(row) == DeviceListModel::Placement::ListFull && beyondFullList_++ == 0)
            qCDebug(lcDiscovery) << "the list holds" << DeviceListModel::kMaxRows << "rows: further devices not listed";
    }
}

quint16 DeviceDiscovery::localPort() const { return socket_->localPort(); }

}  // namespace serverconf
