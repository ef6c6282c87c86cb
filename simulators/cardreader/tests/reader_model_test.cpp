#include "readersim/reader_model.h"

#include <gtest/gtest.h>

namespace readersim {
namespace {

Request readBlock(int sector, int block) {
    Request request;
    request.command = Command::ReadBlock;
    request.sector = sector;
    request.block = block;
    return request;
}

Request writeBlock(int sector, int block, std::string text) {
    Request request = readBlock(sector, block);
    request.command = Command::WriteBlock;
    request.blockText = std::move(text);
    return request;
}

Request loadKey(std::string key) {
    Request request;
    request.command = Command::LoadKey;
    request.key = std::move(key);
    return request;
}

Request money(Command command, std::uint32_t amount) {
    Request request;
    request.command = command;
    request.rfAmount = amount;
    return request;
}

// The 12 bytes of a "Dd" reply, decoded the way the host library does.
std::vector<int> replyBytes(const std::string& reply) {
    std::vector<int> bytes;
    for (std::size_t k = 0; k < 12; ++k) bytes.push_back((reply[2 * k] & 0xF) * 16 + (reply[2 * k + 1] & 0xF));
    return bytes;
}

TEST(ReaderModelTest, FreshCardOpensWithTheDefaultReaderKey) {
    ReaderState state = ReaderState::fresh();
    EXPECT_EQ(answerRequest(state, readBlock(1, 5), true), std::string(32, '0'));
    EXPECT_EQ(answerRequest(state, readBlock(15, 63), true), "7C3A19E5B04DFF078069FFFFFFFFFFFF");
}

TEST(ReaderModelTest, WrittenBlockReadsBackUnchanged) {
    ReaderState state = ReaderState::fresh();
    const std::string text = "8000000000000000000003e800000abc";
    EXPECT_EQ(answerRequest(state, writeBlock(1, 5, text), true), "DONE!");
    EXPECT_EQ(answerRequest(state, readBlock(1, 5), true), text);
    EXPECT_EQ(state.blocks[4], std::string(32, '0'));
}

TEST(ReaderModelTest, SectorKeyGuardsEveryBlockOfItsSector) {
    ReaderState state = ReaderState::fresh();
    // A new key in the trailer of sector 2 locks that sector only.
    EXPECT_EQ(answerRequest(state, writeBlock(2, 11, "A1B2C3D4E5F6FF078069FFFFFFFFFFFF"), true), "DONE!");
    EXPECT_EQ(answerRequest(state, readBlock(2, 8), true), "FAIL!");
    EXPECT_EQ(answerRequest(state, writeBlock(2, 9, std::string(32, '1')), true), "FAIL!");
    EXPECT_EQ(state.blocks[9], std::string(32, '0'));
    EXPECT_EQ(answerRequest(state, readBlock(1, 5), true), std::string(32, '0'));

    EXPECT_EQ(answerRequest(state, loadKey("a1b2c3d4e5f6"), true), std::nullopt);
    EXPECT_EQ(answerRequest(state, readBlock(2, 8), true), std::string(32, '0'));
    EXPECT_EQ(answerRequest(state, readBlock(1, 5), true), "FAIL!");
}

TEST(ReaderModelTest, WithoutCardOnlyReaderSettingsWork) {
    ReaderState state = ReaderState::fresh();
    Request sound;
    sound.command = Command::SetSound;
    sound.sound = 7;
    EXPECT_EQ(answerRequest(state, sound, false), "DONE!");
    EXPECT_EQ(state.sound, 7);
    EXPECT_EQ(answerRequest(state, loadKey("000000000000"), false), std::nullopt);
    EXPECT_EQ(state.readerKey, "000000000000");
    EXPECT_EQ(answerRequest(state, readBlock(0, 1), false), "FAIL!");
    EXPECT_EQ(answerRequest(state, money(Command::RfAddMoney, 5), false), "FAIL0000!");
    EXPECT_EQ(state.rfPurse.balance, 0);
}

TEST(ReaderModelTest, CardInfoCarriesCardNumberAndSignedBalance) {
    ReaderState state = ReaderState::fresh();
    state.rfPurse.cardNumber = 262143;
    state.rfPurse.balance = -2147483647;  // bytes 128, 0, 0, 1
    Request info;
    info.command = Command::RfReadInfo;
    const auto reply = answerRequest(state, info, true);
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->size(), 25u);
    const auto bytes = replyBytes(*reply);
    EXPECT_EQ((bytes[5] & 3) * 65536 + bytes[6] * 256 + bytes[7], 262143);
    EXPECT_EQ(bytes[8], 128);
    EXPECT_EQ(bytes[11], 1);
    for (char c : reply->substr(0, 24)) EXPECT_TRUE(c >= '0' && c <= '?') << c;
}

TEST(ReaderModelTest, MoneyOperationsMoveTheBalanceAndCountTransactions) {
    ReaderState state = ReaderState::fresh();
    state.rfPurse.transactionNumber = 0xFFFE;
    EXPECT_EQ(answerRequest(state, money(Command::RfAddMoney, 1000), true), "DONE?\?\?\?!");
    EXPECT_EQ(answerRequest(state, money(Command::RfDeduct, 400), true), "DONE0000!");
    EXPECT_EQ(state.rfPurse.balance, 600);
    // Refused: more than the balance, or beyond the 32-bit balance.
    EXPECT_EQ(answerRequest(state, money(Command::RfDeduct, 601), true), "FAIL0000!");
    EXPECT_EQ(answerRequest(state, money(Command::RfAddMoney, 0xFFFFFFFFu), true), "FAIL0000!");
    EXPECT_EQ(state.rfPurse.balance, 600);
    EXPECT_EQ(state.rfPurse.transactionNumber, 0);
}

TEST(ReaderModelTest, NibbleTextUsesTheSixCharactersAfterNine) {
    EXPECT_EQ(nibbleText(0xABCDEF, 6), ":;<=>?");
    EXPECT_EQ(nibbleText(0x1F, 4), "001?");
    EXPECT_EQ(nibbleText(0x12345, 4), "2345");
}

}  // namespace
}  // namespace readersim
