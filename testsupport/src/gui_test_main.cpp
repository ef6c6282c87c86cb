// Test main for the widget tests: an offscreen application.
#include "testsupport/pinned_environment.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testsupport::pinLanguageAndSettings();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
