#include "hostile_reader.h"

#include "readersim/pseudo_terminal.h"
#include "readersim/reader_model.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <utility>

namespace hostile_peers {

using readersim::ParseOutcome;

struct HostileReader::Impl {
    readersim::PseudoTerminal terminal;
    std::mt19937 random;
    mutable std::mutex mutex;
    Behaviour behaviour = [](const readersim::Request&) { return Answer::Honest; };
    readersim::ReaderState card = readersim::ReaderState::fresh();
    std::vector<Exchange> exchanges;
    std::atomic<bool> stopping{false};
    std::thread thread;

    Impl(const std::filesystem::path& link, std::uint32_t seed) : terminal(link), random(seed) {}

    std::string randomBytes(std::size_t count) {
        std::uniform_int_distribution<int> byte(0, 255);
        std::string bytes(count, '\0');
        for (char& c : bytes) c = static_cast<char>(byte(random));
        return bytes;
    }

    std::size_t randomLength(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    }

    // Random bytes a library cannot take for `honest`: shorter than a reply
    // of fixed length (any 32 characters are a block as far as the protocol
    // can tell), or of full length without the leading "DONE".
    std::string noiseFor(const std::string& honest) {
        if (honest.empty()) return randomBytes(randomLength(1, 16));  // bytes nobody asked for
        std::string noise = randomBytes(randomLength(1, honest.size()));
        if (noise.size() == honest.size()) {
            if (honest.starts_with("DONE"))
                noise[0] = 'X';
            else
                noise.pop_back();
        }
        return noise;
    }

    std::string bytesFor(Answer answer, const std::string& honest) {
        switch (answer) {
            case Answer::Honest: return honest;
            case Answer::HonestThenNoise: return honest + randomBytes(randomLength(1, 40));
            case Answer::Silent: return {};
            case Answer::Partial:
                return honest.size() < 2 ? std::string() : honest.substr(0, randomLength(1, honest.size() - 1));
            case Answer::Noise: return noiseFor(honest);
        }
        return {};
    }

    std::string answer(const readersim::Request& request, std::string_view frame) {
        std::lock_guard lock(mutex);
        readersim::ReaderState next = card;
        const std::string honest = readersim::answerRequest(next, request, true).value_or("");
        const Answer chosen = behaviour(request);
        if (isHonest(chosen)) card = next;
        Exchange exchange{std::string(frame), chosen, bytesFor(chosen, honest), honest};
        exchanges.push_back(exchange);
        return exchange.sent;
    }

    void serve() {
        std::string pending;
        const int fd = terminal.masterFd();
        while (!stopping) {
            pollfd watch{fd, POLLIN, 0};
            if (::poll(&watch, 1, 20) <= 0 || !(watch.revents & POLLIN)) continue;
            char buffer[256];
            const ssize_t count = ::read(fd, buffer, sizeof buffer);
            if (count <= 0) continue;
            pending.append(buffer, static_cast<std::size_t>(count));
            for (;;) {
                const ParseOutcome outcome = readersim::parseFrame(pending);
                if (outcome.status == ParseOutcome::Status::NeedMore) break;
                if (outcome.status == ParseOutcome::Status::Frame) {
                    const std::string reply =
                        answer(outcome.request, std::string_view(pending).substr(0, outcome.consumed));
                    if (!reply.empty() && ::write(fd, reply.data(), reply.size()) != static_cast<ssize_t>(reply.size()))
                        std::fprintf(stderr, "hostile reader: a reply was not written in full\n");
                }
                pending.erase(0, outcome.consumed);
            }
        }
    }
};

HostileReader::HostileReader(const std::filesystem::path& directory, int port, std::uint32_t seed)
    : impl_(std::make_unique<Impl>(directory / ("COM" + std::to_string(port)), seed)) {
    impl_->thread = std::thread([this] { impl_->serve(); });
}

HostileReader::~HostileReader() {
    impl_->stopping = true;
    impl_->thread.join();
}

void HostileReader::setBehaviour(Behaviour behaviour) {
    std::lock_guard lock(impl_->mutex);
    impl_->behaviour = std::move(behaviour);
}

readersim::ReaderState HostileReader::card() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->card;
}

void HostileReader::setCard(const readersim::ReaderState& card) {
    std::lock_guard lock(impl_->mutex);
    impl_->card = card;
}

bool HostileReader::portHeldOpen() const { return impl_->terminal.heldOpen(); }

std::vector<Exchange> HostileReader::takeExchanges() {
    std::lock_guard lock(impl_->mutex);
    return std::exchange(impl_->exchanges, {});
}

}  // namespace hostile_peers
