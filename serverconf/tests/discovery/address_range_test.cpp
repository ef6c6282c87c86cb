// The addresses a range search probes and when its batches go out.

#include "discovery/address_range.h"
#include "discovery/range_search.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

TEST(AddressRange, ARangeOrPrefixGivesItsAddressesAscendingOrIsRefused) {
    const struct {
        const char* range;
        int count;  // -1: refused
        const char* first;
        const char* last;
    } cases[] = {
        {"10.0.0.5-10.0.0.7", 3, "10.0.0.5", "10.0.0.7"},
        {"10.0.0.5-10.0.0.5", 1, "10.0.0.5", "10.0.0.5"},
        {"10.0.0.250-10.0.1.2", 9, "10.0.0.250", "10.0.1.2"},
        {"10.0.0.7-10.0.0.5", -1, "", ""},
        {"10.0.0.77/24", 254, "10.0.0.1", "10.0.0.254"},
        {"10.0.0.9/30", 2, "10.0.0.9", "10.0.0.10"},
        {"10.0.0.9/31", 2, "10.0.0.8", "10.0.0.9"},
        {"10.0.0.9/32", 1, "10.0.0.9", "10.0.0.9"},
        {"10.0.16.0/20", 4094, "10.0.16.1", "10.0.31.254"},
        {"10.0.0.0/19", -1, "", ""},
        {"10.0.0.0-10.0.16.0", -1, "", ""},
        {"10.0.0.0-10.0.15.255", 4096, "10.0.0.0", "10.0.15.255"},  // parsed only: nothing is sent
        {"10.0.0.1/33", -1, "", ""},
        {"10.0.0.1/", -1, "", ""},
        {"10.0.0.1-", -1, "", ""},
        {"10.0.0.256-10.0.0.1", -1, "", ""},
        {"10.0.0.1", -1, "", ""},
        {"", -1, "", ""},
    };
    for (const auto& c : cases) {
        QString error;
        const std::optional<QStringList> addresses = rangeAddresses(QString::fromLatin1(c.range), error);
        ASSERT_EQ(addresses.has_value(), c.count >= 0) << c.range;
        if (!addresses) {
            EXPECT_TRUE(error.contains(QString::fromLatin1(c.range))) << c.range << ": " << error.toStdString();
            continue;
        }
        EXPECT_EQ(addresses->size(), c.count) << c.range;
        EXPECT_EQ(addresses->first(), QString::fromLatin1(c.first)) << c.range;
        EXPECT_EQ(addresses->last(), QString::fromLatin1(c.last)) << c.range;
    }
}

TEST(AddressRange, SeveralRangesAreJoinedAscendingOnceAndCappedTogether) {
    QString error;
    EXPECT_EQ(rangesAddresses({"10.0.0.9-10.0.0.10", "10.0.0.2-10.0.0.3", "10.0.0.10/32"}, error),
              (QStringList{"10.0.0.2", "10.0.0.3", "10.0.0.9", "10.0.0.10"}));
    EXPECT_FALSE(rangesAddresses({"10.0.16.0/20", "10.1.0.0/24"}, error));
    EXPECT_EQ(addressesFromTo("10.0.0.4", "", error), QStringList{"10.0.0.4"});
    EXPECT_EQ(addressesFromTo("10.0.0.4", "10.0.0.5", error), (QStringList{"10.0.0.4", "10.0.0.5"}));
}

TEST(RangeSearchPace, BatchesOfSixteenEverySixteenMillisecondsSendASlash24InAQuarterSecond) {
    EXPECT_EQ(rangeBatchTimes(0), QList<int>());
    EXPECT_EQ(rangeBatchTimes(16), QList<int>{0});
    EXPECT_EQ(rangeBatchTimes(17), (QList<int>{0, 16}));
    EXPECT_EQ(rangeBatchTimes(254).size(), 16);
    EXPECT_EQ(rangeBatchTimes(254).last(), 240);
    EXPECT_EQ(rangeBatchTimes(4096).last(), 4080);
}

}  // namespace
}  // namespace serverconf
