// Two cardpurse operations against the reader simulator timing every byte at
// 9600 baud: ReadCardInformation (four block reads) and SetCardPassAll (32
// trailer exchanges, two reader-key loads, one block read). For each, prints
// the median wall time, the floor (line time of every byte exchanged, taken
// from the simulator's log, plus the 300 ms waits of the reader-key loads) and
// their ratio. A reader-key load has no reply, so its 15 bytes travel during
// its wait; the tighter floor counts them once, inside the wait, and its
// ratio is printed as well.
//
//   cardpurse_operations_bench [information runs] [key-change runs]    (default 30 7)

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cardpurse.h"
#include "readersim/port_directory.h"

namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kPort = 6;
constexpr double kReaderKeyWaitMs = 300.0;

struct Figures {
    double medianMs;
    double floorMs;
    double tightFloorMs;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Line time of the frames and replies of one run plus the waits that follow
// each reader-key load: once added up, once with the key-load bytes inside
// their wait.
void addFloors(const std::vector<readersim::FrameRecord>& log, Figures& figures) {
    figures.floorMs = figures.tightFloorMs = 0;
    for (const auto& record : log) {
        const double line =
            Milliseconds(readersim::kByteTime * static_cast<long>(record.frame.size() + record.reply.size())).count();
        const bool keyLoad = record.request.command == readersim::Command::LoadKey;
        figures.floorMs += line + (keyLoad ? kReaderKeyWaitMs : 0);
        figures.tightFloorMs += keyLoad ? std::max(line, kReaderKeyWaitMs) : line;
    }
}

// Runs `operation` on a fresh card `runs` times (plus one warm-up run).
Figures measure(readersim::ReaderSimulator& reader, int runs, const std::function<int()>& operation, const char* name) {
    std::vector<double> times;
    Figures figures{};
    for (int i = 0; i <= runs; ++i) {
        reader.setState(readersim::ReaderState::fresh());
        reader.clearFrameLog();
        const auto start = std::chrono::steady_clock::now();
        if (operation() != 1) {
            std::fprintf(stderr, "%s failed (CARDPAYMENT_DEBUG=1 tells why)\n", name);
            std::exit(1);
        }
        const double elapsed = Milliseconds(std::chrono::steady_clock::now() - start).count();
        if (i == 0) continue;
        times.push_back(elapsed);
        addFloors(reader.frameLog(), figures);
    }
    figures.medianMs = median(times);
    return figures;
}

void print(const char* name, int runs, const Figures& figures) {
    std::printf("%-20s runs %3d  median %9.3f ms  floor %9.3f ms  ratio %.4f  (tighter floor %9.3f ms, ratio %.4f)\n",
                name, runs, figures.medianMs, figures.floorMs, figures.medianMs / figures.floorMs, figures.tightFloorMs,
                figures.medianMs / figures.tightFloorMs);
}

}  // namespace

int main(int argc, char** argv) {
    const int informationRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const int keyChangeRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const readersim::PortDirectory ports;
    readersim::Config config;
    config.options.pacing = true;
    const std::unique_ptr<readersim::ReaderSimulator> simulator = ports.startReader(kPort, config);
    readersim::ReaderSimulator& reader = *simulator;

    const Figures information = measure(
        reader, informationRuns,
        [] {
            char accountNo[9], cardNo[9], name[19], department[19], balance[8], limitCount[4], limitMoney[9],
                limitTime[7], gbCode[3], lssjCount[6];
            return ReadCardInformation(kPort, accountNo, cardNo, name, department, balance, limitCount, limitMoney,
                                       limitTime, gbCode, lssjCount);
        },
        "ReadCardInformation");
    const Figures keyChange = measure(
        reader, keyChangeRuns, [] { return SetCardPassAll(kPort, "A0A1A2A3A4A5"); }, "SetCardPassAll");

    std::printf(
        "9600 baud, 10 bits a byte (%.4f ms); floor = line time of all bytes exchanged + 300 ms per "
        "reader-key load; target ratio at most 1.05\n",
        Milliseconds(readersim::kByteTime).count());
    print("ReadCardInformation", informationRuns, information);
    print("SetCardPassAll", keyChangeRuns, keyChange);
    return 0;
}
