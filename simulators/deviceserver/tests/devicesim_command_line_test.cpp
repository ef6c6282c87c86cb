// The devicesim program's command line: help, and the usage errors that end
// it with status 2 before any socket is bound.

#include "testsupport/program_run.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace devicesim {
namespace {

using Outcome = testsupport::ProgramOutcome;

Outcome devicesim(const QStringList& arguments) {
    testsupport::ProgramSettings settings;
    settings.timeLimitMs = 10000;
    return testsupport::runProgram(QStringLiteral(DEVICESIM_PATH), arguments, settings);
}

TEST(DevicesimCommandLine, HelpPrintsTheOptionsOnStandardOutput) {
    for (const char* help : {"--help", "-h"}) {
        const Outcome run = devicesim({help});
        EXPECT_EQ(run.exitCode, 0) << help;
        EXPECT_TRUE(run.out.contains("--device <option>")) << run.out.toStdString();
        EXPECT_EQ(run.err, "") << help;
    }
}

TEST(DevicesimCommandLine, UsageErrorsExitTwoWithTheReason) {
    const struct {
        QStringList arguments;
        const char* error;
    } cases[] = {
        {{"--frob"}, "devicesim: Unknown option 'frob'.\n"},
        {{"--device"}, "devicesim: Missing value after '--device'.\n"},
        {{"--device", "addr=127.0.0.5", "extra"}, "devicesim: unexpected argument extra\n"},
        {{}, "devicesim: no device given (--device or --config)\n"},
        {{"--device", "addr=10.0.0.5"},
         "devicesim: refused: addresses outside 127.0.0.0/8 need a private test segment ("},
        {{"--device", "addr=10.0.0"}, "devicesim: 10.0.0 is not an IPv4 address in: addr=10.0.0\n"},
        {{"--device", "addr=127.0.0.5", "--device", "addr=127.0.0.5"}, "devicesim: two devices at 127.0.0.5\n"},
        {{"--config", "/nonexistent/devices.conf"}, "devicesim: cannot read /nonexistent/devices.conf\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = devicesim(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        // The refusal ends with why this namespace is no test segment.
        EXPECT_TRUE(run.err.startsWith(c.error)) << run.err.toStdString();
        EXPECT_EQ(run.out, "") << "never ready";
    }
}

TEST(DevicesimCommandLine, ConfigFileErrorsNameTheFileAndLine) {
    QTemporaryDir directory;
    const QString path = directory.filePath("devices.conf");
    QFile config(path);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("# two devices\naddr=127.0.0.5\n\naddr=127.0.0.6,colour=red\n");
    config.close();
    Outcome run = devicesim({"--config", path});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              QStringLiteral("devicesim: %1, line 4: unknown item colour in: addr=127.0.0.6,colour=red\n").arg(path));

    ASSERT_TRUE(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write("addr=127.0.0.5\naddr=127.0.0.5\n");
    config.close();
    run = devicesim({"--config", path});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, QStringLiteral("devicesim: %1, line 2: two devices at 127.0.0.5\n").arg(path));
}

}  // namespace
}  // namespace devicesim
