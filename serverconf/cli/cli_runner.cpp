#include "cli_runner.h"

#include "device_backup.h"
#include "progress_line.h"
#include "terminal.h"
#include "typed_values.h"

#include "channel/channel_ports.h"
#include "discovery/device_commands.h"
#include "discovery/targeted_search.h"
#include "messages/user_messages.h"
#include "parameter_operations/parameter_write.h"
#include "params/device_profile.h"

#include <QDir>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <utility>

namespace serverconf {
namespace {

const QString kNoDeviceFound = QStringLiteral("没有搜索到设备");

// A result for the device of `row`, not yet done.
DeviceResult resultFor(const DeviceEntry& row) {
    DeviceResult result;
    result.ip = row.deviceAddress;
    result.mac = row.macAddress;
    return result;
}

DeviceResult failed(DeviceResult result, const QString& message) {
    result.ok = false;
    result.message = message;
    return result;
}

DeviceResult done(DeviceResult result, const QString& message) {
    result.ok = true;
    result.message = message;
    return result;
}

// The rows to work on: the row of each address asked for (nothing for an
// address no row has), or every row once for --all (a device that answered
// twice is listed twice, but read once).
QList<std::pair<QString, std::optional<DeviceEntry>>> targetsOf(const CliArguments& arguments,
                                                                const DeviceListModel& list) {
    QList<std::pair<QString, std::optional<DeviceEntry>>> targets;
    if (arguments.allDevices) {
        QList<DeviceEntry> seen;
        for (const DeviceEntry& row : list.entries()) {
            if (seen.contains(row)) continue;
            seen << row;
            targets.append({row.deviceAddress, row});
        }
        return targets;
    }
    for (const QString& address : arguments.deviceAddresses) {
        const int row = list.findByAddress(address);
        targets.append({address, row < 0 ? std::nullopt : std::optional<DeviceEntry>(list.entry(row))});
    }
    return targets;
}

// The codes of the get tags whose values did not arrive, "ML, MD".
QString codesOfTags(const QList<int>& getTags) {
    QStringList codes;
    for (const int tag : getTags) codes << QString::fromLatin1(parameterByGetTag(tag)->code);
    return codes.join(QStringLiteral(", "));
}

}  // namespace

CliRunner::CliRunner(NetworkEnvironment& environment, QTextStream& out, QTextStream& err)
    : environment_(environment),
      out_(out),
      err_(err),
      discovery_(environment, list_, session_),
      windowSocket_(environment.createChannel()) {
    windowSocket_->open(kAnyLocalPort);
}

CliRunner::~CliRunner() = default;

int CliRunner::run(const CliArguments& arguments) {
    waitMs_ = arguments.waitMs;
    CliReport report(arguments, out_, err_);
    report_ = &report;
    const int status = [&] {
        using Command = CliArguments::Command;
        switch (arguments.command) {
            case Command::Search: return search();
            case Command::Locate: return locate(arguments);
            case Command::Read: return read(arguments);
            case Command::Write: return write(arguments);
            case Command::Reset: return reset(arguments);
            case Command::ChangeIp: return changeIp(arguments);
            case Command::Confirm: return confirm(arguments);
            case Command::Interfaces: break;  // main lists them: it knows the real interfaces
        }
        return fail(QStringLiteral("unknown command"));
    }();
    report.finish();
    report_ = nullptr;
    return status;
}

int CliRunner::fail(const QString& message) {
    report_->failure(message);
    return 1;
}

void CliRunner::letRepliesArrive() {
    QEventLoop loop;
    QTimer::singleShot(waitMs_, &loop, &QEventLoop::quit);
    loop.exec();
}

int CliRunner::search() {
    discovery_.beginSearch(waitMs_);
    letRepliesArrive();
    const bool found = discovery_.finishSearch();
    report_->rows(list_.entries());
    return found ? 0 : fail(kNoDeviceFound);
}

int CliRunner::locate(const CliArguments& arguments) {
    list_.clear();
    const bool found = runTargetedSearch(environment_, list_, arguments.deviceAddresses.first()) > 0;
    report_->rows(list_.entries());
    return found ? 0 : fail(kNoDeviceFound);
}

CliRunner::Tally CliRunner::forEachDevice(const CliArguments& arguments, const DeviceOperation& operation) {
    discovery_.beginSearch(waitMs_);
    letRepliesArrive();
    const bool anyAnswer = discovery_.finishSearch();
    const auto targets = targetsOf(arguments, list_);
    Tally tally;
    if (arguments.allDevices && !anyAnswer) {
        fail(kNoDeviceFound);
        tally.failed = 1;
        return tally;
    }
    const qsizetype count = targets.size();
    ProgressLine progress(err_, count > 1 && !arguments.json && standardErrorIsTerminal());
    for (qsizetype i = 0; i < count; ++i) {
        const auto& [address, row] = targets[i];
        progress.show(int(i + 1), int(count), address);
        DeviceResult result;
        if (row) {
            result = operation(*row);
        } else {
            result.ip = address;
            result.message = anyAnswer ? QString::fromUtf8(kNoDeviceSelectedMessage) : kNoDeviceFound;
        }
        progress.wipe();
        report_->result(result);
        ++(result.ok ? tally.succeeded : tally.failed);
    }
    return tally;
}

ReadOutResult CliRunner::readOut(const DeviceEntry& row) {
    return readParameters(environment_, *windowSocket_, &row, session_,
                          [this] { err_ << kShortReplyMessage << Qt::endl; });
}

int CliRunner::read(const CliArguments& arguments) {
    if (!arguments.saveDirectory.isEmpty() && !QDir().mkpath(arguments.saveDirectory)) {
        return fail(QStringLiteral("%1 %2: the folder cannot be made")
                        .arg(QString::fromUtf8(kProfileNotSavedMessage), arguments.saveDirectory));
    }
    const Tally tally = forEachDevice(arguments, [&](const DeviceEntry& row) { return readDevice(row, arguments); });
    return tally.failed > 0 ? 1 : 0;
}

DeviceResult CliRunner::readDevice(const DeviceEntry& row, const CliArguments& arguments) {
    const ReadOutResult readResult = readOut(row);
    DeviceResult device = resultFor(row);
    if (readResult.outcome != ReadOutOutcome::Read) return failed(device, QString::fromUtf8(kCheckConnectionMessage));
    device.values = session_.parameters;
    if (!arguments.saveDirectory.isEmpty()) return saveBackup(arguments.saveDirectory, readResult, device);
    // As the window's Save: the name gets ".ds", so that write --load takes the file.
    if (!arguments.saveFile.isEmpty()) return saveValues(profileSaveFileName(arguments.saveFile), device);
    return done(device, QStringLiteral("read"));
}

// A backup holds a full read-out only: a value missing from it would be
// written back empty by a later write --load.
DeviceResult CliRunner::saveBackup(const QString& directory, const ReadOutResult& readResult, DeviceResult result) {
    if (!readResult.missingTags.isEmpty()) {
        return failed(result, QStringLiteral("no reply for %1: not saved").arg(codesOfTags(readResult.missingTags)));
    }
    const QString mac = result.values->macAddress;
    const std::optional<QString> path = backupFilePath(directory, mac);
    if (!path) return failed(result, QStringLiteral("the MAC address \"%1\" cannot name a file: not saved").arg(mac));
    // Two devices with one MAC address (clones on two segments) must not
    // overwrite each other's backup.
    if (savedBackups_.contains(path->toLower())) {
        return failed(result, QStringLiteral("%1 holds another device of this MAC address: not saved").arg(*path));
    }
    result = saveValues(*path, result);
    if (result.ok) savedBackups_.insert(path->toLower());
    return result;
}

DeviceResult CliRunner::saveValues(const QString& path, DeviceResult result) {
    QString error;
    if (!saveDeviceProfileFile(path, *result.values, &error)) {
        return failed(result, QStringLiteral("%1 %2: %3").arg(QString::fromUtf8(kProfileNotSavedMessage), path, error));
    }
    result.savedFile = path;
    return done(result, QStringLiteral("saved to %1").arg(path));
}

int CliRunner::write(const CliArguments& arguments) {
    // The file and the typed values are checked before anything is sent: a
    // file that is not a configuration file would blank every value it
    // names, and a bad value would fail on every device after its read-out.
    std::optional<DeviceParameters> loaded;
    if (!arguments.loadFile.isEmpty()) {
        loaded = loadDeviceProfileFile(arguments.loadFile);
        if (!loaded) return fail(QString::fromUtf8(kWrongProfileFormatMessage));
    }
    QString error;
    if (!typedValuesFit(arguments.typedValues, error)) return fail(error);
    const Tally tally =
        forEachDevice(arguments, [&](const DeviceEntry& row) { return writeDevice(row, arguments, loaded); });
    return finishChange(arguments, tally);
}

DeviceResult CliRunner::writeDevice(const DeviceEntry& row, const CliArguments& arguments,
                                    const std::optional<DeviceParameters>& loaded) {
    const ReadOutResult readResult = readOut(row);
    if (readResult.outcome != ReadOutOutcome::Read) {
        return failed(resultFor(row), QString::fromUtf8(kCheckConnectionMessage));
    }
    ParameterEdits edits = editsFrom(session_.parameters);
    if (loaded) {
        applyLoadedProfile(*loaded, edits, session_.parameters);
        // One address for several devices would collide: each keeps its own.
        if (arguments.deviceAddresses.size() > 1) edits.ipAddressField = session_.parameters.ipAddress;
    }
    for (const auto& [code, value] : arguments.typedValues) {
        QString error;
        if (!applyTypedValue(code, value, edits, session_.parameters, error)) return failed(resultFor(row), error);
    }
    switch (writeParameters(environment_, readResult.route, session_.parameters, edits)) {
        case Delivery::NotSent: return failed(resultFor(row), QString::fromUtf8(kCheckConnectionMessage));
        // The device reported no usable address and none was typed or loaded.
        case Delivery::Refused: return failed(resultFor(row), QString::fromUtf8(kMalformedIpAddressMessage));
        case Delivery::Unicast:
        case Delivery::Broadcast: break;
    }
    return done(resultFor(row), QStringLiteral("written"));
}

int CliRunner::reset(const CliArguments& arguments) {
    const Tally tally = forEachDevice(arguments, [this](const DeviceEntry& row) { return resetDevice(row); });
    return finishChange(arguments, tally);
}

DeviceResult CliRunner::resetDevice(const DeviceEntry& row) {
    const ReadOutResult readResult = readOut(row);
    if (readResult.outcome != ReadOutOutcome::Read ||
        restoreFactoryDefaults(environment_, readResult.route) == Delivery::NotSent) {
        return failed(resultFor(row), QString::fromUtf8(kCheckConnectionMessage));
    }
    return done(resultFor(row), QStringLiteral("factory defaults written"));
}

int CliRunner::changeIp(const CliArguments& arguments) {
    const Tally tally = forEachDevice(arguments, [&](const DeviceEntry& row) {
        switch (changeIpAddress(environment_, row, arguments.newAddress)) {
            case ChangeIpOutcome::Refused: return failed(resultFor(row), QString::fromUtf8(kMalformedIpAddressMessage));
            case ChangeIpOutcome::NotConnected:
                return failed(resultFor(row), QString::fromUtf8(kCheckConnectionMessage));
            case ChangeIpOutcome::Sent: break;
        }
        return done(resultFor(row), QStringLiteral("new address %1 sent").arg(arguments.newAddress));
    });
    return finishChange(arguments, tally);
}

int CliRunner::confirm(const CliArguments& arguments) {
    const Tally tally = forEachDevice(arguments, [this](const DeviceEntry& row) {
        confirmDevice(environment_, row);
        return done(resultFor(row), QStringLiteral("confirmation sent"));
    });
    return tally.failed > 0 ? 1 : 0;
}

int CliRunner::finishChange(const CliArguments& arguments, const Tally& tally) {
    if (tally.succeeded > 0) {
        letRepliesArrive();
        discovery_.refreshList();
        letRepliesArrive();
        // Per-device lines are the output of a command on several devices.
        if (arguments.json || !arguments.reportsPerDevice()) report_->rows(list_.entries());
    }
    return tally.failed > 0 ? 1 : 0;
}

}  // namespace serverconf
