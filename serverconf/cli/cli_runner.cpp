#include "cli_runner.h"

#include "device_backup.h"
#include "progress_line.h"
#include "terminal.h"
#include "typed_values.h"

#include "channel/channel_ports.h"
#include "channel/same_network.h"
#include "device/device_targets.h"
#include "discovery/address_range.h"
#include "discovery/device_commands.h"
#include "discovery/range_search.h"
#include "discovery/targeted_search.h"
#include "messages/user_messages.h"
#include "parameter_operations/parameter_write.h"
#include "parameter_operations/profile_load.h"
#include "params/device_profile.h"

#include <QDir>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace serverconf {
namespace {

const char* const kNoDeviceFound = QT_TRANSLATE_NOOP("CliRunner", "没有搜索到设备");

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

// The rows to work on: the row of each address or MAC asked for (nothing
// for one no row has), or every row for --all (the list holds a device
// once). An address several devices hold, or a MAC listed on several
// interfaces, refuses the whole command: the reason, naming them, in `refusal`.
QList<std::pair<QString, std::optional<DeviceEntry>>> targetsOf(const CliArguments& arguments,
                                                                const DeviceListModel& list, QString& refusal) {
    QList<std::pair<QString, std::optional<DeviceEntry>>> targets;
    if (arguments.allDevices) {
        for (const DeviceEntry& row : list.entries()) targets.append({row.deviceAddress, row});
        return targets;
    }
    for (const QString& target : arguments.deviceAddresses) {
        const TargetChoice choice = chooseTarget(list.entries(), target, arguments.interfaces);
        switch (choice.kind) {
            case TargetChoice::Kind::Row: targets.append({target, list.entry(choice.row)}); break;
            case TargetChoice::Kind::NotListed: targets.append({target, std::nullopt}); break;
            case TargetChoice::Kind::SeveralDevices:
                refusal = target + QStringLiteral(": ") + userMessage(kSeveralDevicesAtAddressMessage) +
                          choice.macAddresses.join(QStringLiteral(", "));
                return {};
            case TargetChoice::Kind::SeveralInterfaces:
                refusal = target + QStringLiteral(": ") + userMessage(kSeveralInterfacesMessage) +
                          choice.interfaces.join(QStringLiteral(", "));
                return {};
        }
    }
    return targets;
}

// The refusal of giving the device of `row` the address `newAddress` that
// other listed devices hold (naming them), or empty.
QString takenAddressRefusal(const DeviceListModel& list, const DeviceEntry& row, const QString& newAddress) {
    const QStringList holders = list.otherDevicesAt(row, newAddress);
    return holders.isEmpty() ? QString() : addressTakenNotice(holders);
}

// The codes of get tags, in tag order.
QStringList codesOfTags(const QList<int>& getTags) {
    QList<int> sorted = getTags;
    std::sort(sorted.begin(), sorted.end());
    QStringList codes;
    for (const int tag : sorted) codes << QString::fromLatin1(parameterByGetTag(tag)->code);
    return codes;
}

// "以下参数未读到: ML, MD" and the like.
QString namingCodes(const char* text, const QStringList& codes) {
    return userMessage(text) + codes.join(QStringLiteral(", "));
}

// The failure of a read-out that opened no dialog, in the window's words.
QString readOutFailure(ReadOutOutcome outcome) {
    return userMessage(outcome == ReadOutOutcome::WrongDevice ? kWrongDeviceMessage : kCheckConnectionMessage);
}

}  // namespace

CliRunner::CliRunner(NetworkEnvironment& environment, QTextStream& out, QTextStream& err)
    : environment_(environment), out_(out), err_(err), discovery_(environment, list_, session_) {}

CliRunner::~CliRunner() = default;

int CliRunner::run(const CliArguments& arguments) {
    waitMs_ = arguments.waitMs;
    jobs_ = arguments.jobs;
    CliReport report(arguments, out_, err_);
    report_ = &report;
    const int status = [&] {
        using Command = CliArguments::Command;
        switch (arguments.command) {
            case Command::Search: return search(arguments);
            case Command::Locate: return locate(arguments);
            case Command::Read: return read(arguments);
            case Command::Write: return write(arguments);
            case Command::Reset: return reset(arguments);
            case Command::ChangeIp: return changeIp(arguments);
            case Command::Confirm: return confirm(arguments);
            case Command::AssignIp: return assignIp(arguments);
            case Command::Interfaces: break;  // main lists them: it knows the real interfaces
        }
        return fail(tr("unknown command"));
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

int CliRunner::search(const CliArguments& arguments) {
    bool found = searchAndWait();
    if (!arguments.ranges.isEmpty()) {
        QString error;
        // Checked with the arguments: the ranges are sound here.
        const QStringList addresses = rangesAddresses(arguments.ranges, error).value_or(QStringList());
        found = runRangeSearch(environment_, list_, addresses) > 0 || found;
    }
    report_->rows(list_.entries());
    return found ? 0 : fail(tr(kNoDeviceFound));
}

void CliRunner::probeUnlisted(const CliArguments& arguments) {
    if (arguments.allDevices) return;
    QStringList unlisted;
    for (const QString& target : arguments.deviceAddresses) {
        if (isDottedAddress(target) &&
            chooseTarget(list_.entries(), target, arguments.interfaces).kind == TargetChoice::Kind::NotListed)
            unlisted << target;
    }
    if (unlisted.isEmpty()) return;
    runRangeSearch(environment_, list_, unlisted);
}

bool CliRunner::searchAndWait() {
    discovery_.beginSearch(waitMs_);
    letRepliesArrive();
    const bool found = discovery_.finishSearch();
    if (const int beyond = discovery_.repliesBeyondFullList(); beyond > 0) {
        err_ << QStringLiteral("the list holds %1 devices: %2 more replies not listed")
                    .arg(DeviceListModel::kMaxRows)
                    .arg(beyond)
             << Qt::endl;
    }
    return found;
}

int CliRunner::locate(const CliArguments& arguments) {
    list_.clear();
    const bool found = runTargetedSearch(environment_, list_, arguments.deviceAddresses.first()) > 0;
    report_->rows(list_.entries());
    return found ? 0 : fail(tr(kNoDeviceFound));
}

CliRunner::Tally CliRunner::forEachDevice(const CliArguments& arguments, const DeviceOperation& operation,
                                          const FinishStep& finish) {
    bool anyAnswer = searchAndWait();
    // A device behind a router hears no broadcast but may answer at its address.
    const int listedBefore = list_.rowCount();
    probeUnlisted(arguments);
    anyAnswer = anyAnswer || list_.rowCount() > listedBefore;
    QString refusal;
    const auto targets = targetsOf(arguments, list_, refusal);
    Tally tally;
    if (!refusal.isEmpty()) {
        fail(refusal);
        tally.failed = 1;
        return tally;
    }
    if (arguments.allDevices && !anyAnswer) {
        fail(tr(kNoDeviceFound));
        tally.failed = 1;
        return tally;
    }
    const qsizetype count = targets.size();
    ProgressLine progress(err_, count > 1 && !arguments.json && standardErrorIsTerminal());
    progress_ = &progress;
    deviceCount_ = int(count);
    devicesDone_ = 0;

    std::vector<DeviceWork> works = workOn(targets, operation, anyAnswer);
    QList<DeviceResult> results;
    QList<Sent> sent;
    for (DeviceWork& work : works) {
        for (const QString& note : std::as_const(work.notes)) {
            progress.wipe();
            err_ << note << Qt::endl;
        }
        if (work.sent) {
            work.sent->resultIndex = results.size();
            sent << *work.sent;
        }
        results << work.result;
    }
    if (finish) finish(results, sent);
    progress.wipe();
    progress_ = nullptr;
    for (const DeviceResult& result : std::as_const(results)) {
        report_->result(result);
        ++(result.ok ? tally.succeeded : tally.failed);
    }
    return tally;
}

std::vector<CliRunner::DeviceWork> CliRunner::workOn(const Targets& targets, const DeviceOperation& operation,
                                                     bool anyAnswer) {
    // By broadcast, or with --jobs 1: one at a time, in the order given.
    const QStringList localAddresses = environment_.localAddresses();
    QList<bool> alone;
    qsizetype sideBySideCount = 0;
    for (const auto& target : targets) {
        const std::optional<DeviceEntry>& row = target.second;
        alone << (row &&
                  (jobs_ == 1 || !row->reachedByUnicast(isOnAnyLocalNetwork(localAddresses, row->deviceAddress))));
        if (row && !alone.last()) ++sideBySideCount;
    }
    NetworkEnvironment& sideBySideEnvironment = environmentFor(sideBySideCount);
    std::vector<DeviceWork> works;
    works.reserve(std::size_t(targets.size()));
    QList<DeviceJobs::Job> sideBySide;
    QList<DeviceJobs::Job> oneAtATime;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const std::optional<DeviceEntry>& row = targets[i].second;
        DeviceWork& work = works.emplace_back(alone[i] ? environment_ : sideBySideEnvironment);
        if (!row) {
            work.result.ip = targets[i].first;
            work.result.message = anyAnswer ? userMessage(kNoDeviceSelectedMessage) : tr(kNoDeviceFound);
            ++devicesDone_;
            continue;
        }
        // The list is only read while the jobs run.
        const auto job = [this, &operation, &work, &row] {
            work.result = operation(*row, work);
            // A device whose values are still to be read back is done after that.
            if (!work.sent || !work.sent->check) ++devicesDone_;
        };
        (alone[i] ? oneAtATime : sideBySide) << job;
    }
    runJobs(sideBySide, oneAtATime);
    return works;
}

NetworkEnvironment& CliRunner::environmentFor(qsizetype sideBySideCount) {
    // Exchanges that run together must not share a fixed local port.
    if (jobs_ == 1 || sideBySideCount < 2) return environment_;
    if (!sideBySide_) sideBySide_.emplace(environment_);
    return *sideBySide_;
}

void CliRunner::runJobs(const QList<DeviceJobs::Job>& sideBySide, const QList<DeviceJobs::Job>& oneAtATime) {
    // assign-ip verifies outside forEachDevice, where no progress line is shown.
    const auto showDone = [this] {
        if (progress_) progress_->showDone(devicesDone_, deviceCount_);
    };
    showDone();
    DeviceJobs(jobs_).run(sideBySide, oneAtATime, showDone);
}

ReadOutResult CliRunner::readOut(const DeviceEntry& row, DeviceWork& work) {
    // The window socket of this device alone: no other device's reply can be waiting on it.
    const std::unique_ptr<CommandChannel> window = work.environment.createChannel();
    window->open(kAnyLocalPort);
    return readParameters(work.environment, *window, &row, work.session,
                          [&work] { work.notes << QString::fromUtf8(kShortReplyMessage); });
}

int CliRunner::read(const CliArguments& arguments) {
    if (!arguments.saveDirectory.isEmpty() && !QDir().mkpath(arguments.saveDirectory)) {
        return fail(
            tr("%1 %2: the folder cannot be made").arg(userMessage(kProfileNotSavedMessage), arguments.saveDirectory));
    }
    const Tally tally = forEachDevice(
        arguments, [](const DeviceEntry& row, DeviceWork& work) { return readDevice(row, work); },
        [&](QList<DeviceResult>& results, const QList<Sent>&) { saveReadValues(results, arguments); });
    return tally.failed > 0 ? 1 : 0;
}

DeviceResult CliRunner::readDevice(const DeviceEntry& row, DeviceWork& work) {
    const ReadOutResult readResult = readOut(row, work);
    DeviceResult device = resultFor(row);
    if (readResult.outcome != ReadOutOutcome::Read) return failed(device, readOutFailure(readResult.outcome));
    device.values = work.session.parameters;
    // What arrived is shown; a file of it would later write the rest back
    // empty, so nothing is saved.
    device.missing = codesOfTags(readResult.missingTags);
    if (!device.missing.isEmpty()) return failed(device, namingCodes(kNotReadMessage, device.missing));
    return done(device, tr("read"));
}

void CliRunner::saveReadValues(QList<DeviceResult>& results, const CliArguments& arguments) {
    for (DeviceResult& result : results) {
        if (!result.ok) continue;
        if (!arguments.saveDirectory.isEmpty()) {
            result = saveBackup(arguments.saveDirectory, result);
        } else if (!arguments.saveFile.isEmpty()) {
            // As the window's Save: the name gets ".ds", so that write --load takes the file.
            result = saveValues(profileSaveFileName(arguments.saveFile), result);
        }
    }
}

DeviceResult CliRunner::saveBackup(const QString& directory, DeviceResult result) {
    const QString mac = result.values->macAddress;
    const std::optional<QString> path = backupFilePath(directory, mac);
    if (!path) return failed(result, tr("the MAC address \"%1\" cannot name a file: not saved").arg(mac));
    // Two devices with one MAC address (clones on two segments) must not
    // overwrite each other's backup.
    if (savedBackups_.contains(path->toLower())) {
        return failed(result, tr("%1 holds another device of this MAC address: not saved").arg(*path));
    }
    result = saveValues(*path, result);
    if (result.ok) savedBackups_.insert(path->toLower());
    return result;
}

DeviceResult CliRunner::saveValues(const QString& path, DeviceResult result) {
    QString error;
    if (!saveDeviceProfileFile(path, *result.values, &error)) {
        return failed(result, QStringLiteral("%1 %2: %3").arg(userMessage(kProfileNotSavedMessage), path, error));
    }
    result.savedFile = path;
    return done(result, tr("saved to %1").arg(path));
}

int CliRunner::write(const CliArguments& arguments) {
    // The file and the typed values are checked before anything is sent: a
    // file that is not a configuration file gives no values, and a value
    // that would strand a device must reach none.
    QString error;
    // A typed value that may not be sent is a usage error.
    if (!typedValuesFit(arguments.typedValues, error)) {
        fail(error);
        return kUsageExitCode;
    }
    std::optional<DeviceParameters> loaded;
    QSet<int> taken;
    if (!arguments.loadFile.isEmpty()) {
        QSet<int> loadedKeys;
        loaded = loadDeviceProfileFile(arguments.loadFile, &loadedKeys);
        if (!loaded) return fail(userMessage(kWrongProfileFormatMessage));
        taken = takenFromProfile(*loaded, loadedKeys);
        // One address for several devices would collide: each keeps its own.
        if (arguments.deviceAddresses.size() > 1) taken.remove(kIpGetTag);
        if (!loadedValuesFit(*loaded, taken, error))
            return fail(QStringLiteral("%1: %2").arg(arguments.loadFile, error));
        // A file changes only what it holds; the rest stays as each device has it.
        QStringList kept = codesKeptByProfile(taken);
        for (const auto& [code, value] : arguments.typedValues) kept.removeAll(code);
        if (!kept.isEmpty()) {
            err_ << tr("%1 does not give %2: the devices keep these values").arg(arguments.loadFile, kept.join(u' '))
                 << Qt::endl;
        }
    }
    const QSet<int> given = givenValueTags(arguments.typedValues, taken);
    const Tally tally = forEachDevice(
        arguments,
        [&](const DeviceEntry& row, DeviceWork& work) {
            return writeDevice(row, work, arguments, loaded, taken, given);
        },
        [&](QList<DeviceResult>& results, const QList<Sent>& sent) { finishChange(results, sent); });
    return reportChange(arguments, tally);
}

DeviceResult CliRunner::writeDevice(const DeviceEntry& row, DeviceWork& work, const CliArguments& arguments,
                                    const std::optional<DeviceParameters>& loaded, const QSet<int>& taken,
                                    const QSet<int>& given) const {
    // An address another listed device holds is refused before anything is sent.
    QString intendedAddress = loaded && taken.contains(kIpGetTag) ? loaded->ipAddress : QString();
    for (const auto& [code, value] : arguments.typedValues) {
        if (code.compare(u"IP", Qt::CaseInsensitive) == 0) intendedAddress = value;
    }
    if (const QString refusal = takenAddressRefusal(list_, row, intendedAddress); !refusal.isEmpty())
        return failed(resultFor(row), refusal);
    const ReadOutResult readResult = readOut(row, work);
    if (readResult.outcome != ReadOutOutcome::Read) return failed(resultFor(row), readOutFailure(readResult.outcome));
    DeviceParameters& parameters = work.session.parameters;
    ParameterEdits edits = editsFrom(parameters);
    if (loaded) applyLoadedProfile(*loaded, taken, edits, parameters);
    for (const auto& [code, value] : arguments.typedValues) {
        QString error;
        if (!applyTypedValue(code, value, edits, parameters, error)) return failed(resultFor(row), error);
    }
    // A value nobody knows is left as the device holds it, never written empty.
    const QSet<int> leftOut = QSet<int>(readResult.missingTags.cbegin(), readResult.missingTags.cend()) - given;
    if (!leftOut.isEmpty()) {
        work.notes << row.deviceAddress + QStringLiteral(": ") +
                          namingCodes(kLeftOutMessage, codesOfTags(leftOut.values()));
    }
    switch (writeParameters(work.environment, readResult.route, parameters, edits, leftOut)) {
        case Delivery::NotSent: return failed(resultFor(row), userMessage(kCheckConnectionMessage));
        // A typed or loaded address that is not a dotted one.
        case Delivery::Refused: return failed(resultFor(row), userMessage(kMalformedIpAddressMessage));
        case Delivery::Unicast:
        case Delivery::Broadcast: break;
    }
    const QString newAddress = leftOut.contains(kIpGetTag) ? QString() : edits.ipAddressField;
    work.sent = Sent{};
    if (arguments.verify) {
        work.sent->check = readBackOf(work.environment, readResult.route, row.deviceAddress, parameters.macAddress,
                                      sentByWrite(parameters, newAddress, leftOut, readResult.route));
    }
    return done(resultFor(row), tr("written"));
}

int CliRunner::reset(const CliArguments& arguments) {
    const Tally tally = forEachDevice(
        arguments, [&](const DeviceEntry& row, DeviceWork& work) { return resetDevice(row, work, arguments); },
        [&](QList<DeviceResult>& results, const QList<Sent>& sent) { finishChange(results, sent); });
    return reportChange(arguments, tally);
}

DeviceResult CliRunner::resetDevice(const DeviceEntry& row, DeviceWork& work, const CliArguments& arguments) {
    const ReadOutResult readResult = readOut(row, work);
    if (readResult.outcome != ReadOutOutcome::Read) return failed(resultFor(row), readOutFailure(readResult.outcome));
    // The reset goes on: the user is told whom the factory address puts the device beside.
    const QString factoryAddress = addressAfterFactoryDefaults(readResult.route);
    if (const QStringList holders = list_.otherDevicesAt(row, factoryAddress); !holders.isEmpty())
        work.notes << row.deviceAddress + QStringLiteral(": ") + factoryAddressTakenNotice(factoryAddress, holders);
    if (restoreFactoryDefaults(work.environment, readResult.route) == Delivery::NotSent) {
        return failed(resultFor(row), userMessage(kCheckConnectionMessage));
    }
    work.sent = Sent{};
    if (arguments.verify) {
        work.sent->check = readBackOf(work.environment, readResult.route, row.deviceAddress,
                                      work.session.parameters.macAddress, sentByFactoryDefaults(readResult.route));
    }
    return done(resultFor(row), tr("factory defaults written"));
}

int CliRunner::changeIp(const CliArguments& arguments) {
    const auto change = [&](const DeviceEntry& row, DeviceWork& work) {
        if (const QString refusal = takenAddressRefusal(list_, row, arguments.newAddress); !refusal.isEmpty())
            return failed(resultFor(row), refusal);
        switch (changeIpAddress(work.environment, row, arguments.newAddress)) {
            case ChangeIpOutcome::Refused: return failed(resultFor(row), userMessage(kMalformedIpAddressMessage));
            case ChangeIpOutcome::NotConnected: return failed(resultFor(row), userMessage(kCheckConnectionMessage));
            case ChangeIpOutcome::Sent: break;
        }
        work.sent = Sent{0, std::nullopt, arguments.newAddress};
        return done(resultFor(row), tr("new address %1 sent").arg(arguments.newAddress));
    };
    const Tally tally = forEachDevice(
        arguments, change, [&](QList<DeviceResult>& results, const QList<Sent>& sent) { finishChange(results, sent); });
    return reportChange(arguments, tally);
}

int CliRunner::confirm(const CliArguments& arguments) {
    const Tally tally = forEachDevice(arguments, [](const DeviceEntry& row, DeviceWork& work) {
        if (!confirmDevice(work.environment, row)) return failed(resultFor(row), userMessage(kConfirmConflictMessage));
        return done(resultFor(row), tr("confirmation sent"));
    });
    return tally.failed > 0 ? 1 : 0;
}

void CliRunner::finishChange(QList<DeviceResult>& results, const QList<Sent>& sent) {
    if (sent.isEmpty()) return;
    const auto refresh = [this] {
        discovery_.refreshList();
        letRepliesArrive();
    };
    letRepliesArrive();
    refresh();
    const auto alone = [this](const Sent& device) {
        return jobs_ == 1 || device.check->route.form == DeviceRoute::Form::ByMacName;
    };
    NetworkEnvironment& sideBySideEnvironment = environmentFor(
        std::count_if(sent.cbegin(), sent.cend(), [&](const Sent& device) { return device.check && !alone(device); }));
    std::vector<std::optional<WriteVerification>> verifications(std::size_t(sent.size()));
    QList<DeviceJobs::Job> sideBySide;
    QList<DeviceJobs::Job> oneAtATime;
    for (qsizetype i = 0; i < sent.size(); ++i) {
        const Sent& device = sent[i];
        if (!device.check) {
            DeviceResult& result = results[device.resultIndex];
            if (!device.newAddress.isEmpty() && !list_.listsDeviceAt(result.mac, device.newAddress))
                result = failed(result, userMessage(kNotAtNewAddressMessage));
            continue;
        }
        NetworkEnvironment& environment = alone(device) ? environment_ : sideBySideEnvironment;
        const auto job = [this, &verification = verifications[std::size_t(i)], &device, &environment] {
            verification = verifySentValues(environment, *device.check);
            ++devicesDone_;
        };
        (alone(device) ? oneAtATime : sideBySide) << job;
    }
    runJobs(sideBySide, oneAtATime);
    bool movedAgain = false;
    for (qsizetype i = 0; i < sent.size(); ++i) {
        const std::optional<WriteVerification>& verification = verifications[std::size_t(i)];
        if (!verification) continue;
        DeviceResult& result = results[sent[i].resultIndex];
        result.verified = verification->verified();
        result.notTaken = codesOfTags(verification->notTaken);
        if (!verification->verified()) result = failed(result, namingCodes(kNotTakenMessage, result.notTaken));
        movedAgain = movedAgain || verification->ipResent;
    }
    // A device given its address again may move only now.
    if (movedAgain) refresh();
}

int CliRunner::reportChange(const CliArguments& arguments, const Tally& tally) {
    // Per-device lines are the output of a command on several devices.
    if (tally.succeeded > 0 && (arguments.json || !arguments.reportsPerDevice())) report_->rows(list_.entries());
    return tally.failed > 0 ? 1 : 0;
}

}  // namespace serverconf
