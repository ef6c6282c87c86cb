#pragma once
// A reader simulator published as COM4 in a scratch directory that the
// reader link resolves through READERLINK_PORT_DIR.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "readerlink/reader_link.h"
#include "readersim/port_directory.h"

namespace readerlink {

class LinkFixture : public ::testing::Test {
protected:
    static constexpr const char* kPort = "4";

    void SetUp() override { simulator_ = directory_.startReader(4); }

    // One exchange in the calling order of the card libraries; the reply or
    // nothing when a step failed. The port is closed on every path.
    static std::optional<std::string> exchange(ReaderLink& link, const std::string& frame, std::size_t replyLength) {
        if (link.OpenCOMM(kPort) != 1) return std::nullopt;
        std::string reply(replyLength, '\0');
        const bool ok =
            link.WriteCOMM(frame.data(), frame.size()) != 0 && link.ReadCOMM(reply.data(), replyLength) == 1;
        EXPECT_NE(link.CloseCOMM(), 0);
        return ok ? std::optional(reply) : std::nullopt;
    }

    // Runs an exchange that must fail and returns how long it took.
    static std::chrono::milliseconds failingExchangeTime(ReaderLink& link, const std::string& frame,
                                                         std::size_t replyLength) {
        const auto start = readersim::Clock::now();
        EXPECT_EQ(exchange(link, frame, replyLength), std::nullopt);
        return std::chrono::duration_cast<std::chrono::milliseconds>(readersim::Clock::now() - start);
    }

    readersim::PortDirectory directory_;
    std::unique_ptr<readersim::ReaderSimulator> simulator_;
};

}  // namespace readerlink
