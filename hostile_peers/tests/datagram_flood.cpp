#include "datagram_flood.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>

namespace hostile_peers {
namespace {

constexpr std::size_t kLongestDatagram = 300;

sockaddr_in ipv4Address(const std::string& dotted, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (::inet_pton(AF_INET, dotted.c_str(), &address.sin_addr) != 1 || (ntohl(address.sin_addr.s_addr) >> 24) != 127)
        throw std::runtime_error("not a loopback address: " + dotted);
    return address;
}

}  // namespace

DatagramFlood::DatagramFlood(FloodPlan plan) : plan_(std::move(plan)) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) throw std::runtime_error(std::string("no socket: ") + std::strerror(errno));
    const int on = 1;
    ::setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    const sockaddr_in from = ipv4Address(plan_.fromAddress, 0);
    if (::bind(socket_, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0) {
        ::close(socket_);
        throw std::runtime_error(std::string("cannot bind the flood socket: ") + std::strerror(errno));
    }
    thread_ = std::thread([this] { run(); });
}

DatagramFlood::~DatagramFlood() {
    finish();
    ::close(socket_);
}

int DatagramFlood::finish() {
    if (thread_.joinable()) thread_.join();
    return sent_;
}

void DatagramFlood::run() {
    std::vector<sockaddr_in> destinations;
    for (const FloodTarget& target : plan_.targets) destinations.push_back(ipv4Address(target.address, target.port));
    if (destinations.empty()) return;
    std::mt19937 random(plan_.seed);
    std::uniform_int_distribution<std::size_t> length(0, kLongestDatagram);
    std::uniform_int_distribution<int> byte(0, 255);
    const auto end = std::chrono::steady_clock::now() + plan_.duration;
    // Spread over the whole duration, so the flood overlaps what it attacks.
    const auto gap = std::chrono::duration_cast<std::chrono::microseconds>(plan_.duration) / plan_.count;
    for (int i = 0; i < plan_.count && std::chrono::steady_clock::now() < end; ++i) {
        std::string payload = plan_.forgedPayload;
        if (payload.empty()) {
            payload.resize(length(random));
            for (char& c : payload) c = static_cast<char>(byte(random));
        }
        const sockaddr_in& to = destinations[static_cast<std::size_t>(i) % destinations.size()];
        if (::sendto(socket_, payload.data(), payload.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) >=
            0)
            ++sent_;
        std::this_thread::sleep_for(gap);
    }
}

}  // namespace hostile_peers
