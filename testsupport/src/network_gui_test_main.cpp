// Main of the window tests that talk to devicesim: a private loopback
// network first (before Qt, threads or sockets), the addresses the program
// sees there, then an offscreen application.

#include "testsupport/pinned_environment.h"
#include "testsupport/private_network.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testsupport::pinLanguageAndSettings();
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    qputenv("SERVERCONF_BROADCAST", "127.255.255.255");
    qputenv("SERVERCONF_LOCAL_ADDRESS", "127.0.0.1");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
