// libcardpurse.so loaded by a host and driven against the simulated reader:
// the card image, the frames the reader received (bytes and order) and the
// openings of its port.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include "purse_host.h"

namespace cardpurse_test {
namespace {

using namespace std::chrono_literals;
using Frames = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

const std::string kZeros(32, '0');
const std::string kDefaultKey = "7C3A19E5B04D";
const std::string kTrailerRest = "FF078069FFFFFFFFFFFF";
const std::string kNewKey = "A0A1A2A3A4A5";

// The account opened by openAccount() and its blocks on the card.
const std::string kDepartment = "FEDCBA9876543210";
const std::string kName = "0123456789ABCDEF";
const std::string kDepartmentBlock = kDepartment + std::string(16, '0');
const std::string kHolderBlock = "00" + kName +
                                 "12345678"
                                 "000000";                            // card number 305419896
const std::string kPurseBlock = "800000000000000000006400000007E3";   // balance 100, Lssj count 7
const std::string kLimitsBlock = "800003E98624123100C3500A00000072";  // account 1001, limit 10 x 50000

std::string readFrame(const std::string& address) { return "Da" + address + "!"; }
std::string writeFrame(const std::string& address, const std::string& text) { return "Db" + address + text + "!"; }

// Check byte of a purse or limits block, computed here independently.
std::string withCheck(std::string block) {
    unsigned check = 0;
    for (std::size_t i = 0; i < 30; i += 2) check ^= std::stoul(block.substr(i, 2), nullptr, 16);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", check);
    return block.replace(30, 2, digits);
}

class PurseEndToEnd : public PurseHostTest {
protected:
    int openAccount() {
        return api().openAccount(kPort, 1001, 305419896, kName.c_str(), kDepartment.c_str(), 100, 10, 50000, "241231",
                                 "86", 7);
    }

    void openAccountAndForget() {
        ASSERT_EQ(openAccount(), 1);
        takeFrames();
        takeOpens();
    }

    std::string readBlock(const char* sector, const char* block) {
        char out[33];
        EXPECT_EQ(api().readCardBlank(kPort, sector, block, out), 1);
        return out;
    }
};

TEST_F(PurseEndToEnd, BlocksAreReadAndWrittenOneOpeningPerExchange) {
    setBlock(5, "0123456789abcdef0123456789ABCDEF");
    char out[40];
    std::memset(out, 'x', sizeof out);
    ASSERT_EQ(api().readCardBlank(kPort, "01", "05", out), 1);
    EXPECT_STREQ(out, "0123456789abcdef0123456789ABCDEF");

    const std::string text = "00112233445566778899AABBCCDDEEFF";
    ASSERT_EQ(api().writeCardBlank(kPort, "15", "62", text.c_str()), 1);
    EXPECT_EQ(block(62), text);
    EXPECT_EQ(takeFrames(), (Frames{"Da0105!", "Db1562" + text + "!"}));
    EXPECT_EQ(takeOpens(), 2);
    EXPECT_FALSE(reader().portHeldOpen()) << "the port was left open";
    EXPECT_EQ(api().closeComm(), 1) << "CloseCOMM with nothing open";
}

TEST_F(PurseEndToEnd, AccountLifeCycle) {
    ASSERT_EQ(openAccount(), 1);
    EXPECT_EQ(takeFrames(), (Frames{
                                readFrame("0209"),
                                writeFrame("0209", kDepartmentBlock),
                                readFrame("0208"),
                                writeFrame("0208", kHolderBlock),
                                readFrame("0105"),
                                writeFrame("0104", kPurseBlock),
                                writeFrame("0105", kPurseBlock),
                                readFrame("0106"),
                                writeFrame("0106", kLimitsBlock),
                            }));
    EXPECT_EQ(takeOpens(), 9);

    CardInformation info;
    ASSERT_EQ(info.read(kPort), 1);
    EXPECT_STREQ(info.accountNo.data(), "001001");
    EXPECT_STREQ(info.cardNo.data(), "03430008");  // the last six digits of 12345678
    EXPECT_STREQ(info.name.data(), "0123456789ABCDEF12");
    EXPECT_STREQ(info.department.data(), "FEDCBA987654321000");
    EXPECT_STREQ(info.balance.data(), "0000100");
    EXPECT_STREQ(info.limitCount.data(), "010");
    EXPECT_STREQ(info.limitMoney.data(), "00050000");
    EXPECT_STREQ(info.limitTime.data(), "241231");
    EXPECT_STREQ(info.gbCode.data(), "86");
    EXPECT_STREQ(info.lssjCount.data(), "00007");
    EXPECT_EQ(takeFrames(), (Frames{"Da0209!", "Da0208!", "Da0106!", "Da0105!"}));
    EXPECT_EQ(takeOpens(), 4);

    ASSERT_EQ(api().addMoney(kPort, -100), 1);
    ASSERT_EQ(api().writeLimitCount(kPort, 255), 1);
    ASSERT_EQ(info.read(kPort), 1);
    EXPECT_STREQ(info.balance.data(), "0000000");
    EXPECT_STREQ(info.limitCount.data(), "255");
    takeFrames();

    ASSERT_EQ(api().offCard(kPort), 1);
    EXPECT_EQ(takeFrames(),
              (Frames{"Da0209!", "Da0105!", writeFrame("0209", kZeros), writeFrame("0208", kZeros),
                      writeFrame("0104", kZeros), writeFrame("0105", kZeros), writeFrame("0106", kZeros)}));
    for (int number : {4, 5, 6, 8, 9}) EXPECT_EQ(block(number), kZeros) << "block " << number;
    ASSERT_EQ(info.read(kPort), 1);
    EXPECT_STREQ(info.accountNo.data(), "000000");
    EXPECT_STREQ(info.balance.data(), "0000000");
    EXPECT_STREQ(info.name.data(), "000000000000000000");
    EXPECT_STREQ(info.lssjCount.data(), "00000");
}

struct FieldUpdate {
    const char* label;
    std::function<int(const PurseApi&)> call;
    int block;
    std::size_t position;
    std::string text;
};

TEST_F(PurseEndToEnd, EachUpdateRewritesOneFieldOfOneBlock) {
    const FieldUpdate updates[] = {
        {"AddMoney", [](const PurseApi& a) { return a.addMoney(kPort, 0xABC - 100); }, 5, 17, "00ABC"},
        {"AddLimitMoney", [](const PurseApi& a) { return a.addLimitMoney(kPort, 16777215); }, 6, 16, "FFFFFF"},
        {"WriteLimitCount", [](const PurseApi& a) { return a.writeLimitCount(kPort, 255); }, 6, 22, "FF"},
        {"WriteLssjCount", [](const PurseApi& a) { return a.writeLssjCount(kPort, 65535); }, 5, 26, "FFFF"},
        {"WriteLimitTime", [](const PurseApi& a) { return a.writeLimitTime(kPort, "991231"); }, 6, 10, "991231"},
        {"WriteGB", [](const PurseApi& a) { return a.writeGb(kPort, "01 and more"); }, 6, 8, "01"},
        {"WriteName", [](const PurseApi& a) { return a.writeName(kPort, "1111222233334444"); }, 8, 2,
         "1111222233334444"},
        {"WriteNumber", [](const PurseApi& a) { return a.writeNumber(kPort, -1); }, 8, 18, "FFFFFFFF"},
        {"WriteDepartment", [](const PurseApi& a) { return a.writeDepartment(kPort, "aaaabbbbccccdddd"); }, 9, 0,
         "aaaabbbbccccdddd"},
    };
    openAccountAndForget();
    for (const auto& update : updates) {
        SCOPED_TRACE(update.label);
        const std::string before = block(update.block);
        ASSERT_EQ(update.call(api()), 1);
        std::string expected = before;
        expected.replace(update.position, update.text.size(), update.text);
        const bool checked = update.block >= 4 && update.block <= 6;
        if (checked) expected = withCheck(expected);
        EXPECT_EQ(block(update.block), expected);

        const std::string address = (update.block < 8 ? "010" : "020") + std::to_string(update.block);
        Frames frames{readFrame(address)};
        if (update.block == 5) {
            frames.push_back(writeFrame("0104", expected));
            EXPECT_EQ(block(4), expected);
        }
        frames.push_back(writeFrame(address, expected));
        EXPECT_EQ(takeFrames(), frames);
        EXPECT_EQ(takeOpens(), static_cast<int>(frames.size()));
    }
}

TEST_F(PurseEndToEnd, BalanceStaysWithinItsBoundsAndIsRewrittenInUpperCase) {
    openAccountAndForget();
    EXPECT_EQ(api().addMoney(kPort, -101), 0);
    EXPECT_EQ(takeFrames(), Frames{"Da0105!"});  // read, then refused: nothing written
    EXPECT_EQ(block(5), kPurseBlock);
    EXPECT_EQ(api().addMoney(kPort, 1048576), 0);
    EXPECT_EQ(takeOpens(), 1);

    // Opening writes lower-case digits; an update rewrites them in upper case.
    ASSERT_EQ(api().openAccount(kPort, 1, 1, kName.c_str(), kDepartment.c_str(), 1048575, 0, 0, "000000", "00", 0xabcd),
              1);
    EXPECT_EQ(block(5).substr(17, 13), "fffff0000abcd");
    EXPECT_EQ(api().addMoney(kPort, 1), 0);
    ASSERT_EQ(api().addMoney(kPort, -1048575), 1);
    EXPECT_EQ(block(5), withCheck("8" + std::string(16, '0') +
                                  "00000"
                                  "0000"
                                  "abcd"
                                  "00"));  // only the balance is rewritten
}

TEST_F(PurseEndToEnd, BadArgumentsAreRefusedBeforeThePortIsTouched) {
    const std::string text31(31, 'A'), text33(33, 'A'), nonHex = std::string(31, 'A') + "G";
    // A control character has a digit value below 16 but is no digit.
    const std::string controlCharacter = std::string(31, 'A') + "\x05";
    const char* name = kName.c_str();
    const char* department = kDepartment.c_str();
    const std::vector<std::pair<const char*, std::function<int(const PurseApi&)>>> calls = {
        {"port 0", [](const PurseApi& a) { return a.offCard(0); }},
        {"port -1", [](const PurseApi& a) { return a.addMoney(-1, 1); }},
        {"port 1000", [](const PurseApi& a) { return a.setMacSound(1000, 1); }},
        {"sector null",
         [](const PurseApi& a) {
             char o[33];
             return a.readCardBlank(kPort, nullptr, "05", o);
         }},
        {"sector short",
         [](const PurseApi& a) {
             char o[33];
             return a.readCardBlank(kPort, "1", "05", o);
         }},
        {"block not decimal",
         [](const PurseApi& a) {
             char o[33];
             return a.readCardBlank(kPort, "01", "0x", o);
         }},
        {"output null", [](const PurseApi& a) { return a.readCardBlank(kPort, "01", "05", nullptr); }},
        {"block text 31", [&](const PurseApi& a) { return a.writeCardBlank(kPort, "01", "05", text31.c_str()); }},
        {"block text 33", [&](const PurseApi& a) { return a.writeCardBlank(kPort, "01", "05", text33.c_str()); }},
        {"block text G", [&](const PurseApi& a) { return a.writeCardBlank(kPort, "01", "05", nonHex.c_str()); }},
        {"block text control character",
         [&](const PurseApi& a) { return a.writeCardBlank(kPort, "01", "05", controlCharacter.c_str()); }},
        {"limit count 256",
         [&](const PurseApi& a) { return a.openAccount(kPort, 1, 1, name, department, 1, 256, 1, "000000", "00", 1); }},
        {"limit count -1",
         [&](const PurseApi& a) { return a.openAccount(kPort, 1, 1, name, department, 1, -1, 1, "000000", "00", 1); }},
        {"balance 1048576",
         [&](const PurseApi& a) {
             return a.openAccount(kPort, 1, 1, name, department, 1048576, 1, 1, "000000", "00", 1);
         }},
        {"Lssj count 65536",
         [&](const PurseApi& a) {
             return a.openAccount(kPort, 1, 1, name, department, 1, 1, 1, "000000", "00", 65536);
         }},
        {"account number 16777216",
         [&](const PurseApi& a) {
             return a.openAccount(kPort, 16777216, 1, name, department, 1, 1, 1, "000000", "00", 1);
         }},
        {"limit money -1",
         [&](const PurseApi& a) { return a.openAccount(kPort, 1, 1, name, department, 1, 1, -1, "000000", "00", 1); }},
        {"name short",
         [&](const PurseApi& a) { return a.openAccount(kPort, 1, 1, "0123", department, 1, 1, 1, "000000", "00", 1); }},
        {"department not hex",
         [&](const PurseApi& a) {
             return a.openAccount(kPort, 1, 1, name, "Sales department", 1, 1, 1, "000000", "00", 1);
         }},
        {"GB code null",
         [&](const PurseApi& a) {
             return a.openAccount(kPort, 1, 1, name, department, 1, 1, 1, "000000", nullptr, 1);
         }},
        {"AddMoney 1048576", [](const PurseApi& a) { return a.addMoney(kPort, 1048576); }},
        {"AddLimitMoney 16777216", [](const PurseApi& a) { return a.addLimitMoney(kPort, 16777216); }},
        {"AddLimitMoney -1", [](const PurseApi& a) { return a.addLimitMoney(kPort, -1); }},
        {"WriteLimitCount 256", [](const PurseApi& a) { return a.writeLimitCount(kPort, 256); }},
        {"WriteLimitCount -1", [](const PurseApi& a) { return a.writeLimitCount(kPort, -1); }},
        {"WriteLssjCount 65536", [](const PurseApi& a) { return a.writeLssjCount(kPort, 65536); }},
        {"WriteLssjCount -1", [](const PurseApi& a) { return a.writeLssjCount(kPort, -1); }},
        {"WriteLimitTime short", [](const PurseApi& a) { return a.writeLimitTime(kPort, "12345"); }},
        {"WriteGB not hex", [](const PurseApi& a) { return a.writeGb(kPort, "G1"); }},
        {"WriteName short", [](const PurseApi& a) { return a.writeName(kPort, "ABCDEF"); }},
        {"WriteDepartment null", [](const PurseApi& a) { return a.writeDepartment(kPort, nullptr); }},
        {"reader key 11", [](const PurseApi& a) { return a.setMacPassword(kPort, "7C3A19E5B04"); }},
        {"reader key 13", [](const PurseApi& a) { return a.setMacPassword(kPort, "7C3A19E5B04D0"); }},
        {"reader key not hex", [](const PurseApi& a) { return a.setMacPassword(kPort, "7C3A19E5B04Z"); }},
        {"card key all 11", [](const PurseApi& a) { return a.setCardPassAll(kPort, "A0A1A2A3A4A"); }},
        {"card key one 13", [](const PurseApi& a) { return a.setCardPassOne(kPort, "A0A1A2A3A4A5A"); }},
        {"sound 0", [](const PurseApi& a) { return a.setMacSound(kPort, 0); }},
        {"sound 10", [](const PurseApi& a) { return a.setMacSound(kPort, 10); }},
        {"information output null",
         [](const PurseApi& a) {
             char b[20];
             return a.readCardInformation(kPort, b, b, b, b, b, b, nullptr, b, b, b);
         }},
    };
    const auto image = reader().state();
    for (const auto& [label, call] : calls) {
        EXPECT_EQ(call(api()), 0) << label;
        EXPECT_EQ(takeOpens(), 0) << label;
    }
    EXPECT_EQ(takeFrames(), Frames{});
    EXPECT_EQ(reader().state(), image);
}

TEST_F(PurseEndToEnd, ReaderKeyAndSoundAreLoadedAndHeldForTheReader) {
    auto start = Clock::now();
    ASSERT_EQ(api().setMacPassword(kPort, kNewKey.c_str()), 1);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_EQ(reader().state().readerKey, kNewKey);

    start = Clock::now();
    ASSERT_EQ(api().setMacSound(kPort, 9), 1);
    EXPECT_GE(Clock::now() - start, 300ms);
    EXPECT_EQ(reader().state().sound, 9);
    EXPECT_EQ(takeFrames(), (Frames{"DG" + kNewKey + "!", "Dc9!"}));
    EXPECT_EQ(takeOpens(), 2);

    setOptions([](readersim::Options& options) { options.fault = readersim::ReplyFault::GarbageReply; });
    EXPECT_EQ(api().setMacSound(kPort, 3), 0);  // no "DONE!"
}

// Only key A of the two account sectors changes: a card whose sectors have
// different access conditions keeps each sector's own access bytes and key B.
TEST_F(PurseEndToEnd, CardKeyOfTheAccountSectorsChangesOnlyKeyAOfEachTrailer) {
    struct Case {
        const char* label;
        std::string firstRest;
        std::string secondRest;
    };
    const Case cases[] = {
        {"different access bytes", "7F078869B0B1B2B3B4B5", "0F00FF00AAAAAAAAAAAA"},
        {"the same access bytes", kTrailerRest, kTrailerRest},
    };
    for (const Case& c : cases) {
        setBlock(7, kDefaultKey + c.firstRest);
        setBlock(11, kDefaultKey + c.secondRest);
        ASSERT_EQ(api().setCardPassOne(kPort, kNewKey.c_str()), 1) << c.label;
        EXPECT_EQ(block(7), kNewKey + c.firstRest) << c.label;
        EXPECT_EQ(block(11), kNewKey + c.secondRest) << c.label;
        EXPECT_EQ(block(15), kDefaultKey + kTrailerRest) << c.label;
        EXPECT_EQ(reader().state().readerKey, kDefaultKey) << c.label;
        EXPECT_EQ(takeFrames(), (Frames{"Da0107!", "Da0211!", writeFrame("0107", kNewKey + c.firstRest),
                                        writeFrame("0211", kNewKey + c.secondRest), "DG" + kNewKey + "!", "Da0105!",
                                        "DG" + kDefaultKey + "!"}))
            << c.label;
        EXPECT_EQ(takeOpens(), 7) << c.label;
    }
}

TEST_F(PurseEndToEnd, CardKeyOfAllSectorsIsProvedThenTheDefaultKeyLoaded) {
    ASSERT_EQ(api().setCardPassAll(kPort, kNewKey.c_str()), 1);
    for (int sector = 0; sector < 16; ++sector) EXPECT_EQ(block(4 * sector + 3), kNewKey + kTrailerRest);
    EXPECT_EQ(reader().state().readerKey, kDefaultKey);
    const Frames frames = takeFrames();
    ASSERT_EQ(frames.size(), 35u);
    EXPECT_EQ(frames[0], "Da0003!");
    EXPECT_EQ(frames[1], writeFrame("0003", kNewKey + kTrailerRest));
    EXPECT_EQ(frames[31], writeFrame("1563", kNewKey + kTrailerRest));
    EXPECT_EQ(Frames(frames.begin() + 32, frames.end()),
              (Frames{"DG" + kNewKey + "!", "Da0105!", "DG" + kDefaultKey + "!"}));
    EXPECT_EQ(takeOpens(), 35);
}

TEST_F(PurseEndToEnd, CardKeyChangeStopsAtAnUnreadableTrailer) {
    setBlock(23, "FFFFFFFFFFFF" + kTrailerRest);  // sector 5 does not open with the reader's key
    EXPECT_EQ(api().setCardPassAll(kPort, kNewKey.c_str()), 0);
    for (int sector = 0; sector < 5; ++sector) EXPECT_EQ(block(4 * sector + 3), kNewKey + kTrailerRest);
    EXPECT_EQ(block(27), kDefaultKey + kTrailerRest);
    EXPECT_EQ(reader().state().readerKey, kDefaultKey);
    const Frames frames = takeFrames();
    EXPECT_EQ(frames.size(), 11u);
    EXPECT_EQ(frames.back(), "Da0523!");
}

TEST_F(PurseEndToEnd, CardKeyChangeWithAFailedTrailerWriteGoesOnButFails) {
    refuseFrame(8);  // the write of sector 3's trailer
    EXPECT_EQ(api().setCardPassAll(kPort, kNewKey.c_str()), 0);
    const Frames frames = takeFrames();
    ASSERT_EQ(frames.size(), 35u);
    EXPECT_EQ(frames[7], writeFrame("0315", kNewKey + kTrailerRest));
    EXPECT_EQ(frames.back(), "DG" + kDefaultKey + "!");
    EXPECT_EQ(block(15), kDefaultKey + kTrailerRest);
    EXPECT_EQ(block(63), kNewKey + kTrailerRest);
}

TEST_F(PurseEndToEnd, NoCardShortReplyAndMissingDoneFail) {
    setOptions([](readersim::Options& options) { options.cardPresent = false; });
    CardInformation info;
    EXPECT_EQ(info.read(kPort), 0);
    EXPECT_STREQ(info.department.data(), "untouched");
    EXPECT_STREQ(info.balance.data(), "untouch");
    EXPECT_EQ(takeFrames(), Frames{"Da0209!"});

    setOptions([](readersim::Options& options) {
        options.cardPresent = true;
        options.fault = readersim::ReplyFault::ShortReply;
    });
    char out[33] = "untouched";
    EXPECT_EQ(api().readCardBlank(kPort, "01", "05", out), 0);
    EXPECT_STREQ(out, "untouched");

    setOptions([](readersim::Options& options) { options.fault = readersim::ReplyFault::GarbageReply; });
    EXPECT_EQ(api().writeCardBlank(kPort, "01", "05", kZeros.c_str()), 0);
    EXPECT_FALSE(reader().portHeldOpen()) << "a failure left the port open";
}

TEST_F(PurseEndToEnd, MissingReplyFailsWithinTheReadTimeOut) {
    setOptions([](readersim::Options& options) { options.fault = readersim::ReplyFault::NoReply; });
    char out[33];
    const auto start = Clock::now();
    EXPECT_EQ(api().readCardBlank(kPort, "01", "05", out), 0);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 3200ms);
    EXPECT_LT(elapsed, 5000ms);
}

TEST_F(PurseEndToEnd, PortWithoutDeviceFailsWithoutSending) {
    EXPECT_EQ(api().offCard(kPort + 1), 0);
    EXPECT_EQ(api().setMacPassword(kPort + 1, kDefaultKey.c_str()), 0);
    EXPECT_EQ(takeFrames(), Frames{});
}

TEST_F(PurseEndToEnd, FailedStepsLeaveEarlierWritesAndTouchNoFurtherBlock) {
    openAccountAndForget();
    // Card information: the limits block (sector 1) no longer opens.
    setBlock(7, "FFFFFFFFFFFF" + kTrailerRest);
    CardInformation info;
    EXPECT_EQ(info.read(kPort), 0);
    EXPECT_STREQ(info.department.data(), "FEDCBA987654321000");
    EXPECT_STREQ(info.name.data(), "0123456789ABCDEF12");
    EXPECT_STREQ(info.cardNo.data(), "03430008");
    EXPECT_STREQ(info.accountNo.data(), "untouche");
    EXPECT_STREQ(info.balance.data(), "untouch");
    EXPECT_STREQ(info.gbCode.data(), "un");
    setBlock(7, kDefaultKey + kTrailerRest);
    takeFrames();

    // AddMoney: the backup block takes the new balance, the purse block's write fails.
    refuseFrame(3);
    EXPECT_EQ(api().addMoney(kPort, 1), 0);
    EXPECT_EQ(block(4), withCheck("8" + std::string(16, '0') +
                                  "00065"
                                  "0000"
                                  "0007"
                                  "00"));
    EXPECT_EQ(block(5), kPurseBlock);
    takeFrames();

    // OpenAccount: stops after the holder block write fails.
    refuseFrame(4);
    EXPECT_EQ(api().openAccount(kPort, 1, 2, kName.c_str(), "1111111111111111", 3, 4, 5, "000000", "00", 6), 0);
    EXPECT_EQ(takeFrames().size(), 4u);
    EXPECT_EQ(block(9), "1111111111111111" + std::string(16, '0'));
}

TEST_F(PurseEndToEnd, HostThreadsCallingAtOnceAreServedOneAfterTheOther) {
    openAccountAndForget();
    auto addTenTimes = [this] {
        for (int i = 0; i < 10; ++i) EXPECT_EQ(api().addMoney(kPort, 1), 1);
    };
    std::thread first(addTenTimes), second(addTenTimes);
    first.join();
    second.join();
    CardInformation info;
    ASSERT_EQ(info.read(kPort), 1);
    EXPECT_STREQ(info.balance.data(), "0000120");  // no update lost
}

}  // namespace
}  // namespace cardpurse_test
