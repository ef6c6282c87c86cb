// One card-purse block read, the way the library does it (open, write the
// 7-byte request, read the 32-byte reply, close), against the reader
// simulator timing every byte at 9600 baud. Prints the median exchange time,
// the line time of the 39 bytes and the difference: the link's overhead.
//
//   readerlink_exchange_bench [repetitions]     (default 300)

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "readerlink/reader_link.h"
#include "readersim/port_directory.h"

namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kPort = 5;
constexpr char kRequest[] = "Da0105!";
constexpr std::size_t kReplyLength = 32;

bool exchange(readerlink::ReaderLink& link) {
    char reply[kReplyLength];
    if (link.OpenCOMM(std::to_string(kPort).c_str()) != 1) return false;
    const bool ok = link.WriteCOMM(kRequest, sizeof kRequest - 1) != 0 && link.ReadCOMM(reply, sizeof reply) == 1;
    return link.CloseCOMM() != 0 && ok;
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const readersim::PortDirectory ports;
    readersim::Config config;
    config.options.pacing = true;
    const std::unique_ptr<readersim::ReaderSimulator> simulator = ports.startReader(kPort, config);
    readerlink::ReaderLink link(readerlink::kCardPurseTimeouts);

    std::vector<double> times;
    for (int i = 0; i < repetitions + 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!exchange(link)) {
            std::fprintf(stderr, "exchange %d failed (CARDPAYMENT_DEBUG=1 tells why)\n", i);
            return 1;
        }
        if (i >= 5) times.push_back(Milliseconds(std::chrono::steady_clock::now() - start).count());  // 5 warm-up runs
    }
    const double lineTime = Milliseconds(readersim::kByteTime * (sizeof kRequest - 1 + kReplyLength)).count();
    const double median = percentile(times, 0.5);
    std::printf("exchanges:            %d (open, write 7 bytes, read 32, close; 9600 baud paced)\n", repetitions);
    std::printf("median exchange time: %.3f ms (min %.3f, 90th percentile %.3f)\n", median, percentile(times, 0.0),
                percentile(times, 0.9));
    std::printf("line time of 39 bytes: %.3f ms\n", lineTime);
    std::printf("overhead (median):    %.3f ms (target at most 2 ms)\n", median - lineTime);
    return 0;
}
