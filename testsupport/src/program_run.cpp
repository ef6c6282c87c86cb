#include "testsupport/program_run.h"

#include <QProcess>

namespace testsupport {

ProgramOutcome runProgram(const QString& program, const QStringList& arguments, const ProgramSettings& settings) {
    QProcess process;
    process.setProcessEnvironment(settings.environment);
    if (!settings.standardErrorPath.isEmpty())
        process.setStandardErrorFile(settings.standardErrorPath, QIODevice::Append);
    process.start(program, arguments);
    if (!process.waitForFinished(settings.timeLimitMs)) {
        process.kill();
        process.waitForFinished();
    }
    return ProgramOutcome{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                          QString::fromUtf8(process.readAllStandardOutput()),
                          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace testsupport
