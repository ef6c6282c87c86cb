#pragma once
// Runs a program as a child process and collects its exit status and its
// output, for tests of the command-line programs. A program still running at
// the time limit is killed.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testsupport {

struct ProgramOutcome {
    int exitCode = -1;  // -1 when it did not exit normally (crashed, killed, not started)
    QString out;        // standard output, UTF-8
    QString err;        // standard error, UTF-8; empty when it went to standardErrorPath
};

struct ProgramSettings {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString standardErrorPath;  // a file or terminal to give the program as standard error
    int timeLimitMs = 60000;
};

ProgramOutcome runProgram(const QString& program, const QStringList& arguments, const ProgramSettings& settings = {});

}  // namespace testsupport
