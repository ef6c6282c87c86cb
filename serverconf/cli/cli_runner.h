#pragma once
// Runs one serverconf-cli command with the same operations as the window:
// the search stands where the window's start-up search is, the row with the
// given address where the user's selection is, and a wait for replies where
// the progress window is. A command on several devices searches once, then
// works on the devices side by side (DeviceJobs), each with the full series
// and pauses of its operation on sockets of its own. Results go to the
// CliReport in the order the devices were given.

#include "cli_arguments.h"
#include "cli_report.h"
#include "device_jobs.h"
#include "device_result.h"

#include "channel/any_port_environment.h"
#include "device/device_route.h"
#include "discovery/device_discovery.h"
#include "discovery/device_list_model.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/write_verification.h"

#include <QCoreApplication>
#include <QSet>
#include <QTextStream>

#include <atomic>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace serverconf {

class ProgressLine;

class CliRunner {
    Q_DECLARE_TR_FUNCTIONS(CliRunner)

public:
    CliRunner(NetworkEnvironment& environment, QTextStream& out, QTextStream& err);
    ~CliRunner();

    // 0 done (on every device), 1 the operation failed (on any device; the
    // others are still done).
    int run(const CliArguments& arguments);

private:
    // What a device operation that sent something left to check once every
    // device was done.
    struct Sent {
        qsizetype resultIndex = 0;
        std::optional<ReadBack> check;  // write, reset: read back after the list refresh
        QString newAddress;             // change-ip: where the refreshed list must show the device
    };
    // What the exchange of one device works with, on its worker thread.
    struct DeviceWork {
        explicit DeviceWork(NetworkEnvironment& environment) : environment(environment) {}

        NetworkEnvironment& environment;
        DeviceSession session;
        // Lines for standard error, written in the order the devices were given.
        QStringList notes;
        // Set by an operation that sent something to its device.
        std::optional<Sent> sent;
        DeviceResult result;  // once the exchange has ended
    };
    using DeviceOperation = std::function<DeviceResult(const DeviceEntry& row, DeviceWork& work)>;
    struct Tally {
        int succeeded = 0;
        int failed = 0;
    };
    using FinishStep = std::function<void(QList<DeviceResult>& results, const QList<Sent>& sent)>;
    // The devices of a command: each address or MAC asked for, with its row
    // when the list has one.
    using Targets = QList<std::pair<QString, std::optional<DeviceEntry>>>;

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
    // of every row, for --all), side by side; then `finish` on every result
    // in the order given, with the devices it sent to (its results may still
    // turn to failures), and each result is reported.
    Tally forEachDevice(const CliArguments& arguments, const DeviceOperation& operation, const FinishStep& finish = {});
    // Runs `operation` on the row of each target, side by side as DeviceJobs
    // does; a target without a row fails at once.
    std::vector<DeviceWork> workOn(const Targets& targets, const DeviceOperation& operation, bool anyAnswer);
    // The environment of `sideBySideCount` exchanges run together:
    // environment_ itself (its fixed local ports) for one at a time,
    // otherwise sideBySide_.
    NetworkEnvironment& environmentFor(qsizetype sideBySideCount);
    // The read-out of `row` on a window socket of its own: its outcome, the
    // values in work.session.
    static ReadOutResult readOut(const DeviceEntry& row, DeviceWork& work);
    static DeviceResult readDevice(const DeviceEntry& row, DeviceWork& work);
    // The files of the devices read, in the order given (a backup rule
    // depends on it).
    void saveReadValues(QList<DeviceResult>& results, const CliArguments& arguments);
    DeviceResult saveBackup(const QString& directory, DeviceResult result);
    DeviceResult saveValues(const QString& path, DeviceResult result);
    // `taken`: get tags of the values the loaded file gives; `given`: those
    // typed or loaded, written even when the read-out did not bring them.
    DeviceResult writeDevice(const DeviceEntry& row, DeviceWork& work, const CliArguments& arguments,
                             const std::optional<DeviceParameters>& loaded, const QSet<int>& taken,
                             const QSet<int>& given) const;
    DeviceResult resetDevice(const DeviceEntry& row, DeviceWork& work, const CliArguments& arguments);
    // The update window's wait, the list refresh, then the read-backs (unless
    // --no-verify) side by side, those by broadcast one at a time, or the
    // check that a device is listed at its new address; after a command
    // whose devices were all refused, nothing.
    void finishChange(QList<DeviceResult>& results, const QList<Sent>& sent);
    // Runs the jobs as DeviceJobs does, showing the devices done.
    void runJobs(const QList<DeviceJobs::Job>& sideBySide, const QList<DeviceJobs::Job>& oneAtATime);
    // The rows of the refreshed list, as the window shows them.
    int reportChange(const CliArguments& arguments, const Tally& tally);
    void letRepliesArrive();
    int fail(const QString& message);

    NetworkEnvironment& environment_;
    QTextStream& out_;
    QTextStream& err_;
    CliReport* report_ = nullptr;  // the report of the command being run
    int waitMs_ = 1000;
    int jobs_ = 1;
    DeviceListModel list_;
    DeviceSession session_;
    DeviceDiscovery discovery_;
    QSet<QString> savedBackups_;  // backup files written by this command (lower case)
    // Channels on ports the system chooses, for exchanges run together.
    std::optional<AnyPortEnvironment> sideBySide_;
    // The progress of the command being run: devices with nothing more to do.
    ProgressLine* progress_ = nullptr;
    int deviceCount_ = 0;
    std::atomic<int> devicesDone_ = 0;
};

}  // namespace serverconf
