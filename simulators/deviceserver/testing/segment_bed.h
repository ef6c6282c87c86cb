#pragma once
// A small network of device segments for tests and benchmarks, built inside
// the calling process's own private network namespace (which must hold
// nothing but loopback when the bed is set up). Each segment is a veth
// pair: the computer's end ("seg0", "seg1", ...) stays here with the
// computer's address; the device end ("veth") goes into a child namespace of
// its own, held by a sleeping child process, where it carries the devices'
// addresses and a default route, so that a device outside the computer's
// subnet can still answer. devicesim runs in each child namespace.
// Everything is undone by ending the child processes (by their ids).

#include "devicesim_process.h"

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace devicesim {

struct SegmentSpec {
    QString computerAddress;                      // with prefix, "192.0.2.1/24"
    QStringList deviceOptions;                    // devicesim --device options, addr= as on the segment
    QString devicePrefix = QStringLiteral("24");  // prefix length of the device addresses
};

class SegmentBed {
public:
    SegmentBed() = default;
    ~SegmentBed();
    SegmentBed(const SegmentBed&) = delete;
    SegmentBed& operator=(const SegmentBed&) = delete;

    // Builds the segments and starts devicesim on each; false with the
    // reason when this namespace holds more than loopback or a step fails.
    bool setUp(const QList<SegmentSpec>& segments, QString& error);

    // The computer's interface of segment `index`.
    static QString interfaceName(int index) { return QStringLiteral("seg%1").arg(index); }
    DeviceSimProcess& devices(int index) { return *segments_[index]->devices; }
    int segmentCount() const { return static_cast<int>(segments_.size()); }

    // True when this process's namespace has no interface but loopback.
    static bool holdsOnlyLoopback(QString& found);

private:
    struct Segment {
        std::unique_ptr<QProcess> holder;  // keeps the device namespace alive
        std::unique_ptr<DeviceSimProcess> devices;
    };

    bool addSegment(int index, const SegmentSpec& spec, QString& error);

    std::vector<std::unique_ptr<Segment>> segments_;
};

}  // namespace devicesim
