#include "segment_bed.h"

#include <QDeadlineTimer>
#include <QNetworkInterface>
#include <QThread>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

namespace devicesim {
namespace {

// Runs a command to its end; false with its error output when it fails.
bool run(const QString& program, const QStringList& arguments, QString& error, const QByteArray& input = {}) {
    QProcess process;
    process.start(program, arguments);
    if (!input.isEmpty()) {
        process.write(input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error =
            QStringLiteral("%1 %2: %3")
                .arg(program, arguments.join(u' '), QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

// The identity of a process's network namespace ("net:[4026532...]").
QString networkNamespaceOf(const QString& pid) {
    char target[64] = {};
    const QByteArray path = QStringLiteral("/proc/%1/ns/net").arg(pid).toLocal8Bit();
    const ssize_t length = ::readlink(path.constData(), target, sizeof target - 1);
    return length > 0 ? QString::fromLatin1(target, length) : QString();
}

// `ip` commands run in the namespace of process `pid`, in one batch.
bool runInNamespace(qint64 pid, const QStringList& ipCommands, QString& error) {
    return run(QStringLiteral("nsenter"),
               {QStringLiteral("-t"), QString::number(pid), QStringLiteral("-n"), QStringLiteral("--"),
                QStringLiteral("ip"), QStringLiteral("-batch"), QStringLiteral("-")},
               error, ipCommands.join(u'\n').toUtf8() + '\n');
}

QString addressOfSpec(const QString& spec) {
    for (const QString& item : spec.split(u',')) {
        if (item.trimmed().startsWith(QStringLiteral("addr="))) return item.trimmed().mid(5);
    }
    return {};
}

}  // namespace

SegmentBed::~SegmentBed() {
    for (auto& segment : segments_) {
        if (segment->devices) segment->devices->stop();
        if (segment->holder && segment->holder->state() != QProcess::NotRunning) {
            segment->holder->kill();  // by its own process id
            segment->holder->waitForFinished(3000);
        }
    }
}

bool SegmentBed::holdsOnlyLoopback(QString& found) {
    QStringList others;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        if (!interface.flags().testFlag(QNetworkInterface::IsLoopBack)) others << interface.name();
    }
    found = others.join(u' ');
    return others.isEmpty();
}

bool SegmentBed::setUp(const QList<SegmentSpec>& segments, QString& error) {
    QString found;
    if (!holdsOnlyLoopback(found)) {
        error = QStringLiteral("refused: this network namespace holds more than loopback (%1)").arg(found);
        return false;
    }
    for (int i = 0; i < segments.size(); ++i) {
        if (!addSegment(i, segments[i], error)) return false;
    }
    return true;
}

bool SegmentBed::addSegment(int index, const SegmentSpec& spec, QString& error) {
    auto segment = std::make_unique<Segment>();
    segment->holder = std::make_unique<QProcess>();
    // Should the test die without ending it, the holder goes with it.
    segment->holder->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    segment->holder->start(QStringLiteral("unshare"),
                           {QStringLiteral("-n"), QStringLiteral("sleep"), QStringLiteral("infinity")});
    if (!segment->holder->waitForStarted(5000)) {
        error = QStringLiteral("cannot start a namespace holder: ") + segment->holder->errorString();
        return false;
    }
    const qint64 pid = segment->holder->processId();
    segments_.push_back(std::move(segment));
    Segment& added = *segments_.back();

    // The holder is ours once unshare has given it a namespace of its own;
    // before that a link moved there would stay here.
    const QString own = networkNamespaceOf(QStringLiteral("self"));
    const QDeadlineTimer deadline(5000);
    while (networkNamespaceOf(QString::number(pid)) == own && !deadline.hasExpired()) QThread::msleep(2);
    if (networkNamespaceOf(QString::number(pid)) == own) {
        error = QStringLiteral("the namespace holder did not leave this namespace");
        return false;
    }

    const QString computerEnd = interfaceName(index);
    const QString deviceEnd = QStringLiteral("dev%1").arg(index);
    if (!run(QStringLiteral("ip"), {QStringLiteral("-batch"), QStringLiteral("-")}, error,
             QStringLiteral("link add %1 type veth peer name %2\n"
                            "link set %2 netns %3\n"
                            "addr add %4 brd + dev %1\n"
                            "link set %1 up\n")
                 .arg(computerEnd, deviceEnd, QString::number(pid), spec.computerAddress)
                 .toUtf8())) {
        return false;
    }
    // Inside, the veth end is called "veth" whatever the segment.
    QStringList inside{QStringLiteral("link set lo up"), QStringLiteral("link set %1 name veth").arg(deviceEnd)};
    for (const QString& device : spec.deviceOptions) {
        inside << QStringLiteral("addr add %1/%2 dev veth").arg(addressOfSpec(device), spec.devicePrefix);
    }
    inside << QStringLiteral("link set veth up") << QStringLiteral("route add default dev veth");
    if (!runInNamespace(pid, inside, error)) return false;

    added.devices = std::make_unique<DeviceSimProcess>(
        spec.deviceOptions, QStringList{QStringLiteral("nsenter"), QStringLiteral("-t"), QString::number(pid),
                                        QStringLiteral("-n"), QStringLiteral("--")});
    // Hundreds of devices take a while to bind under the sanitizers.
    return added.devices->start(error, 60000);
}

}  // namespace devicesim
