// The simulator's log lines, as tests read them back.

#include "datagram_log.h"

#include <gtest/gtest.h>

namespace devicesim {
namespace {

TEST(DatagramLog, RecordsSurviveFormattingWithAnyPayload) {
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    const LogRecord record{1234.5, "in", "127.0.0.1:3001", "broadcast", everyByte};
    const std::optional<LogRecord> back = parseLogLine(formatLogRecord(record));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->payload, everyByte);
    EXPECT_DOUBLE_EQ(back->timeMs, 1234.5);
    EXPECT_TRUE(back->isBroadcast());
    EXPECT_EQ(back->fromAddress(), "127.0.0.1");
    EXPECT_EQ(back->fromPort(), 3001);
    EXPECT_EQ(formatLogRecord(record).count('\t'), 4) << "a tab or newline in the payload is escaped";
}

TEST(DatagramLog, OtherLinesAreSkipped) {
    const QByteArray text =
        "devicesim ready: 1 devices\n"
        "1.000\tin\t127.0.0.1:3001\t127.0.0.5\tGPN|5\n"
        "2.000\tin\tbroken\n"
        "x\tin\ta\tb\tc\n"
        "3.000\tout\t127.0.0.5:65535\t127.0.0.1:3001\tbad\\x4\n";
    const QList<LogRecord> records = parseLog(text);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].to, "127.0.0.5");
    EXPECT_FALSE(unescapePayload("\\x+1"));
    EXPECT_FALSE(unescapePayload("\\"));
}

}  // namespace
}  // namespace devicesim
