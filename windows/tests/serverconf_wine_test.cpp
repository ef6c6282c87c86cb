// serverconf for Windows under wine64 against devicesim, inside the test's
// private loopback network (Wine uses the host's sockets, so the namespace
// holds the Windows programs too). The Windows build must do what the Linux
// build does: the same output, the same datagrams, the same *.ds bytes, and
// the device names (code page 936 on the wire) shown in the window's list.

#include "datagram_log.h"
#include "devicesim_process.h"
#include "testsupport/program_run.h"
#include "wine_prefix.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace windowstest {
namespace {

using devicesim::DeviceSimProcess;

// Chinese user and device names, and MAC addresses with a letter. 亅 and 丄
// are 81 7C and 81 41 in code page 936: their second bytes are "|" and "A".
const QStringList kDevices{
    "addr=127.0.0.5,mac=0011223344A5,user=仓库亅丄,name=门禁",
    "addr=127.0.1.9,mac=00990000000A,user=远端,name=大厅",
};
const std::vector<std::string> kLoopbackSeams{"SERVERCONF_BROADCAST=127.255.255.255",
                                              "SERVERCONF_LOCAL_ADDRESS=127.0.0.1"};
// Wine takes the Windows display language from the locale. The Windows
// build runs with a Chinese one, where the Linux build speaks Chinese under
// the tests' C locale. The locales are made for the test (found through
// LOCPATH): a locale the C library lacks would leave Wine without its UTF-8
// code set, and the arguments garbled.
const std::string kChineseLocale = "zh_CN.UTF-8";
const std::string kEnglishLocale = "en_US.UTF-8";
const std::string kLinuxLocale = "C.UTF-8";

QTemporaryDir& madeLocales() {
    static QTemporaryDir folder;
    return folder;
}

// Makes `locale` ("zh_CN.UTF-8") with localedef; false when it cannot.
bool makeLocale(const std::string& locale) {
    const QString name = QString::fromStdString(locale);
    testsupport::runProgram("localedef", {"-i", name.section(u'.', 0, 0), "-f", "UTF-8", madeLocales().filePath(name)});
    return QFile::exists(madeLocales().filePath(name + "/LC_MESSAGES"));
}

// The loopback seams and the locale of a Windows run, plus `more`.
std::vector<std::string> withLocale(const std::string& locale, std::initializer_list<std::string> more = {}) {
    std::vector<std::string> settings = kLoopbackSeams;
    settings.insert(settings.end(),
                    {"LOCPATH=" + madeLocales().path().toStdString(), "LC_ALL=" + locale, "LANG=" + locale});
    settings.insert(settings.end(), more);
    return settings;
}

struct CliRun {
    int exitStatus = -1;
    std::string output;
    std::string errors;
    QStringList received;  // payloads of the datagrams the devices received, byte for byte (Latin-1)

    bool operator==(const CliRun&) const = default;
};

void PrintTo(const CliRun& run, std::ostream* out) {
    *out << "exit " << run.exitStatus << "\nout: " << run.output << "\nerr: " << run.errors
         << "\nreceived: " << devicesim::escapePayload(run.received.join(u" | ").toLatin1()).toStdString();
}

std::string withNewlines(std::string text) {
    std::erase(text, '\r');
    return text;
}

class ServerconfUnderWine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const std::string& locale : {kChineseLocale, kEnglishLocale}) {
            ASSERT_TRUE(makeLocale(locale)) << "localedef cannot make " << locale << " (package locales)";
        }
        prefix_ =
            std::make_unique<WinePrefix>(WINE_PREFIX_X86_64, WineTools{WINE64_PROGRAM, WINESERVER_PROGRAM, "win64"});
        // What serverconf stored in this prefix's registry in an earlier run (its window's place) goes.
        prefix_->run("reg", {"delete", "HKCU\\Software\\serverconf", "/f"});
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override { restartDevices(); }

    void restartDevices() {
        simulator_.reset();
        simulator_ = std::make_unique<DeviceSimProcess>(kDevices);
        QString error;
        ASSERT_TRUE(simulator_->start(error)) << error.toStdString();
    }

    // serverconf-cli of the Linux build.
    CliRun linuxCli(const QStringList& arguments, const std::string& locale = kLinuxLocale) {
        const qsizetype mark = simulator_->mark();
        testsupport::ProgramSettings settings;
        settings.environment.insert("LC_ALL", QString::fromStdString(locale));
        settings.environment.insert("LANG", QString::fromStdString(locale));
        for (const auto& seam : kLoopbackSeams) {
            const QString setting = QString::fromStdString(seam);
            settings.environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        }
        const testsupport::ProgramOutcome run =
            testsupport::runProgram(LINUX_SERVERCONF_CLI, QStringList{"--wait", "250"} + arguments, settings);
        return CliRun{run.exitCode, run.out.toStdString(), run.err.toStdString(),
                      devicesim::payloads(simulator_->received(mark))};
    }

    // serverconf-cli.exe of the Windows build, under wine64.
    CliRun windowsCli(const QStringList& arguments, const std::string& locale = kChineseLocale) {
        const qsizetype mark = simulator_->mark();
        std::vector<std::string> argv{"--wait", "250"};
        for (const QString& argument : arguments) argv.push_back(argument.toStdString());
        const ProgramRun run = prefix_->run(WINDOWS_SERVERCONF_CLI, argv, withLocale(locale));
        return CliRun{run.exitStatus, withNewlines(run.output), withNewlines(run.errors),
                      devicesim::payloads(simulator_->received(mark))};
    }

    // A path of this computer as the Windows programs name it (drive Z:).
    static QString windowsPath(const QString& path) { return "Z:" + path; }

    static std::unique_ptr<WinePrefix> prefix_;
    std::unique_ptr<DeviceSimProcess> simulator_;
    QTemporaryDir directory_;
};

std::unique_ptr<WinePrefix> ServerconfUnderWine::prefix_;

// An English display language gets the English texts, as an English locale
// does on Linux.
TEST_F(ServerconfUnderWine, AnEnglishDisplayLanguageGetsTheEnglishTexts) {
    const CliRun windowsRun = windowsCli({"read", "127.0.0.77"}, kEnglishLocale);
    EXPECT_EQ(windowsRun.errors, "No device selected!\n");
    EXPECT_EQ(windowsRun, linuxCli({"read", "127.0.0.77"}, kEnglishLocale));
}

TEST_F(ServerconfUnderWine, SearchListsTheChineseNamesAndTheMacAddresses) {
    const CliRun windowsRun = windowsCli({"search"});

    EXPECT_EQ(windowsRun.exitStatus, 0) << windowsRun.errors;
    // The list shows a MAC text without its capital "A"s, as on Linux.
    EXPECT_EQ(windowsRun.output,
              "1\t00112233445\t仓库亅丄/门禁\t127.0.0.5\n"
              "0\t00990000000\t远端/大厅\t127.0.1.9\n");
}

// Each device operation in turn, by each build against a fresh simulator:
// the same exit status, output, messages and datagrams, operation by
// operation (the devices' state carries over from one to the next alike).
TEST_F(ServerconfUnderWine, EveryDeviceOperationDoesWhatTheLinuxBuildDoes) {
    const QList<QStringList> operations{
        {"search"},
        {"locate", "127.0.1.9"},
        {"read", "127.0.0.5"},
        {"write", "127.0.0.5", "BR=7", "DN=新门禁"},
        {"read", "127.0.0.5"},
        {"reset", "127.0.0.5"},
        {"change-ip", "127.0.0.5", "127.0.0.8"},
        {"confirm", "127.0.0.8"},
        {"read", "127.0.1.9"},
        {"read", "127.0.0.77"},
    };
    std::vector<CliRun> linuxRuns;
    for (const QStringList& operation : operations) linuxRuns.push_back(linuxCli(operation));
    restartDevices();
    for (qsizetype i = 0; i < operations.size(); ++i) {
        SCOPED_TRACE(operations[i].join(u' ').toStdString());
        EXPECT_EQ(windowsCli(operations[i]), linuxRuns[std::size_t(i)]);
    }
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot be read)");
}

TEST_F(ServerconfUnderWine, ConfigurationFilesPassBetweenTheBuildsByteForByte) {
    const QString fromWindows = directory_.filePath("windows.ds");
    const QString fromLinux = directory_.filePath("linux.ds");

    const CliRun windowsRead = windowsCli({"read", "127.0.0.5", "--save", windowsPath(fromWindows)});
    const CliRun linuxRead = linuxCli({"read", "127.0.0.5", "--save", fromLinux});
    ASSERT_EQ(windowsRead.exitStatus, 0) << windowsRead.errors;
    ASSERT_EQ(linuxRead.exitStatus, 0) << linuxRead.errors;
    EXPECT_FALSE(contents(fromWindows).isEmpty());
    EXPECT_EQ(contents(fromWindows), contents(fromLinux));

    // Each build writes the other's file to the device renamed since: the
    // saved name (门禁, C3C5 BDFB in code page 936) goes back, alike.
    const QString savedName = QString::fromLatin1("SDN\xc3\xc5\xbd\xfb|19");
    const QStringList rename{"write", "127.0.0.5", "DN=改名"};
    ASSERT_EQ(linuxCli(rename).exitStatus, 0);
    const CliRun linuxWrite = linuxCli({"write", "127.0.0.5", "--load", fromWindows});
    restartDevices();
    ASSERT_EQ(linuxCli(rename).exitStatus, 0);
    const CliRun windowsWrite = windowsCli({"write", "127.0.0.5", "--load", windowsPath(fromLinux)});
    EXPECT_EQ(linuxWrite.exitStatus, 0) << linuxWrite.errors;
    EXPECT_TRUE(linuxWrite.received.contains(savedName)) << linuxWrite.received.join(u' ').toStdString();
    EXPECT_EQ(windowsWrite, linuxWrite);
}

// A backup of several devices: the Windows build works on them side by side
// (each on sockets of its own, in worker threads) and saves what the Linux
// build saves, file for file.
TEST_F(ServerconfUnderWine, SeveralDevicesAreBackedUpSideBySideAsOnLinux) {
    QStringList fleet;
    for (int n = 1; n <= 6; ++n) {
        fleet << QStringLiteral("addr=127.0.0.%1,mac=00112233440%2,user=站%2,name=闸机%2,PN=%2001").arg(n + 10).arg(n);
    }
    simulator_ = std::make_unique<DeviceSimProcess>(fleet);
    QString error;
    ASSERT_TRUE(simulator_->start(error)) << error.toStdString();
    const qsizetype mark = simulator_->mark();

    const CliRun windowsRun = windowsCli({"read", "--all", "--save-dir", windowsPath(directory_.filePath("windows"))});
    const QList<devicesim::LogRecord> windowsReceived = simulator_->received(mark);
    const CliRun linuxRun = linuxCli({"read", "--all", "--save-dir", directory_.filePath("linux")});

    EXPECT_EQ(windowsRun.exitStatus, 0) << windowsRun.errors;
    // The same lines, but for the folder each build saved to.
    const QString windowsFolder = windowsPath(directory_.filePath("windows"));
    EXPECT_EQ(QString::fromStdString(windowsRun.output).replace(windowsFolder, directory_.filePath("linux")),
              QString::fromStdString(linuxRun.output));
    for (int n = 1; n <= 6; ++n) {
        const QString file = QStringLiteral("00112233440%1.ds").arg(n);
        SCOPED_TRACE(file.toStdString());
        EXPECT_NE(contents(directory_.filePath("linux/" + file)), QByteArray("(cannot be read)"));
        EXPECT_EQ(contents(directory_.filePath("windows/" + file)), contents(directory_.filePath("linux/" + file)));
    }
    // Side by side: every device was opened ("L") before any was asked its
    // last value; one after another, each "L" would follow the others' reads.
    double lastOpening = 0;
    double firstLastValue = -1;
    for (const devicesim::LogRecord& record : windowsReceived) {
        if (record.payload == "L") lastOpening = std::max(lastOpening, record.timeMs);
        if (record.payload == "GNM|21" && firstLastValue < 0) firstLastValue = record.timeMs;
    }
    EXPECT_LT(lastOpening, firstLastValue) << "the devices were read one after another";
}

// The system's code page 936 converts the table of the Linux tests exactly.
TEST_F(ServerconfUnderWine, CodePage936TableConvertsExactlyBothWays) {
    const ProgramRun check =
        prefix_->run(WINDOWS_GBK_CHECK, {windowsPath(QStringLiteral(GBK_FIXTURES)).toStdString()}, {});

    EXPECT_EQ(check.exitStatus, 0) << check.output << check.errors;
    EXPECT_TRUE(withNewlines(check.output).ends_with(" pairs exact\n")) << check.output;
}

TEST_F(ServerconfUnderWine, WindowListsTheDevicesWithTheirNamesAfterTheStartUpSearch) {
    const std::vector<std::string> settings = withLocale(kChineseLocale, {"QT_QPA_PLATFORM=offscreen"});

    const ProgramRun window = prefix_->run(WINDOWS_WINDOW_PROBE, {}, settings);

    EXPECT_EQ(window.exitStatus, 0) << window.errors;
    EXPECT_EQ(withNewlines(window.output),
              "00112233445\t仓库亅丄/门禁\t127.0.0.5\n"
              "00990000000\t远端/大厅\t127.0.1.9\n");
}

}  // namespace
}  // namespace windowstest
