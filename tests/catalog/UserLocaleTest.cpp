// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/UserLocale.h"

#include <map>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Strings = std::vector<std::string>;

std::string localeOf(const std::map<std::string, std::string>& variables) {
    return UserLocale::fromEnvironment([&](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

TEST(UserLocaleTest, EnvironmentPrecedenceIsLcAllThenLcMessagesThenLang) {
    EXPECT_EQ(localeOf({{"LC_ALL", "fr_FR.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "es_ES"}}),
              "fr_FR.UTF-8");
    EXPECT_EQ(localeOf({{"LC_MESSAGES", "de_DE"}, {"LANG", "es_ES"}}), "de_DE");
    EXPECT_EQ(localeOf({{"LANG", "es_ES"}}), "es_ES");
    // An empty variable counts as unset; the other categories say nothing about messages.
    EXPECT_EQ(localeOf({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "pt_BR"}}), "pt_BR");
    EXPECT_EQ(localeOf({{"LC_CTYPE", "de_DE"}, {"LANGUAGE", "de"}}), "");
    EXPECT_EQ(localeOf({}), "");
}

TEST(UserLocaleTest, LocaleNamesGiveTheirCldrLocalesMostSpecificFirst) {
    EXPECT_EQ(UserLocale::cldrLocales("de_DE.UTF-8"), (Strings{"de_DE", "de"}));
    EXPECT_EQ(UserLocale::cldrLocales("de"), (Strings{"de"}));
    EXPECT_EQ(UserLocale::cldrLocales("de_CH.ISO-8859-1@euro"), (Strings{"de_CH", "de"}));
    EXPECT_EQ(UserLocale::cldrLocales("sr_RS@latin"), (Strings{"sr_RS", "sr"}));
    EXPECT_EQ(UserLocale::cldrLocales("zh_Hant_HK"), (Strings{"zh_Hant_HK", "zh_Hant", "zh"}));
    EXPECT_EQ(UserLocale::cldrLocales("DE-at"), (Strings{"de_at", "de"}));
    EXPECT_EQ(UserLocale::cldrLocales("es_419"), (Strings{"es_419", "es"}));
    // Language codes of two and three letters, subtags of up to eight.
    EXPECT_EQ(UserLocale::cldrLocales("ast_ES"), (Strings{"ast_ES", "ast"}));
    EXPECT_EQ(UserLocale::cldrLocales("ca_ES_valencia"),
              (Strings{"ca_ES_valencia", "ca_ES", "ca"}));
    EXPECT_EQ(UserLocale::cldrLocales("de_abcdefgh"), (Strings{"de_abcdefgh", "de"}));

    // English, the POSIX locale, no language, and names that are not locale names.
    for (const char* english :
         {"en",           "en_US.UTF-8", "en_GB",         "EN_us", "en_001", "C",
          "C.UTF-8",      "POSIX",       "none",          "",      "x",      "deut",
          "de_abcdefghi", "de_",         "de__DE",        "_DE",   "de/..",  "../de",
          "de_D/E",       "d e",         "de_DE\xC3\xA4", "de\n"}) {
        EXPECT_EQ(UserLocale::cldrLocales(english), Strings{}) << english;
    }
}

} // namespace
} // namespace tiklo
