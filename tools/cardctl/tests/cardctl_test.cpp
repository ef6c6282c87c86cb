// cardctl against the simulated reader: what it prints and its exit status,
// with the library found beside it in ../lib.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "readersim/port_directory.h"
#include "testsupport/shell_command.h"

namespace {

// Standard output, and standard error unless `errors` (a shell redirection
// target) sends it elsewhere.
testsupport::CommandOutcome cardctl(const std::string& arguments, const std::string& errors = "&1") {
    return testsupport::runShellCommand(std::string(CARDCTL_PATH) + " " + arguments + " 2>" + errors);
}

class CardctlTest : public ::testing::Test {
protected:
    void SetUp() override { reader_ = directory_.startReader(4); }
    readersim::PortDirectory directory_;
    std::unique_ptr<readersim::ReaderSimulator> reader_;
};

TEST_F(CardctlTest, OpensReadsAndUpdatesAnAccount) {
    auto opened = cardctl(
        "--port 4 open-account 1001 305419896 0123456789ABCDEF FEDCBA9876543210 100 10 50000 "
        "241231 86 7");
    EXPECT_EQ(opened.status, 0) << opened.output;
    EXPECT_EQ(opened.output, "ok\n");

    EXPECT_EQ(cardctl("--port 4 add-money -40").status, 0);
    const auto info = cardctl("--port 4 info");
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.output,
              "account number: 001001\ncard number:    03430008\nname:           0123456789ABCDEF12\n"
              "department:     FEDCBA987654321000\nbalance:        0000060\nlimit count:    010\n"
              "limit money:    00050000\nlimit time:     241231\nGB code:        86\nLssj count:     00007\n");

    EXPECT_EQ(cardctl("--port 4 set-number 4294967295").status, 0);
    const auto block = cardctl("--port 4 read-block 02 08");
    EXPECT_EQ(block.status, 0);
    EXPECT_EQ(block.output, "000123456789ABCDEFFFFFFFFF000000\n");
}

TEST_F(CardctlTest, FailuresAndMistakesHaveTheirOwnExitStatus) {
    const auto refused = cardctl("--port 4 add-money -1");  // balance 0 cannot go below
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("AddMoney failed"), std::string::npos) << refused.output;
    EXPECT_EQ(cardctl("--port 5 info").status, 1);  // no reader on COM5

    EXPECT_EQ(cardctl("--port 4 add-money ten").status, 2);
    EXPECT_EQ(cardctl("--port 4 add-money").status, 2);
    EXPECT_EQ(cardctl("--port 4 pay-everything").status, 2);
    EXPECT_EQ(cardctl("--port").status, 2);
    EXPECT_EQ(cardctl("--port 4 --library /nonexistent/libcardpurse.so info").status, 3);
    EXPECT_EQ(cardctl("--help").status, 0);
    EXPECT_EQ(reader_->frameLog().size(), 1u);  // only the refused AddMoney read reached the reader
}

TEST_F(CardctlTest, RfCommandsReadAddAndDeduct) {
    const std::string fields = "0123456789ABCDEF0123456789AB 0123456789ABCDEF0123456789";
    const std::string fieldD = "11223344556677889900AABBCCDDEEFF";
    const auto info = cardctl("--port 4 rf-info " + fields);
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.output, "infoNumberA: 000001\ninfoNumberB: 0\n");

    const auto added = cardctl("--port 4 rf-add " + fields + " 00A0FF " + fieldD + " 500 100902034504 1");
    EXPECT_EQ(added.status, 0) << added.output;
    EXPECT_EQ(added.output, "1\n");
    const auto deducted = cardctl("--port 4 rf-deduct " + fields + " " + fieldD + " 200 100902034504 1");
    EXPECT_EQ(deducted.output, "2\n");
    EXPECT_EQ(reader_->state().rfPurse.balance, 300);

    const auto refused = cardctl("--port 4 rf-deduct " + fields + " " + fieldD + " 4294967295 100902034504 1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("RFSAMDeductions failed"), std::string::npos) << refused.output;
    EXPECT_EQ(cardctl("--port 4 rf-add " + fields).status, 2);
}

TEST_F(CardctlTest, APortOutsideOneTo999IsAUsageErrorAndReachesNoReader) {
    for (const char* port : {"0", "1000", "-4", "0x3E8"}) {
        const auto run = cardctl(std::string("--port ") + port + " info");
        EXPECT_EQ(run.status, 2) << port;
        EXPECT_EQ(run.output.rfind(std::string("cardctl: --port needs a number from 1 to 999, not ") + port + "\n", 0),
                  0u)
            << run.output;
    }
    EXPECT_EQ(cardctl("--port 999 info").status, 1) << "999 is a port; nothing answers there";
    EXPECT_TRUE(reader_->frameLog().empty());
}

TEST_F(CardctlTest, IntegersAreDecimalOrHexadecimalAfter0x) {
    const std::string fields = "0123456789ABCDEF0123456789AB 0123456789ABCDEF0123456789";
    const std::string fieldD = "11223344556677889900AABBCCDDEEFF";
    const auto added = cardctl("--port 0x4 rf-add " + fields + " 00A0FF " + fieldD + " 0x1F4 100902034504 0X1");
    EXPECT_EQ(added.status, 0) << added.output;
    EXPECT_EQ(reader_->state().rfPurse.balance, 500);
    EXPECT_EQ(cardctl("--port 4 rf-deduct " + fields + " " + fieldD + " 0xc8 100902034504 1").output, "2\n");
    EXPECT_EQ(reader_->state().rfPurse.balance, 300);

    const std::size_t frames = reader_->frameLog().size();
    for (const char* bad : {"0x", "0xG1", "0x-5", "-0x", "x10", "0x1000000000", "--5", "+5", "5h"}) {
        const auto run = cardctl("--port 4 rf-add " + fields + " 00A0FF " + fieldD + " 500 100902034504 " + bad);
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_NE(run.output.find(std::string("not an integer in range: \"") + bad + "\""), std::string::npos)
            << run.output;
    }
    EXPECT_EQ(reader_->frameLog().size(), frames) << "refused before the port is touched";
}

TEST_F(CardctlTest, HelpPrintsTheUsageOnStandardOutput) {
    for (const char* help : {"--help", "-h", "--port 4 -h"}) {
        const auto run = cardctl(help, "/dev/null");
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_EQ(run.output.rfind("usage: cardctl", 0), 0u) << help << ": " << run.output;
        EXPECT_NE(run.output.find("rf-add"), std::string::npos) << help;
    }
}

}  // namespace
