#pragma once
// Runs one serverconf-cli command with the same operations as the window:
// the search stands where the window's start-up search is, the row with the
// given address where the user's selection is, and a wait for replies where
// the progress window is. Rows and values go to `out`, messages to `err`.

#include "cli_arguments.h"

#include "discovery/device_discovery.h"
#include "discovery/device_list_model.h"
#include "params/device_route.h"

#include <QTextStream>

#include <memory>

namespace serverconf {

class CliRunner {
public:
    CliRunner(NetworkEnvironment& environment, QTextStream& out, QTextStream& err);
    ~CliRunner();

    // 0 done, 1 the operation failed (the message is on `err`).
    int run(const CliArguments& arguments);

private:
    int search();
    int locate(const CliArguments& arguments);
    int read(const CliArguments& arguments);
    int write(const CliArguments& arguments);
    int reset(const CliArguments& arguments);
    int changeIp(const CliArguments& arguments);
    int confirm(const CliArguments& arguments);

    // Search, then the first row whose IP column is `address`.
    std::optional<DeviceEntry> findDevice(const QString& address);
    // The read-out of `row` and the route it reached the device by; nothing
    // (message shown) when no MAC address came.
    std::optional<DeviceRoute> readOut(const DeviceEntry& row);
    // The update window's wait, the list refresh and the rows it brings.
    void updateAndRefresh();
    void letRepliesArrive();
    int fail(const QString& message);
    void printRows();
    void printParameters();

    NetworkEnvironment& environment_;
    QTextStream& out_;
    QTextStream& err_;
    int waitMs_ = 1000;
    DeviceListModel list_;
    DeviceSession session_;
    DeviceDiscovery discovery_;
    std::unique_ptr<CommandChannel> windowSocket_;
};

}  // namespace serverconf
