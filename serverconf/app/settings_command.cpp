#include "app/settings_command.h"

#include "channel/channel_ports.h"
#include "dialogs/modal_run.h"
#include "dialogs/notice.h"
#include "dialogs/progress_dialog.h"
#include "messages/user_messages.h"
#include "parameter_operations/parameter_read_out.h"
#include "parameter_operations/write_verification.h"
#include "settings_dialogs/not_read_marks.h"
#include "settings_dialogs/property_settings_dialog.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(settingsLog, "serverconf.settings", QtWarningMsg)

}  // namespace

void refreshListAndWait(DeviceDiscovery& discovery) {
    discovery.refreshList();
    QEventLoop loop;
    QTimer::singleShot(kSearchWindowMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// Reads the device on the window socket (opened for this command, so no
// late reply of an earlier read-out is taken for this one), then opens the
// property settings when the row's MAC address arrived. A write or factory
// reset closes the dialog with OK; the update window stays open for the list
// refresh and the read-back, and the user is told what did not take.
void runSettings(const WindowContext& context, const DeviceEntry& device) {
    std::unique_ptr<CommandChannel> windowSocket = context.environment.createChannel();
    windowSocket->open(kAnyLocalPort);
    const ReadOutResult readOut = readParameters(context.environment, *windowSocket, &device, context.session, [&] {
        notice(context.window, QString::fromUtf8(kShortReplyMessage), programName());
    });
    windowSocket->close();
    qCDebug(settingsLog) << "read-out of" << device.deviceAddress << device.macAddress << "short replies"
                         << readOut.shortReplies << "read" << (readOut.outcome == ReadOutOutcome::Read);
    if (readOut.outcome != ReadOutOutcome::Read) {
        const bool wrongDevice = readOut.outcome == ReadOutOutcome::WrongDevice;
        notice(context.window, userMessage(wrongDevice ? kWrongDeviceMessage : kCheckConnectionMessage));
        return;
    }
    PropertySettingsDialog dialog(context.environment, context.session, readOut.route, readOut.missingTags,
                                  context.window);
    dialog.setAddressHolders([&](const QString& address) { return context.devices.otherDevicesAt(device, address); });
    if (runModal(dialog) != QDialog::Accepted) return;
    WriteVerification verification;
    ProgressDialog::run(ProgressMode::Update, context.window, [&] {
        refreshListAndWait(context.discovery);
        if (!dialog.sent()) return;
        verification = verifySentValues(
            context.environment,
            readBackOf(context.environment, readOut.route, device.deviceAddress, device.macAddress, *dialog.sent()));
        // A device given its address again may move only now.
        if (verification.ipResent) refreshListAndWait(context.discovery);
    });
    if (!verification.verified()) {
        notice(context.window, userMessage(kNotTakenMessage) + parameterNames(verification.notTaken));
    }
}

}  // namespace serverconf
