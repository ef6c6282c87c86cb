// Times the parameter read-out of one device served by devicesim and sets it
// beside the floor its fixed pauses impose: 100 ms after the probe and 22
// rounds of 50 ms on the local network (1.2 s), 100 + 10 ms and the same
// rounds on another network (1.21 s). Runs in a private loopback network.
//
//   serverconf_readout_bench [runs]      (default 21 runs per form)

#include "parameter_operations/parameter_read_out.h"

#include "channel/udp_environment.h"
#include "devicesim_process.h"
#include "testsupport/private_network.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace serverconf;

struct Form {
    const char* name;
    DeviceEntry row;
    double floorMs;
};

struct Figures {
    double medianMs = 0;
    double minMs = 0;
    double maxMs = 0;
    int failures = 0;
};

Figures measure(NetworkEnvironment& environment, CommandChannel& window, const DeviceEntry& row, int runs) {
    std::vector<double> times;
    Figures figures;
    for (int run = 0; run < runs; ++run) {
        DeviceSession session;
        QElapsedTimer timer;
        timer.start();
        const ReadOutResult result = readParameters(environment, window, &row, session);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (result.outcome != ReadOutOutcome::Read) ++figures.failures;
    }
    std::sort(times.begin(), times.end());
    figures.medianMs = times[times.size() / 2];
    figures.minMs = times.front();
    figures.maxMs = times.back();
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    if (!testsupport::enterPrivateLoopbackNetworkOrReport()) return 1;
    qputenv("SERVERCONF_BROADCAST", "127.255.255.255");
    qputenv("SERVERCONF_LOCAL_ADDRESS", "127.0.0.1");
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    devicesim::DeviceSimProcess simulator({QStringLiteral("addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1"),
                                           QStringLiteral("addr=127.0.9.5,mac=009988776655,user=far,name=gate-9")});
    QString startError;
    if (!simulator.start(startError)) {
        std::fprintf(stderr, "%s\n", qPrintable(startError));
        return 1;
    }
    UdpEnvironment environment;
    std::unique_ptr<CommandChannel> window = environment.createChannel();
    if (!window->open(0)) {
        std::fprintf(stderr, "cannot open the window socket\n");
        return 1;
    }

    const Form forms[] = {
        {"local network (probe, unicast)", {1, "001122334455", "ops/gate-1", "127.0.0.5", {}}, 1200.0},
        {"other network (broadcast)", {0, "009988776655", "far/gate-9", "127.0.9.5", {}}, 1210.0},
    };
    std::printf("serverconf read-out of one device, devicesim on loopback, %d runs per form\n", runs);
    std::printf("%-32s %10s %10s %10s %10s %7s %8s\n", "form", "floor ms", "median ms", "min ms", "max ms", "ratio",
                "failed");
    bool withinTarget = true;
    for (const Form& form : forms) {
        const Figures figures = measure(environment, *window, form.row, runs);
        const double ratio = figures.medianMs / form.floorMs;
        withinTarget = withinTarget && ratio <= 1.05 && figures.failures == 0;
        std::printf("%-32s %10.1f %10.1f %10.1f %10.1f %7.3f %8d\n", form.name, form.floorMs, figures.medianMs,
                    figures.minMs, figures.maxMs, ratio, figures.failures);
    }
    std::printf("target: median / floor <= 1.05 and no failed read-out: %s\n", withinTarget ? "met" : "NOT met");
    return withinTarget ? 0 : 1;
}
