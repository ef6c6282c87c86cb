// The list entries and the time-limit rule of the settings dialogs.

#include "dialogs/parameter_choices.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

QStringList texts(const ChoiceList& choices) {
    QStringList result;
    for (const ChoiceEntry& entry : choices) result << entry.text;
    return result;
}

TEST(ParameterChoices, ListsMapTheirEntriesToTheDeviceCodes) {
    EXPECT_EQ(texts(baudRateChoices()),
              (QStringList{"1200bps", "2400bps", "4800bps", "9600bps", "19200bps", "38400bps", "57600bps",
                           "115200bps", "150bps", "300bps", "600bps", "28800bps"}));
    EXPECT_EQ(choiceIndexOfValue(baudRateChoices(), "11"), 11);
    EXPECT_EQ(choiceIndexOfValue(baudRateChoices(), "8"), 8);
    EXPECT_EQ(choiceIndexOfValue(baudRateChoices(), "12"), -1);
    // The client is "2"; "1" is no work mode.
    EXPECT_EQ(choiceIndexOfValue(workModeChoices(), "2"), 1);
    EXPECT_EQ(choiceIndexOfValue(workModeChoices(), "1"), -1);
    EXPECT_EQ(choiceIndexOfValue(enableChoices(), ""), -1);
    EXPECT_EQ(choiceIndexOfValue(parityChoices(), "2"), 2);
    EXPECT_EQ(connectTimeLimitChoices().size(), 100);
    EXPECT_EQ(connectTimeLimitChoices().back().value, QStringLiteral("99"));
}

TEST(ParameterChoices, TimeLimitTextSelectsByItsLeadingNumber) {
    const std::vector<std::pair<QString, int>> cases{
        {"5", 5},    {"0", 0},     {"99", 99}, {"100", -1}, {"-1", -1},  {"", 0},    {"abc", 0},
        {" 7", 7},   {"\t+3x", 3}, {"12ab", 12}, {"-0", 0}, {"007", 7}, {"99999999999999999999", -1},
    };
    for (const auto& [text, index] : cases) EXPECT_EQ(connectTimeLimitIndex(text), index) << text.toStdString();
}

}  // namespace
}  // namespace serverconf
