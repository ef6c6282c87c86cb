#include "readersim/frame_parser.h"

#include <gtest/gtest.h>

namespace readersim {
namespace {

using Status = ParseOutcome::Status;

const std::string kFieldA(28, '1');
const std::string kFieldB(26, '2');
const std::string kFieldC = "3:3:3:";
const std::string kFieldD(32, '?');
// hostHex8 26 ("0000001A"), digit pairs 10 09 02 03 45 04, hostHex6 "100000".
const std::string kAmount = "0000001:";
const std::string kDigits = "0:0902032=04";
const std::string kHex6 = "100000";

TEST(FrameParserTest, CardFramesYieldTheirFields) {
    ParseOutcome read = parseFrame("Da0105!");
    ASSERT_EQ(read.status, Status::Frame);
    EXPECT_EQ(read.consumed, 7u);
    EXPECT_EQ(read.request.command, Command::ReadBlock);
    EXPECT_EQ(read.request.sector, 1);
    EXPECT_EQ(read.request.block, 5);

    const std::string text = "80000000000000000000123400000179";
    ParseOutcome write = parseFrame("Db1563" + text + "!");
    ASSERT_EQ(write.request.command, Command::WriteBlock);
    EXPECT_EQ(write.consumed, 39u);
    EXPECT_EQ(write.request.sector, 15);
    EXPECT_EQ(write.request.block, 63);
    EXPECT_EQ(write.request.blockText, text);

    ParseOutcome key = parseFrame("DG7c3a19E5B04D!");
    ASSERT_EQ(key.request.command, Command::LoadKey);
    EXPECT_EQ(key.request.key, "7c3a19E5B04D");

    ParseOutcome sound = parseFrame("Dc9!");
    ASSERT_EQ(sound.request.command, Command::SetSound);
    EXPECT_EQ(sound.request.sound, 9);
}

TEST(FrameParserTest, BlockTextMayHoldAnyCharacterEvenTheTerminator) {
    const std::string text = "00Zhang San!    0000000100000000";
    ParseOutcome write = parseFrame("Db0208" + text + "!");
    ASSERT_EQ(write.request.command, Command::WriteBlock);
    EXPECT_EQ(write.request.blockText, text);
}

TEST(FrameParserTest, RfFramesAreDecodedFromNibbleText) {
    ParseOutcome info = parseFrame("Dd" + kFieldA + kFieldB + "!");
    ASSERT_EQ(info.request.command, Command::RfReadInfo);
    EXPECT_EQ(info.consumed, 57u);
    EXPECT_EQ(info.request.rfFieldA, kFieldA);
    EXPECT_EQ(info.request.rfFieldB, kFieldB);

    ParseOutcome add = parseFrame("De" + kFieldA + kFieldB + kFieldC + kFieldD + kAmount + kDigits + kHex6 + "!");
    ASSERT_EQ(add.request.command, Command::RfAddMoney) << add.request.problem;
    EXPECT_EQ(add.consumed, 121u);
    EXPECT_EQ(add.request.rfFieldC, "3A3A3A");
    EXPECT_EQ(add.request.rfFieldD, std::string(32, 'F'));
    EXPECT_EQ(add.request.rfAmount, 26u);
    EXPECT_EQ(add.request.rfDigits, (std::array<std::uint8_t, 6>{10, 9, 2, 3, 45, 4}));
    EXPECT_EQ(add.request.rfHex6, 0x100000u);

    ParseOutcome deduct = parseFrame("Dg" + kFieldA + kFieldB + kFieldD + kAmount + kDigits + kHex6 + "!");
    ASSERT_EQ(deduct.request.command, Command::RfDeduct) << deduct.request.problem;
    EXPECT_EQ(deduct.consumed, 115u);
    EXPECT_EQ(deduct.request.rfAmount, 26u);
}

TEST(FrameParserTest, StreamIsCutAtFrameBoundaries) {
    EXPECT_EQ(parseFrame("").status, Status::NeedMore);
    EXPECT_EQ(parseFrame("D").status, Status::NeedMore);
    EXPECT_EQ(parseFrame("Da01").status, Status::NeedMore);

    ParseOutcome noise = parseFrame("\r\nxyDa0105!");
    EXPECT_EQ(noise.status, Status::Skip);
    EXPECT_EQ(noise.consumed, 4u);
    EXPECT_EQ(parseFrame("\r\n").consumed, 2u);

    ParseOutcome doubled = parseFrame("DDa0105!");
    EXPECT_EQ(doubled.status, Status::Skip);
    EXPECT_EQ(doubled.consumed, 1u);

    ParseOutcome first = parseFrame("Dc1!Da0105!");
    EXPECT_EQ(first.request.command, Command::SetSound);
    EXPECT_EQ(first.consumed, 4u);
}

TEST(FrameParserTest, UnusableFramesAreMalformedAndConsumed) {
    struct Case {
        std::string bytes;
        std::size_t consumed;
    };
    const Case cases[] = {
        {"Dz0105!", 2},                                           // unknown command letter
        {"Da0105X", 7},                                           // no terminator
        {"Da1605!", 7},                                           // sector out of range
        {"Da0108!", 7},                                           // block 8 is not in sector 1
        {"Da0a05!", 7},                                           // sector not decimal
        {"DG7C3A19E5B04Z!", 15},                                  // key not hexadecimal
        {"Dc0!", 4},                                              // sound 0
        {"Dd" + std::string(27, '1') + "@" + kFieldB + "!", 57},  // not nibble text
    };
    for (const Case& c : cases) {
        ParseOutcome outcome = parseFrame(c.bytes);
        EXPECT_EQ(outcome.status, Status::Frame) << c.bytes;
        EXPECT_EQ(outcome.request.command, Command::Malformed) << c.bytes;
        EXPECT_FALSE(outcome.request.problem.empty()) << c.bytes;
        EXPECT_EQ(outcome.consumed, c.consumed) << c.bytes;
    }
}

}  // namespace
}  // namespace readersim
