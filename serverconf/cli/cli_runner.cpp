#include "cli_runner.h"

#include "parameter_edits.h"

#include "channel/channel_ports.h"
#include "discovery/device_commands.h"
#include "discovery/targeted_search.h"
#include "params/device_profile.h"
#include "params/parameter_read_out.h"
#include "params/parameter_write.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace serverconf {
namespace {

const QString kNoDeviceFound = QStringLiteral("没有搜索到设备");

}  // namespace

CliRunner::CliRunner(NetworkEnvironment& environment, QTextStream& out, QTextStream& err)
    : environment_(environment), out_(out), err_(err), discovery_(environment, list_, session_),
      windowSocket_(environment.createChannel()) {
    windowSocket_->open(kAnyLocalPort);
}

CliRunner::~CliRunner() = default;

int CliRunner::run(const CliArguments& arguments) {
    waitMs_ = arguments.waitMs;
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
}

int CliRunner::fail(const QString& message) {
    err_ << message << Qt::endl;
    return 1;
}

void CliRunner::letRepliesArrive() {
    QEventLoop loop;
    QTimer::singleShot(waitMs_, &loop, &QEventLoop::quit);
    loop.exec();
}

void CliRunner::printRows() {
    for (const DeviceEntry& row : list_.entries()) {
        out_ << row.statusImage << '\t' << row.macAddress << '\t' << row.userAndDeviceName << '\t'
             << row.deviceAddress << '\n';
    }
    out_.flush();
}

void CliRunner::printParameters() {
    for (const char* code : kProfileSaveOrder) {
        out_ << code << '=' << *session_.parameters.valueByCode(QString::fromLatin1(code)) << '\n';
    }
    out_.flush();
}

int CliRunner::search() {
    discovery_.beginSearch();
    letRepliesArrive();
    if (!discovery_.finishSearch()) return fail(kNoDeviceFound);
    printRows();
    return 0;
}

int CliRunner::locate(const CliArguments& arguments) {
    list_.clear();
    if (runTargetedSearch(environment_, list_, arguments.deviceAddress) == 0) return fail(kNoDeviceFound);
    printRows();
    return 0;
}

std::optional<DeviceEntry> CliRunner::findDevice(const QString& address) {
    discovery_.beginSearch();
    letRepliesArrive();
    if (!discovery_.finishSearch()) {
        fail(kNoDeviceFound);
        return std::nullopt;
    }
    const int row = list_.findByAddress(address);
    if (row < 0) {
        fail(QString::fromUtf8(kNoDeviceSelectedMessage));
        return std::nullopt;
    }
    return list_.entry(row);
}

std::optional<DeviceRoute> CliRunner::readOut(const DeviceEntry& row) {
    const ReadOutResult result = readParameters(environment_, *windowSocket_, &row, session_, [this] {
        err_ << kShortReplyMessage << Qt::endl;
    });
    if (result.outcome != ReadOutOutcome::Read) {
        fail(QString::fromUtf8(kCheckConnectionMessage));
        return std::nullopt;
    }
    return result.route;
}

int CliRunner::read(const CliArguments& arguments) {
    const std::optional<DeviceEntry> row = findDevice(arguments.deviceAddress);
    if (!row || !readOut(*row)) return 1;
    printParameters();
    if (arguments.saveFile.isEmpty()) return 0;
    // As the window's Save: the name gets ".ds", so that write --load takes the file.
    const QString path = profileSaveFileName(arguments.saveFile);
    QString error;
    if (!saveDeviceProfileFile(path, session_.parameters, &error)) {
        return fail(QStringLiteral("%1 %2: %3").arg(QString::fromUtf8(kProfileNotSavedMessage), path, error));
    }
    return 0;
}

void CliRunner::updateAndRefresh() {
    letRepliesArrive();
    discovery_.refreshList();
    letRepliesArrive();
    printRows();
}

int CliRunner::write(const CliArguments& arguments) {
    // The file is read before anything is sent: one that is not a
    // configuration file would blank every value it names.
    std::optional<DeviceParameters> loaded;
    if (!arguments.loadFile.isEmpty()) {
        loaded = loadDeviceProfileFile(arguments.loadFile);
        if (!loaded) return fail(QString::fromUtf8(kWrongProfileFormatMessage));
    }
    const std::optional<DeviceEntry> row = findDevice(arguments.deviceAddress);
    if (!row) return 1;
    const std::optional<DeviceRoute> route = readOut(*row);
    if (!route) return 1;
    PropertyDialogValues dialog = dialogValuesFrom(session_.parameters);
    if (loaded) applyLoadedProfile(*loaded, dialog, session_.parameters);
    for (const auto& [code, value] : arguments.typedValues) {
        QString error;
        if (!applyTypedValue(code, value, dialog, session_.parameters, error)) return fail(error);
    }
    switch (writeParameters(environment_, *route, session_.parameters, dialog)) {
    case Delivery::NotSent: return fail(QString::fromUtf8(kCheckConnectionMessage));
    // The device reported no usable address and none was typed or loaded.
    case Delivery::Refused: return fail(QString::fromUtf8(kMalformedIpAddressMessage));
    case Delivery::Unicast:
    case Delivery::Broadcast: break;
    }
    updateAndRefresh();
    return 0;
}

int CliRunner::reset(const CliArguments& arguments) {
    const std::optional<DeviceEntry> row = findDevice(arguments.deviceAddress);
    if (!row) return 1;
    const std::optional<DeviceRoute> route = readOut(*row);
    if (!route) return 1;
    if (restoreFactoryDefaults(environment_, *route) == Delivery::NotSent) {
        return fail(QString::fromUtf8(kCheckConnectionMessage));
    }
    updateAndRefresh();
    return 0;
}

int CliRunner::changeIp(const CliArguments& arguments) {
    const std::optional<DeviceEntry> row = findDevice(arguments.deviceAddress);
    if (!row) return 1;
    changeIpAddress(environment_, *row, arguments.newAddress);
    updateAndRefresh();
    return 0;
}

int CliRunner::confirm(const CliArguments& arguments) {
    const std::optional<DeviceEntry> row = findDevice(arguments.deviceAddress);
    if (!row) return 1;
    confirmDevice(environment_, *row);
    return 0;
}

}  // namespace serverconf
