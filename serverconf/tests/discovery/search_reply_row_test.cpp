// The two readers of a search reply, on the layouts a device can send.

#include "discovery/search_reply_row.h"

#include "params/gbk_text.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

// "A" + MAC + "/" + 6 + "*" + 7 + user + "/" + device name.
QByteArray reply(const QByteArray& mac, const QByteArray& user, const QByteArray& device) {
    return "A" + mac + "/V1.0.0*0000000" + user + "/" + device;
}

TEST(SearchReplyRow, WellFormedReplyGivesTheSameRowFromBothReaders) {
    const QByteArray text = reply("192168001030", "ops", "gate-1");
    const DeviceEntry expected{1, "192168001030", "ops/gate-1", "192.168.1.30", {}};
    EXPECT_EQ(searchReplyRow(text, "192.168.1.30", true), expected);
    EXPECT_EQ(targetedSearchReplyRow(text, "192.168.1.30", true), expected);
    EXPECT_EQ(searchReplyRow(text, "10.0.0.5", false).sameNetwork, false);
}

TEST(SearchReplyRow, NameColumnRules) {
    struct Case {
        QByteArray user, device;
        QString column;
    } const cases[] = {
        {"", "gate-1", "/gate-1"},  // "/" right at offset 28
        {"", "", ""},               // both empty
        {"ops", "", "ops/"},        // device name empty
        {"ops", "/", ""},           // device name exactly "/"
        {"", "/", ""},
        {"12345678", "gate", "12345678/gate"},  // longest user name
        {"ops", "a/b", "ops/a/b"},              // later bars belong to the device name
    };
    for (const Case& c : cases) {
        const QByteArray text = reply("001122334455", c.user, c.device);
        EXPECT_EQ(searchReplyRow(text, "1.2.3.4", true).userAndDeviceName, c.column) << text.constData();
        EXPECT_EQ(targetedSearchReplyRow(text, "1.2.3.4", true).userAndDeviceName, c.column) << text.constData();
    }
}

TEST(SearchReplyRow, EveryCapitalAIsRemovedFromTheMacColumnOnly) {
    const QByteArray text = reply("0A11AA22a455", "Anna", "Area");
    EXPECT_EQ(searchReplyRow(text, "1.2.3.4", true).macAddress, "01122a455");
    EXPECT_EQ(searchReplyRow(text, "1.2.3.4", true).userAndDeviceName, "Anna/Area");
    EXPECT_EQ(targetedSearchReplyRow(text, "1.2.3.4", true).macAddress, "01122a455");
}

TEST(SearchReplyRow, SearchReaderFollowsTheSeparatorsWhereverTheyStand) {
    // A 10-character MAC and a shorter filler: the separators move, the
    // search reader follows them, the targeted reader keeps its offsets.
    const QByteArray text = "A0011223344/xy*1234567ops/gate-1";
    EXPECT_EQ(searchReplyRow(text, "1.2.3.4", true).macAddress, "0011223344");
    EXPECT_EQ(searchReplyRow(text, "1.2.3.4", true).userAndDeviceName, "ops/gate-1");
    EXPECT_EQ(targetedSearchReplyRow(text, "1.2.3.4", true).macAddress, "0011223344/x");
}

TEST(SearchReplyRow, MissingSeparatorsNeitherCrashNorLoseText) {
    // No "*": the user piece starts at position 7.
    EXPECT_EQ(searchReplyRow("A001122/ops/gate", "1.2.3.4", true).userAndDeviceName, "/ops/gate");
    // No "/" at all: the whole text (less its capital A) is the MAC column.
    const DeviceEntry noBar = searchReplyRow("A001122334455", "1.2.3.4", true);
    EXPECT_EQ(noBar.macAddress, "001122334455");
    EXPECT_EQ(noBar.userAndDeviceName, "");
    // The user piece has no "/" within nine characters: shown as it stands.
    EXPECT_EQ(searchReplyRow(reply("001122334455", "averylongname", "gate"), "1.2.3.4", true).userAndDeviceName,
              "averylongname/gate");
    // Short and empty replies.
    for (const QByteArray& text : {QByteArray(), QByteArray("A"), QByteArray("/"), QByteArray("*")}) {
        EXPECT_EQ(searchReplyRow(text, "1.2.3.4", false).deviceAddress, "1.2.3.4");
        EXPECT_EQ(targetedSearchReplyRow(text, "1.2.3.4", false).userAndDeviceName, "");
    }
}

TEST(SearchReplyRow, ChineseNamesAreDecodedFromCodePage936) {
    const QByteArray text = reply("001122334455", toGbk(QStringLiteral("张三")), toGbk(QStringLiteral("门禁")));
    EXPECT_EQ(searchReplyRow(text, "1.2.3.4", true).userAndDeviceName, QStringLiteral("张三/门禁"));
    EXPECT_EQ(targetedSearchReplyRow(text, "1.2.3.4", true).userAndDeviceName, QStringLiteral("张三/门禁"));
}

TEST(SearchReplyRow, OnlyDatagramsLaidOutAsASearchReplyCount) {
    EXPECT_TRUE(isSearchReply(reply("001122334455", "ops", "gate-1")));
    EXPECT_TRUE(isSearchReply(QByteArray("A001122334455/")));
    for (const QByteArray& text :
         {QByteArray(), QByteArray("A"), QByteArray("X"), QByteArray("value|1"), QByteArray("B001122334455/rest"),
          QByteArray("A00112233445/rest"), QByteArray("A0011/2334455/rest"), QByteArray("A0011223344556")}) {
        EXPECT_FALSE(isSearchReply(text)) << text.constData();
    }
}

}  // namespace
}  // namespace serverconf
