#pragma once
// Search, start-up search and list refresh on the discovery socket. Each
// sends "X" three times over its window (searchSendTimes) and takes the
// replies on the thread that owns the socket, from its notification: one
// row per device (DeviceListModel::place) in the order of first answers.
// Reading stops at the end of the window, however much still arrives.

#include "device_list_model.h"
#include "search_schedule.h"

#include "channel/network_environment.h"
#include "device/device_parameters.h"

#include <QElapsedTimer>
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
    // allows broadcasts and broadcasts "X", again at the later send times of
    // `windowMs`. The caller then lets replies arrive for `windowMs` (the
    // progress window) and calls finishSearch.
    void beginSearch(int windowMs = kSearchWindowMs);
    // After the wait: takes the replies already waiting, clears the session
    // for a new search, and returns false when no device answered (the
    // caller shows "没有搜索到设备"). Replies within the window still add rows;
    // later ones are not read.
    bool finishSearch();

    // List refresh: empties the list and broadcasts "X" on the discovery
    // socket as it stands (no new socket, no wait, no message), at the send
    // times of a full search window; rows appear as replies come.
    void refreshList();

    // Takes the datagrams waiting on the discovery socket, while the window
    // lasts, and places their rows. Runs from the socket's notification;
    // callers that block the event loop may call it directly.
    void takeReplies();

    // Local port of the discovery socket (0 before the first search).
    quint16 localPort() const;
    // Replies of devices that found the list full since the last search.
    int repliesBeyondFullList() const { return beyondFullList_; }

private:
    // Empties the list and sends "X" at the send times of `windowMs`.
    void openWindow(int windowMs);

    NetworkEnvironment& environment_;
    DeviceListModel& list_;
    DeviceSession& session_;
    std::unique_ptr<CommandChannel> socket_;
    QElapsedTimer windowClock_;
    int windowMs_ = 0;
    int beyondFullList_ = 0;
    // Counts the windows, so that a send planned by an earlier one is dropped.
    int windowNumber_ = 0;
};

}  // namespace serverconf
