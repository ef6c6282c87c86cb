#pragma once
// Search, start-up search and list refresh on the discovery socket. Replies
// are taken on the thread that owns the socket, from its notification, and
// each becomes one row of the list in arrival order.

#include "device_list_model.h"

#include "channel/network_environment.h"
#include "device/device_parameters.h"

#include <QObject>

#include <memory>

namespace serverconf {

class DeviceDiscovery final : public QObject {
    Q_OBJECT
public:
    DeviceDiscovery(NetworkEnvironment& environment, DeviceListModel& list, DeviceSession& session,
                    QObject* parent = nullptr);
    ~DeviceDiscovery() override;

    // Search, up to the wait: empties the list, opens the discovery socket
    // anew (fresh local port, so replies to an earlier search are not read),
    // allows broadcasts and broadcasts "X". The caller then lets replies
    // arrive for about a second (the progress window) and calls finishSearch.
    void beginSearch();
    // After the wait: takes the replies already waiting, clears the session
    // for a new search, and returns false when no device answered (the
    // caller shows "没有搜索到设备"). Replies that come later still add rows.
    bool finishSearch();

    // List refresh: empties the list and broadcasts "X" on the discovery
    // socket as it stands (no new socket, no wait, no message).
    void refreshList();

    // Takes every datagram waiting on the discovery socket and appends its
    // row. Runs from the socket's notification; callers that block the event
    // loop may call it directly.
    void takeReplies();

    // Local port of the discovery socket (0 before the first search).
    quint16 localPort() const;

private:
    NetworkEnvironment& environment_;
    DeviceListModel& list_;
    DeviceSession& session_;
    std::unique_ptr<CommandChannel> socket_;
};

}  // namespace serverconf
