#pragma once
// Runs one serverconf-cli command with the same operations as the window:
// the search stands where the window's start-up search is, the row with the
// given address where the user's selection is, and a wait for replies where
// the progress window is. A command on several devices searches once, then
// works on each device in turn with the full series and pauses of its
// operation. Results go to the CliReport.

#include "cli_arguments.h"
#include "cli_report.h"
#include "device_result.h"

#include "device/device_route.h"
#include "discovery/device_discovery.h"
#include "discovery/device_list_model.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/write_verification.h"

#include <QCoreApplication>
#include <QSet>
#include <QTextStream>

#include <functional>
#include <memory>
#include <optional>

namespace serverconf {

class CliRunner {
    Q_DECLARE_TR_FUNCTIONS(CliRunner)

public:
    CliRunner(NetworkEnvironment& environment, QTextStream& out, QTextStream& err);
    ~CliRunner();

    // 0 done (on every device), 1 the operation failed (on any device; the
    // others are still done).
    int run(const CliArguments& arguments);

private:
    using DeviceOperation = std::function<DeviceResult(const DeviceEntry& row)>;
    struct Tally {
        int succeeded = 0;
        int failed = 0;
    };
    // What a device operation that sent something left to check once every
    // device was done.
    struct Sent {
        qsizetype resultIndex = 0;
        std::optional<ReadBack> check;  // write, reset: read back after the list refresh
        QString newAddress;             // change-ip: where the refreshed list must show the device
    };
    using FinishStep = std::function<void(QList<DeviceResult>& results, const QList<Sent>& sent)>;

    int search(const CliArguments& arguments);
    // Probes by unicast each target address the search did not list, adding
    // the rows of those that answer.
    void probeUnlisted(const CliArguments& arguments);
    // The search of every command and the wait for its replies; false when
    // no device answered. A list that filled up is said on standard error.
    bool searchAndWait();
    int locate(const CliArguments& arguments);
    int read(const CliArguments& arguments);
    int write(const CliArguments& arguments);
    int reset(const CliArguments& arguments);
    int changeIp(const CliArguments& arguments);
    int confirm(const CliArguments& arguments);
    // assign_ip.cpp
    int assignIp(const CliArguments& arguments);

    // One search, then `operation` on the row of each device asked for (or
    // of every row, for --all), in turn; then `finish` on the devices it
    // sent to (its results may still turn to failures), and each result
    // is reported.
    Tally forEachDevice(const CliArguments& arguments, const DeviceOperation& operation, const FinishStep& finish = {});
    // The read-out of `row`: its outcome, the values in session_.
    ReadOutResult readOut(const DeviceEntry& row);
    DeviceResult readDevice(const DeviceEntry& row, const CliArguments& arguments);
    DeviceResult saveBackup(const QString& directory, DeviceResult result);
    DeviceResult saveValues(const QString& path, DeviceResult result);
    // `taken`: get tags of the values the loaded file gives; `given`: those
    // typed or loaded, written even when the read-out did not bring them.
    DeviceResult writeDevice(const DeviceEntry& row, const CliArguments& arguments,
                             const std::optional<DeviceParameters>& loaded, const QSet<int>& taken,
                             const QSet<int>& given);
    DeviceResult resetDevice(const DeviceEntry& row, const CliArguments& arguments);
    // The update window's wait, the list refresh, then the read-back of each
    // device (unless --no-verify) or the check that a device is listed at its
    // new address; after a command whose devices were all refused, nothing.
    void finishChange(QList<DeviceResult>& results, const QList<Sent>& sent);
    // The rows of the refreshed list, as the window shows them.
    int reportChange(const CliArguments& arguments, const Tally& tally);
    void letRepliesArrive();
    int fail(const QString& message);

    NetworkEnvironment& environment_;
    QTextStream& out_;
    QTextStream& err_;
    CliReport* report_ = nullptr;  // the report of the command being run
    int waitMs_ = 1000;
    DeviceListModel list_;
    DeviceSession session_;
    DeviceDiscovery discovery_;
    std::unique_ptr<CommandChannel> windowSocket_;
    QSet<QString> savedBackups_;  // backup files written by this command (lower case)
    // Set by an operation that sent something to its device.
    std::optional<Sent> lastSent_;
};

}  // namespace serverconf
