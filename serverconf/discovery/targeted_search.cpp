#include "targeted_search.h"

#include "discovery_log.h"
#include "search_reply_row.h"
#include "search_schedule.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"
#include "params/request_texts.h"

namespace serverconf {

int runTargetedSearch(NetworkEnvironment& environment, DeviceListModel& list, const QString& targetAddress) {
    std::unique_ptr<CommandChannel> socket = environment.createChannel();
    socket->open(kTargetedSearchPort);
    socket->allowBroadcast();

    int added = 0;
    const QList<int> sendTimes = searchSendTimes(kSearchWindowMs);
    const QStringList localAddresses = environment.localAddresses();
    for (int elapsedMs = 0; elapsedMs < kSearchWindowMs; elapsedMs += kTargetedSearchStepMs) {
        if (sendTimes.contains(elapsedMs)) socket->send(searchRequest(), Destination::broadcast());
        environment.pause(kTargetedSearchStepMs);
        for (int attempt = 0; attempt < kTargetedSearchReadAttempts; ++attempt) {
            const std::optional<Datagram> reply = socket->readOne();
            // The match is on the text: the target as typed against the
            // sender's dotted form.
            if (!reply || reply->senderAddress != targetAddress || !isSearchReply(reply->text)) continue;
            DeviceEntry row = targetedSearchReplyRow(reply->text, reply->senderAddress,
                                                     isOnAnyLocalNetwork(localAddresses, reply->senderAddress));
            row.interfaceName = reply->arrivalInterface;
            if (list.place(row, DeviceListModel::NewRowAt::Top) == DeviceListModel::Placement::Added) ++added;
        }
    }
    if (added == 0) qCDebug(lcDiscovery) << "targeted search: no reply from" << targetAddress;
    socket->close();
    return added;
}

}  // namespace serverconf
