// Main of the serverconf test programs: a private loopback network first
// (fixed ports and broadcasts stay inside it), then Qt, then the tests.

#include "testsupport/private_network.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::string error;
    if (!testsupport::enterPrivateLoopbackNetwork(error)) {
        std::fprintf(stderr, "cannot enter a private loopback network: %s\n", error.c_str());
        return 1;
    }
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
