#pragma once
// Test host of the end-to-end tests: loads libcardpurse.so with dlopen, as a
// payment host does, and runs it against a readersim card reader on a
// pseudo-terminal, counting the openings of the reader's port.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "cardpurse.h"
#include "readersim/port_directory.h"

namespace cardpurse_test {

// The exports, looked up by name in the loaded library.
struct PurseApi {
    decltype(&CloseCOMM) closeComm;
    decltype(&ReadCardBlank) readCardBlank;
    decltype(&WriteCardBlank) writeCardBlank;
    decltype(&ReadCardInformation) readCardInformation;
    decltype(&OpenAccount) openAccount;
    decltype(&OFFCard) offCard;
    decltype(&AddMoney) addMoney;
    decltype(&AddLimitMoney) addLimitMoney;
    decltype(&WriteLimitCount) writeLimitCount;
    decltype(&WriteLssjCount) writeLssjCount;
    decltype(&WriteLimitTime) writeLimitTime;
    decltype(&WriteGB) writeGb;
    decltype(&WriteName) writeName;
    decltype(&WriteNumber) writeNumber;
    decltype(&WriteDepartment) writeDepartment;
    decltype(&SetMacPassword) setMacPassword;
    decltype(&SetCardPassAll) setCardPassAll;
    decltype(&SetCardPassOne) setCardPassOne;
    decltype(&SetMacSound) setMacSound;

    // Loaded once per test program and kept until it ends.
    static const PurseApi& instance();
};

// The ten outputs of ReadCardInformation, each a heap buffer of exactly its
// documented size (so that AddressSanitizer sees a write beyond it), filled
// beforehand so that untouched outputs can be told.
struct CardInformation {
    std::vector<char> accountNo, cardNo, name, department, balance, limitCount, limitMoney, limitTime, gbCode,
        lssjCount;

    CardInformation();
    int read(int port);
};

// Counts the openings of a device file through inotify.
class OpenCounter {
public:
    explicit OpenCounter(const std::string& devicePath);
    ~OpenCounter();
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;
    int opensSinceLastCall();
    int totalOpens();

private:
    int fd_;
    int total_ = 0;
    int reported_ = 0;
};

inline constexpr int kPort = 7;

class PurseHostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const PurseApi& api() const { return PurseApi::instance(); }
    readersim::ReaderSimulator& reader() { return *reader_; }

    // Frames the reader received since the last call, as text. Every opening
    // of the port carries one frame; the reader logs a frame just after its
    // reply, so this first waits until each opening's frame is in the log.
    std::vector<std::string> takeFrames();
    int takeOpens() { return opens_->opensSinceLastCall(); }

    // The reader refuses the n-th frame from now on (1 = the next one) as if
    // the card had left: it changes nothing and answers with its error reply.
    void refuseFrame(int n);

    // The card image as the reader holds it.
    std::string block(int number) { return reader().state().blocks.at(static_cast<std::size_t>(number)); }
    void setBlock(int number, const std::string& text);
    void setOptions(void (*change)(readersim::Options&));

private:
    std::unique_ptr<readersim::PortDirectory> directory_;
    std::unique_ptr<readersim::ReaderSimulator> reader_;
    std::unique_ptr<OpenCounter> opens_;
    int framesTaken_ = 0;
    std::atomic<int> framesSeen_{0};
    std::atomic<int> refusedFrame_{0};
};

}  // namespace cardpurse_test
