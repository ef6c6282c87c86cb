// Main of the serverconf test programs: a private loopback network first
// (fixed ports and broadcasts stay inside it), then Qt, then the tests.

#include "testsupport/pinned_environment.h"
#include "testsupport/private_network.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testsupport::pinLanguageAndSettings();
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
