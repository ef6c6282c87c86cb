#include "app/program.h"

#include "app/device_manager_dialog.h"
#include "app/window_images.h"
#include "app/window_place.h"
#include "channel/udp_environment.h"
#include "dialogs/notice.h"
#include "messages/user_messages.h"
#include "params/gbk_text.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QUdpSocket>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(programLog, "serverconf.program", QtWarningMsg)

}  // namespace

bool socketLayerAvailable() {
    QUdpSocket probe;
    if (probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) return true;
    qCDebug(programLog) << "no datagram socket:" << probe.errorString();
    return false;
}

int runProgram(bool socketLayerReady, bool gbkReady) {
    if (!socketLayerReady) {
        notice(nullptr, QCoreApplication::translate("serverconf::Program", "Windows 通信端口初始化失败。"),
               programName());
        return 1;
    }
    if (!gbkReady) {
        notice(nullptr, userMessage(kGbkMissingMessage), programName());
        return 1;
    }
    QApplication::setWindowIcon(programIcon());
    UdpEnvironment environment;
    DeviceSession session;
    DeviceManagerDialog window(environment, session);
    restoreWindowPlace(window);
    window.run();
    rememberWindowPlace(window);
    return 0;
}

}  // namespace serverconf
