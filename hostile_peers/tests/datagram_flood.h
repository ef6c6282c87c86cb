#pragma once
// A hostile peer on loopback: sends random datagrams of 0 to 300 bytes (or
// one forged payload), from its own address, round-robin to a list of
// destinations, on a thread of its own. The flood is bounded both in count
// and in time.

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace hostile_peers {

struct FloodTarget {
    std::string address;  // dotted IPv4, within 127.0.0.0/8
    std::uint16_t port;
};

struct FloodPlan {
    std::string fromAddress = "127.0.0.66";
    std::vector<FloodTarget> targets;
    int count = 2000;                          // datagrams at most
    std::chrono::milliseconds duration{1500};  // and no longer than this
    std::uint32_t seed = 1;
    // When set, every datagram carries these bytes instead of random ones (a
    // peer that forges replies).
    std::string forgedPayload{};
};

class DatagramFlood {
public:
    // Starts sending at once. Throws std::runtime_error when the socket
    // cannot be made.
    explicit DatagramFlood(FloodPlan plan);
    ~DatagramFlood();  // waits for the flood to end
    DatagramFlood(const DatagramFlood&) = delete;
    DatagramFlood& operator=(const DatagramFlood&) = delete;

    // Waits until the flood has ended; the number of datagrams sent.
    int finish();

private:
    void run();

    FloodPlan plan_;
    int socket_ = -1;
    int sent_ = 0;
    std::thread thread_;
};

}  // namespace hostile_peers
