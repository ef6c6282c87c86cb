#include "purse_host.h"

#include "library_loader.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace cardpurse_test {

namespace {

template <typename Function>
void bind(const cardctl::LoadedLibrary& library, const char* name, Function*& function) {
    function = library.function<Function>(name);
}

PurseApi load() {
    // Kept loaded until the test program ends.
    static const cardctl::LoadedLibrary library(CARDPURSE_LIBRARY_PATH);
    PurseApi api{};
    bind(library, "CloseCOMM", api.closeComm);
    bind(library, "ReadCardBlank", api.readCardBlank);
    bind(library, "WriteCardBlank", api.writeCardBlank);
    bind(library, "ReadCardInformation", api.readCardInformation);
    bind(library, "OpenAccount", api.openAccount);
    bind(library, "OFFCard", api.offCard);
    bind(library, "AddMoney", api.addMoney);
    bind(library, "AddLimitMoney", api.addLimitMoney);
    bind(library, "WriteLimitCount", api.writeLimitCount);
    bind(library, "WriteLssjCount", api.writeLssjCount);
    bind(library, "WriteLimitTime", api.writeLimitTime);
    bind(library, "WriteGB", api.writeGb);
    bind(library, "WriteName", api.writeName);
    bind(library, "WriteNumber", api.writeNumber);
    bind(library, "WriteDepartment", api.writeDepartment);
    bind(library, "SetMacPassword", api.setMacPassword);
    bind(library, "SetCardPassAll", api.setCardPassAll);
    bind(library, "SetCardPassOne", api.setCardPassOne);
    bind(library, "SetMacSound", api.setMacSound);
    return api;
}

}  // namespace

const PurseApi& PurseApi::instance() {
    static const PurseApi api = load();
    return api;
}

namespace {

std::vector<char> filledBuffer(std::size_t size) {
    std::vector<char> buffer(size, '\0');
    std::copy_n("untouched", std::min<std::size_t>(size - 1, 9), buffer.begin());
    return buffer;
}

}  // namespace

CardInformation::CardInformation()
    : accountNo(filledBuffer(9)),
      cardNo(filledBuffer(9)),
      name(filledBuffer(19)),
      department(filledBuffer(19)),
      balance(filledBuffer(8)),
      limitCount(filledBuffer(4)),
      limitMoney(filledBuffer(9)),
      limitTime(filledBuffer(7)),
      gbCode(filledBuffer(3)),
      lssjCount(filledBuffer(6)) {}

int CardInformation::read(int port) {
    return PurseApi::instance().readCardInformation(
        port, accountNo.data(), cardNo.data(), name.data(), department.data(), balance.data(), limitCount.data(),
        limitMoney.data(), limitTime.data(), gbCode.data(), lssjCount.data());
}

OpenCounter::OpenCounter(const std::string& devicePath) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    // Closes are watched too: inotify merges identical events that follow each
    // other unread, so only alternating open/close events count every opening.
    if (fd_ < 0 || inotify_add_watch(fd_, devicePath.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        throw std::runtime_error("cannot watch " + devicePath + ": " + std::strerror(errno));
    }
}

OpenCounter::~OpenCounter() { close(fd_); }

int OpenCounter::totalOpens() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length <= 0) return total_;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & IN_OPEN) ++total_;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

int OpenCounter::opensSinceLastCall() {
    const int total = totalOpens();
    const int opens = total - reported_;
    reported_ = total;
    return opens;
}

void PurseHostTest::SetUp() {
    directory_ = std::make_unique<readersim::PortDirectory>();
    readersim::Config config;
    config.frameObserver = [this](const readersim::FrameRecord&) {
        const int seen = ++framesSeen_;
        const int refused = refusedFrame_.load();
        if (refused != 0 && (seen == refused - 1 || seen == refused)) {
            readersim::Options options = reader_->options();
            options.cardPresent = seen == refused;
            reader_->setOptions(options);
        }
    };
    reader_ = directory_->startReader(kPort, std::move(config));
    opens_ = std::make_unique<OpenCounter>(reader_->terminalPath());
    PurseApi::instance();
}

void PurseHostTest::TearDown() {
    opens_.reset();
    reader_.reset();
    directory_.reset();
}

std::vector<std::string> PurseHostTest::takeFrames() {
    const int expected = opens_->totalOpens() - framesTaken_;
    if (expected > 0) reader().waitForFrames(static_cast<std::size_t>(expected), std::chrono::seconds(2));
    std::vector<std::string> frames;
    for (const auto& record : reader().frameLog()) frames.push_back(record.frame);
    reader().clearFrameLog();
    framesTaken_ += static_cast<int>(frames.size());
    return frames;
}

void PurseHostTest::refuseFrame(int n) {
    refusedFrame_ = framesSeen_ + n;
    if (n == 1) setOptions([](readersim::Options& options) { options.cardPresent = false; });
}

void PurseHostTest::setBlock(int number, const std::string& text) {
    readersim::ReaderState state = reader().state();
    state.blocks.at(static_cast<std::size_t>(number)) = text;
    reader().setState(state);
}

void PurseHostTest::setOptions(void (*change)(readersim::Options&)) {
    readersim::Options options = reader().options();
    change(options);
    reader().setOptions(options);
}

}  // namespace cardpurse_test
