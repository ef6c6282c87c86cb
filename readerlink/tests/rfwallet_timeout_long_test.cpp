// Long test (about 13 s): a missing reply under the rfwallet time-outs.

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace readerlink {
namespace {

using namespace std::chrono_literals;

class ReaderLinkLongTest : public LinkFixture {};

TEST_F(ReaderLinkLongTest, RfWalletMissingReplyFailsAtThirteenSeconds) {
    simulator_->setOptions({.fault = readersim::ReplyFault::NoReply});
    ReaderLink link(kRfWalletTimeouts);
    const auto took = failingExchangeTime(link, "Dd" + std::string(54, '0') + "!", 25);
    EXPECT_GE(took, 12900ms);  // 500 ms x 25 + 500 ms
    EXPECT_LT(took, 15000ms);
}

}  // namespace
}  // namespace readerlink
