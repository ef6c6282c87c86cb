#pragma once
// serverconf-cli as the end-to-end tests run it: a child process in the
// test's private loopback network, its output and exit status, and what
// the simulated devices received from it.

#include "devicesim_process.h"
#include "testsupport/program_run.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace serverconf {

using CliRun = testsupport::ProgramOutcome;

// Runs serverconf-cli with "--wait 250" and the loopback broadcast and local
// address; `variables` ("NAME=value") replace those. `standardErrorPath`:
// a terminal to give the program as its standard error.
CliRun runCli(const QStringList& arguments, const QStringList& variables = {}, const QString& standardErrorPath = {});

// Payloads of the datagrams that came from local port `port`, in order;
// `allBroadcast` tells whether every one of them was a broadcast.
QStringList sentFrom(const QList<devicesim::LogRecord>& received, quint16 port, bool* allBroadcast = nullptr);

// The payloads up to the first "E", which ends a set exchange (the read-back
// that follows it on the same port is left out).
QStringList setExchangeOf(const QStringList& payloads);

// A pseudo-terminal: the program writes to its terminal side (path()), the
// test reads what arrived.
class TerminalCapture {
public:
    TerminalCapture();
    ~TerminalCapture();
    TerminalCapture(const TerminalCapture&) = delete;
    TerminalCapture& operator=(const TerminalCapture&) = delete;

    bool isOpen() const { return terminal_ >= 0; }
    QString path() const { return path_; }
    // Everything written to the terminal since the last call.
    QString takeText();

private:
    int controller_ = -1;
    int terminal_ = -1;  // held open, so the terminal never hangs up between runs
    QString path_;
};

// A test against devicesim, started with the devices given, and a scratch folder.
class CliAgainstDeviceSim : public ::testing::Test {
protected:
    void start(const QStringList& devices) {
        simulator = std::make_unique<devicesim::DeviceSimProcess>(devices);
        QString error;
        ASSERT_TRUE(simulator->start(error)) << error.toStdString();
    }
    std::unique_ptr<devicesim::DeviceSimProcess> simulator;
    QTemporaryDir directory;
};

}  // namespace serverconf
