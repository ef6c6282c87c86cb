#include "app/settings_command.h"

#include "channel/channel_ports.h"
#include "dialogs/modal_run.h"
#include "dialogs/notice.h"
#include "dialogs/progress_dialog.h"
#include "messages/user_messages.h"
#include "parameter_operations/parameter_read_out.h"
#include "settings_dialogs/property_settings_dialog.h"

#include <QLoggingCategory>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(settingsLog, "serverconf.settings", QtWarningMsg)

}  // namespace

// Reads the device on the window socket (opened for this command, so no
// late reply of an earlier read-out is taken for this one), then opens the
// property settings when its MAC address arrived. A write or factory reset
// closes the dialog with OK; the update wait and the list refresh follow.
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
        notice(context.window, userMessage(kCheckConnectionMessage));
        return;
    }
    PropertySettingsDialog dialog(context.environment, context.session, readOut.route, context.window);
    if (runModal(dialog) != QDialog::Accepted) return;
    ProgressDialog::run(ProgressMode::Update, context.window);
    context.discovery.refreshList();
}

}  // namespace serverconf
