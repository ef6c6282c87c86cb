#include "readersim/reader_simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "common/debug_log.h"
#include "readersim/pseudo_terminal.h"

namespace readersim {
namespace {

constexpr const char* kLog = "readersim";

int millisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::string applyFault(std::string reply, ReplyFault fault) {
    switch (fault) {
        case ReplyFault::None: return reply;
        case ReplyFault::NoReply: return {};
        case ReplyFault::ShortReply: return reply.substr(0, reply.empty() ? 0 : reply.size() - 1);
        case ReplyFault::GarbageReply: return std::string(reply.size(), '#');
    }
    return reply;
}

}  // namespace

struct ReaderSimulator::Impl {
    explicit Impl(const Config& config)
        : terminal(std::make_unique<PseudoTerminal>(config.directory / ("COM" + std::to_string(config.portNumber)))),
          linkPath(terminal->link()),
          terminalPath(terminal->slaveName()),
          portNumber(config.portNumber),
          options(config.options),
          state(config.initialState),
          observer(config.frameObserver) {
        if (::pipe2(stopPipe, O_CLOEXEC) != 0) {
            throw std::runtime_error(std::string("cannot create the stop pipe: ") + std::strerror(errno));
        }
        thread = std::thread([this] { serve(); });
    }

    ~Impl() {
        stop();
        ::close(stopPipe[0]);
        ::close(stopPipe[1]);
    }

    void stop() {
        if (thread.joinable()) {
            const char byte = 1;
            if (::write(stopPipe[1], &byte, 1) != 1) {
                common::debugLog(kLog, "stop request lost: %s", std::strerror(errno));
            }
            thread.join();
        }
        terminal.reset();
    }

    // Sleeps until `deadline` to the microsecond (the pacing of the line
    // needs better than poll's milliseconds); false when stop() was called.
    bool sleepUntil(Clock::time_point deadline) {
        for (;;) {
            const auto left = std::max(deadline - Clock::now(), Clock::duration::zero());
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
            const timespec timeout{static_cast<time_t>(seconds.count()),
                                   static_cast<long>(std::chrono::nanoseconds(left - seconds).count())};
            pollfd entry{stopPipe[0], POLLIN, 0};
            const int ready = ::ppoll(&entry, 1, &timeout, nullptr);
            if (ready > 0) return false;
            if (ready == 0 && Clock::now() >= deadline) return true;
        }
    }

    bool writeAll(const char* data, std::size_t count) {
        while (count > 0) {
            const ssize_t n = ::write(terminal->masterFd(), data, count);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                common::debugLog(kLog, "reply write failed: %s", std::strerror(errno));
                return false;
            }
            data += n;
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

    // Sends `bytes`; with pacing byte k leaves when its ten bits have passed.
    void send(const std::string& bytes, bool pacing) {
        if (!pacing) {
            writeAll(bytes.data(), bytes.size());
            return;
        }
        const auto start = Clock::now();
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            if (!sleepUntil(start + kByteTime * static_cast<long>(k + 1))) return;
            if (!writeAll(&bytes[k], 1)) return;
        }
    }

    void answer(std::string frame, const Request& request, Clock::time_point firstByteAt) {
        const Options now = currentOptions();
        FrameRecord record;
        record.firstByteAt = firstByteAt;
        record.receivedAt = Clock::now();
        if (now.pacing) {
            const auto paced = firstByteAt + kByteTime * static_cast<long>(frame.size());
            if (paced > record.receivedAt && !sleepUntil(paced)) return;
            record.receivedAt = std::max(paced, record.receivedAt);
        }
        std::optional<std::string> reply;
        {
            std::lock_guard lock(mutex);
            reply = answerRequest(state, request, now.cardPresent);
        }
        if (request.command == Command::Malformed) {
            common::debugLog(kLog, "malformed frame (%s)", request.problem.c_str());
        }
        if (reply) record.reply = applyFault(std::move(*reply), now.fault);
        if (!record.reply.empty()) {
            record.reply += now.trailingBytes;
            if (now.replyDelay.count() > 0 && !sleepUntil(Clock::now() + now.replyDelay)) return;
            send(record.reply, now.pacing);
        }
        record.repliedAt = Clock::now();
        record.frame = std::move(frame);
        record.request = request;
        keep(record);
    }

    void keep(const FrameRecord& record) {
        {
            std::lock_guard lock(mutex);
            log.push_back(record);
        }
        logChanged.notify_all();
        if (observer) observer(record);
    }

    void dropPartialFrame(std::string& pending, Clock::time_point firstByteAt) {
        Request request;
        request.problem = "partial frame dropped after silence";
        common::debugLog(kLog, "%s: %zu bytes", request.problem.c_str(), pending.size());
        FrameRecord record{firstByteAt, Clock::now(), Clock::now(), pending, request, {}};
        pending.clear();
        keep(record);
    }

    void serve() {
        std::string pending;
        Clock::time_point firstByteAt{}, lastByteAt{};
        for (;;) {
            const auto partialLimit = currentOptions().partialFrameTimeout;
            const bool watchPartial = !pending.empty() && partialLimit.count() > 0;
            pollfd entries[2] = {{stopPipe[0], POLLIN, 0}, {terminal->masterFd(), POLLIN, 0}};
            const int ready = ::poll(entries, 2, watchPartial ? millisecondsUntil(lastByteAt + partialLimit) : -1);
            if (ready < 0 && errno != EINTR) {
                common::debugLog(kLog, "poll failed: %s", std::strerror(errno));
                return;
            }
            if (entries[0].revents != 0) return;
            if (ready == 0 && watchPartial) {
                dropPartialFrame(pending, firstByteAt);
                continue;
            }
            if ((entries[1].revents & POLLIN) == 0) continue;
            char chunk[512];
            const ssize_t n = ::read(terminal->masterFd(), chunk, sizeof chunk);
            if (n <= 0) {
                if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
                common::debugLog(kLog, "read from the terminal failed: %s", n < 0 ? std::strerror(errno) : "end");
                // The terminal stays readable in this state; do not spin on it.
                if (!sleepUntil(Clock::now() + std::chrono::milliseconds(10))) return;
                continue;
            }
            lastByteAt = Clock::now();
            const auto drainPause = currentOptions().drainPause;
            if (drainPause.count() > 0 && !sleepUntil(lastByteAt + drainPause)) return;
            if (pending.empty()) firstByteAt = lastByteAt;
            pending.append(chunk, static_cast<std::size_t>(n));
            for (;;) {
                const ParseOutcome outcome = parseFrame(pending);
                if (outcome.status == ParseOutcome::Status::NeedMore) break;
                std::string frame = pending.substr(0, outcome.consumed);
                pending.erase(0, outcome.consumed);
                if (outcome.status == ParseOutcome::Status::Frame)
                    answer(std::move(frame), outcome.request, firstByteAt);
                // Bytes still pending arrived while the reader was busy; their
                // frame and its silence limit start now.
                firstByteAt = lastByteAt = Clock::now();
            }
        }
    }

    Options currentOptions() const {
        std::lock_guard lock(mutex);
        return options;
    }

    std::unique_ptr<PseudoTerminal> terminal;
    const std::filesystem::path linkPath;
    const std::string terminalPath;
    const int portNumber;
    mutable std::mutex mutex;
    mutable std::condition_variable logChanged;
    Options options;
    ReaderState state;
    std::vector<FrameRecord> log;
    std::function<void(const FrameRecord&)> observer;
    int stopPipe[2] = {-1, -1};
    std::thread thread;
};

ReaderSimulator::ReaderSimulator(const Config& config) : impl_(std::make_unique<Impl>(config)) {}

ReaderSimulator::~ReaderSimulator() = default;

void ReaderSimulator::stop() { impl_->stop(); }

std::filesystem::path ReaderSimulator::linkPath() const { return impl_->linkPath; }

std::string ReaderSimulator::terminalPath() const { return impl_->terminalPath; }

bool ReaderSimulator::portHeldOpen() const { return impl_->terminal && impl_->terminal->heldOpen(); }

int ReaderSimulator::portNumber() const { return impl_->portNumber; }

Options ReaderSimulator::options() const { return impl_->currentOptions(); }

void ReaderSimulator::setOptions(const Options& options) {
    std::lock_guard lock(impl_->mutex);
    impl_->options = options;
}

bool ReaderSimulator::setLineStopped(bool stopped) {
    std::lock_guard lock(impl_->mutex);
    if (!impl_->terminal) {
        common::debugLog(kLog, "line control after stop: no line");
        return false;
    }
    if (!impl_->terminal->suspendSlaveOutput(stopped)) {
        common::debugLog(kLog, "line %s refused: %s", stopped ? "stop" : "release", std::strerror(errno));
        return false;
    }
    return true;
}

ReaderState ReaderSimulator::state() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->state;
}

void ReaderSimulator::setState(const ReaderState& state) {
    std::lock_guard lock(impl_->mutex);
    impl_->state = state;
}

std::vector<FrameRecord> ReaderSimulator::frameLog() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->log;
}

void ReaderSimulator::clearFrameLog() {
    std::lock_guard lock(impl_->mutex);
    impl_->log.clear();
}

bool ReaderSimulator::waitForFrames(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->logChanged.wait_for(lock, timeout, [&] { return impl_->log.size() >= count; });
}

}  // namespace readersim
