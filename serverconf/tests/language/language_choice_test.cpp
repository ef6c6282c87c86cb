// The run's language: which source wins, and which language a locale speaks.

#include "language/language_choice.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

struct ChoiceCase {
    const char* what;
    LanguageSources sources;
    Language expected;
};

const ChoiceCase kChoices[] = {
    // The system's locale alone.
    {"Chinese locale", {{}, {}, {}, "zh_CN.UTF-8"}, Language::Chinese},
    {"Taiwanese locale", {{}, {}, {}, "zh_TW"}, Language::Chinese},
    {"Windows UI language, Chinese", {{}, {}, {}, "zh-Hans-CN"}, Language::Chinese},
    {"C locale", {{}, {}, {}, "C"}, Language::Chinese},
    {"C locale in UTF-8", {{}, {}, {}, "C.UTF-8"}, Language::Chinese},
    {"POSIX locale", {{}, {}, {}, "POSIX"}, Language::Chinese},
    {"no locale set", {{}, {}, {}, ""}, Language::Chinese},
    {"English locale", {{}, {}, {}, "en_US.UTF-8"}, Language::English},
    {"Windows UI language, English", {{}, {}, {}, "en-GB"}, Language::English},
    {"German locale", {{}, {}, {}, "de_DE@euro"}, Language::English},
    {"a language that merely starts with c", {{}, {}, {}, "cs_CZ"}, Language::English},
    // Each source above the locale wins over everything below it.
    {"stored over the locale", {{}, {}, "en", "zh_CN"}, Language::English},
    {"stored Chinese over an English locale", {{}, {}, "zh", "en_US"}, Language::Chinese},
    {"environment over stored", {{}, "zh", "en", "en_US"}, Language::Chinese},
    {"environment over the locale", {{}, "en", {}, "C"}, Language::English},
    {"option over environment", {"en", "zh", "zh", "zh_CN"}, Language::English},
    {"option Chinese over all English", {"zh", "en", "en", "en_US"}, Language::Chinese},
    // An unknown code counts as not given.
    {"unknown environment code passed over", {{}, "fr", "en", "zh_CN"}, Language::English},
    {"unknown stored code passed over", {{}, {}, "de", "en_US"}, Language::English},
    {"codes are lower case", {"EN", {}, {}, "C"}, Language::Chinese},
};

TEST(LanguageChoice, TheStrongestGivenSourceWinsAndLocalesMapToTheirLanguage) {
    for (const ChoiceCase& choice : kChoices) {
        EXPECT_EQ(chooseLanguage(choice.sources), choice.expected) << choice.what;
    }
}

struct ArgumentCase {
    QStringList arguments;
    QString expected;
};

TEST(LanguageChoice, TheLanguageOptionIsTakenFromAnyPlaceOfTheArguments) {
    const ArgumentCase cases[] = {
        {{}, ""},
        {{"search"}, ""},
        {{"--lang", "en", "search"}, "en"},
        {{"--wait", "10", "search", "--lang", "zh"}, "zh"},
        {{"search", "--lang"}, ""},  // no value: the usage error comes from the parser
    };
    for (const ArgumentCase& test : cases) {
        EXPECT_EQ(languageArgument(test.arguments), test.expected) << test.arguments.join(u' ').toStdString();
    }
}

}  // namespace
}  // namespace serverconf
