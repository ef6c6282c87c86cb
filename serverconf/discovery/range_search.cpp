#include "range_search.h"

#include "discovery_log.h"
#include "search_reply_row.h"

#include "channel/channel_ports.h"
#include "params/request_texts.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QMap>
#include <QSet>

namespace serverconf {

QList<int> rangeBatchTimes(int addressCount) {
    QList<int> times;
    for (int batch = 0; batch * kRangeBatchSize < addressCount; ++batch) times << batch * kRangeBatchMs;
    return times;
}

namespace {

// The replies of probed addresses, by address value so that they come out
// ascending; a later answer of the same device replaces its earlier one.
using RowsByAddress = QMap<quint32, QMap<QString, DeviceEntry>>;

void takeAnswers(CommandChannel& socket, const QSet<QString>& probed, const QStringList& localAddresses,
                 RowsByAddress& rows) {
    while (socket.hasWaitingDatagram()) {
        // A failed read (CommandChannel::readOne) is skipped: later answers still count.
        const std::optional<Datagram> reply = socket.readOne();
        if (!reply) continue;
        if (!probed.contains(reply->senderAddress) || !isSearchReply(reply->text)) {
            qCDebug(lcDiscovery) << "range search: not an answer to a probe from" << reply->senderAddress;
            continue;
        }
        DeviceEntry row = searchReplyRow(reply->text, reply->senderAddress,
                                         isOnAnyLocalNetwork(localAddresses, reply->senderAddress));
        row.interfaceName = reply->arrivalInterface;
        row.foundByUnicast = true;
        rows[QHostAddress(reply->senderAddress).toIPv4Address()].insert(row.macAddress + u'@' + row.interfaceName, row);
    }
}

}  // namespace

int runRangeSearch(NetworkEnvironment& environment, DeviceListModel& list, const QStringList& addresses) {
    std::unique_ptr<CommandChannel> socket = environment.createChannel();
    socket->open(kAnyLocalPort);
    const QSet<QString> probed(addresses.cbegin(), addresses.cend());
    const QStringList localAddresses = environment.localAddresses();
    RowsByAddress rows;
    const QList<int> batchTimes = rangeBatchTimes(int(addresses.size()));
    QElapsedTimer clock;
    clock.start();
    for (int batch = 0; batch < batchTimes.size(); ++batch) {
        const qint64 ahead = batchTimes[batch] - clock.elapsed();
        if (ahead > 0) environment.pause(int(ahead));
        for (const QString& address : addresses.mid(qsizetype(batch) * kRangeBatchSize, kRangeBatchSize))
            socket->send(searchRequest(), Destination::device(address));
        takeAnswers(*socket, probed, localAddresses, rows);
    }
    for (int waited = 0; waited < kRangeAnswerWaitMs; waited += kRangeReadStepMs) {
        environment.pause(kRangeReadStepMs);
        takeAnswers(*socket, probed, localAddresses, rows);
    }
    socket->close();
    int added = 0;
    for (const QMap<QString, DeviceEntry>& atAddress : std::as_const(rows)) {
        for (const DeviceEntry& row : atAddress) {
            if (list.place(row) == DeviceListModel::Placement::Added) ++added;
        }
    }
    qCDebug(lcDiscovery) << "range search of" << addresses.size() << "addresses:" << added << "rows added";
    return added;
}

}  // namespace serverconf
