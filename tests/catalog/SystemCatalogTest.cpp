// SPDX-License-Identifier: GPL-3.0-or-later
// The catalog built from the Unicode and CLDR data that the system's packages install, in the
// language the user's locale names.
#include "catalog/CldrAnnotations.h"
#include "catalog/EmojiCatalog.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"
#include "catalog/UserLocale.h"

#include <algorithm>
#include <map>
#include <numeric>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Strings = std::vector<std::string>;

TEST(UserLocaleTest, LcAllThenLcMessagesThenLangNameCldrLocalesMostSpecificFirst) {
    const auto localeOf = [](const std::map<std::string, std::string>& variables) {
        return UserLocale::fromEnvironment([&](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        });
    };
    EXPECT_EQ(localeOf({{"LC_ALL", "fr_FR.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "es_ES"}}),
              "fr_FR.UTF-8");
    EXPECT_EQ(localeOf({{"LC_MESSAGES", "de_DE"}, {"LANG", "es_ES"}}), "de_DE");
    EXPECT_EQ(localeOf({{"LANG", "es_ES"}}), "es_ES");
    // An empty variable counts as unset; the other categories say nothing about messages.
    EXPECT_EQ(localeOf({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "pt_BR"}}), "pt_BR");
    EXPECT_EQ(localeOf({{"LC_CTYPE", "de_DE"}, {"LANGUAGE", "de"}}), "");

    // Locale names give their CLDR locales, most specific first.
    EXPECT_EQ(UserLocale::cldrLocales("de_DE.UTF-8"), (Strings{"de_DE", "de"}));
    EXPECT_EQ(UserLocale::cldrLocales("de"), (Strings{"de"}));
    EXPECT_EQ(UserLocale::cldrLocales("de_CH.ISO-8859-1@euro"), (Strings{"de_CH", "de"}));
    EXPECT_EQ(UserLocale::cldrLocales("sr_RS@latin"), (Strings{"sr_RS", "sr"}));
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

// The place of `emoji` among what `query` finds, from 1; 0 when it is not found.
std::size_t placeOf(const EmojiCatalog& catalog, const std::string& query,
                    const std::string& emoji) {
    const auto results = catalog.search(query, std::nullopt, {}, {}, {});
    const auto at = std::ranges::find(results, emoji, &EmojiItem::emoji);
    return at == results.end() ? 0 : static_cast<std::size_t>(at - results.begin()) + 1;
}

// Every emoji of the system's data, named, each once, untoned, filed under its Unicode group,
// and every category holding some.
TEST(SystemCatalogTest, LinuxDataGivesAFullNamedCatalogAndOtherLanguagesAddKeywordsThatFindIt) {
    const std::string emojiTest = CatalogSources::systemDefaults().emojiFiles.back().path;
    const std::optional<std::string> text = readWholeFile(emojiTest);
    ASSERT_TRUE(text) << emojiTest;
    std::unordered_map<std::string, EmojiCategory> groupCategory;
    for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(*text)) {
        ASSERT_TRUE(entry.category) << entry.emoji;
        groupCategory.emplace(entry.emoji, *entry.category);
    }

    const EmojiCatalog& catalog = EmojiCatalog::shared();
    const std::vector<EmojiItem>& items = catalog.all();
    ASSERT_GE(items.size(), 1800u);
    std::unordered_set<std::string> shortcodes;
    std::map<EmojiCategory, std::size_t> counts;
    for (const EmojiItem& item : items) {
        EXPECT_TRUE(shortcodes.insert(item.shortcode).second) << item.shortcode;
        const std::u32string scalars = unicode::scalars(item.emoji);
        EXPECT_TRUE(std::none_of(scalars.begin(), scalars.end(), unicode::isSkinToneModifier))
            << item.shortcode;
        EXPECT_FALSE(item.name.starts_with("emoji ")) << item.shortcode;
        const auto found = groupCategory.find(item.emoji);
        ASSERT_NE(found, groupCategory.end()) << item.name;
        EXPECT_EQ(item.category, found->second) << item.name;
        ++counts[item.category];
    }
    EXPECT_EQ(counts.size(), allEmojiCategories.size());
    EXPECT_EQ(catalog.sourceReport().missingPackages(),
              std::vector<CatalogSourceReport::Package>{});

    const EmojiItem* redHeart = catalog.item("heart");
    ASSERT_NE(redHeart, nullptr);
    EXPECT_EQ(std::tie(redHeart->emoji, redHeart->name), std::tuple("\u2764\uFE0F", "red heart"));
    EXPECT_NE(catalog.item("flag_japan"), nullptr);

    // What people type, in their language and in English, finds the obvious emoji first: the
    // tiers, then words in any order and typos; two letters beside "flag" are a region code,
    // three a name's start; derived names with or without their ":". The user's language only
    // adds keywords: the ids that favorites and recents are stored by stay the same.
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    const EmojiCatalog german(CatalogSources::systemDefaults("de_DE.UTF-8"));
    const EmojiCatalog french(CatalogSources::systemDefaults("fr_FR.UTF-8"));
    const std::string heart = "\u2764\uFE0F";
    const std::string germany = "\U0001F1E9\U0001F1EA";
    struct Row {
        const EmojiCatalog& catalog;
        std::string query;
        std::string first;
    };
    const Row rows[] = {
        {english, "heart", heart},
        {english, ":thumbsup:", "\U0001F44D"},
        {english, "flag: japan", "\U0001F1EF\U0001F1F5"},
        {english, "", "\U0001F602"},
        {english, "truck fire", "\U0001F692"},
        {english, "hat face", "\U0001F920"},
        {english, "piza", "\U0001F355"},
        {english, "flag de", germany},
        {english, "de flag", germany},
        {english, "flag den", "\U0001F1E9\U0001F1F0"},
        {german, "Flagge Deutschland", germany},
        {german, "Frau: Glatze", "\U0001F469\u200D\U0001F9B2"},
        {german, "herz", heart},
        {french, "drapeau\u202F: Allemagne", germany},
        {french, "drapeau allem", germany},
        {french, "c\u0153ur", heart},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(placeOf(row.catalog, row.query, row.first), 1u) << row.query;
    }
    // Text found inside a name ("cowboy hat face") ranks above words found in any order (the
    // partying face's "hat" and "face").
    EXPECT_GT(placeOf(english, "hat face", "\U0001F973"), 1u);
    EXPECT_TRUE(english.search("flag qq", std::nullopt, {}, {}, {}).empty());
    EXPECT_EQ(placeOf(english, "herz", heart), 0u);

    for (const EmojiCatalog* other : {&german, &french}) {
        ASSERT_EQ(other->all().size(), english.all().size());
        for (std::size_t i = 0; i < english.all().size(); ++i) {
            EmojiItem item = other->all()[i];
            EXPECT_GE(item.keywords.size(), english.all()[i].keywords.size());
            item.keywords = english.all()[i].keywords;
            EXPECT_EQ(item, english.all()[i]);
        }
    }
    // An unknown language, or a broken file of one, gives the English catalog itself.
    EXPECT_EQ(EmojiCatalog(CatalogSources::systemDefaults("xx_YY.UTF-8")).all(), english.all());
    CatalogSources broken = CatalogSources::systemDefaults(UserLocale::none);
    broken.userLanguage = {std::string(TIKLO_TEST_DATA_DIR) + "/catalog/annotations-truncated.xml"};
    EXPECT_EQ(EmojiCatalog(broken).all(), english.all());

    // What the display cannot draw is not found either, by a typo included. (Which emoji a font
    // leaves out, and which lose their tones, is the font coverage test's.)
    const std::string pizza = "\U0001F355";
    CatalogSources sources = CatalogSources::systemDefaults("en");
    sources.drawable = [&](std::string_view emoji) { return emoji != pizza; };
    const EmojiCatalog drawn(sources);
    EXPECT_EQ(drawn.item("pizza"), nullptr);
    EXPECT_EQ(placeOf(drawn, "pizza", pizza), 0u);
    EXPECT_EQ(placeOf(drawn, "piza", pizza), 0u);
}

// How well each language's names find their emoji in the real catalog: each CLDR name (and
// derived name: flags, keycaps, clock faces, people with hair or role) and keyword searched as
// the query, 1 / its emoji's place in the results (0 when not found), leaving out emoji the
// catalog lacks. The names find their emoji (the derived ones with their ":" and ","
// ignored); the keywords lose no place to them; English keeps its ranking. The floors are what
// the search reached before it knew names of other languages or words in any order.
TEST(SearchQualityTest, NamesOfTheUsersLanguageFindTheirEmojiAndKeywordsKeepTheirPlaces) {
    const auto bare = [](std::string_view text) {
        std::u32string scalars = unicode::scalars(text);
        std::erase(scalars, unicode::variationSelector16);
        return unicode::toUtf8(scalars);
    };
    const auto mean = [](const std::vector<double>& ranks) {
        return std::accumulate(ranks.begin(), ranks.end(), 0.0) / std::max<double>(ranks.size(), 1);
    };
    struct Floor {
        std::string_view locale;
        double names;
        double keywords;
    };
    for (const Floor& floor : {Floor{"de", 0.95, 0.6586}, Floor{"fr", 0.95, 0.6377},
                               Floor{UserLocale::none, 0.9678, 0.5840}}) {
        const CatalogSources sources = CatalogSources::systemDefaults(floor.locale);
        const EmojiCatalog catalog(sources);
        std::unordered_map<std::string, std::string> emojiByBareForm;
        for (const EmojiItem& item : catalog.all()) {
            emojiByBareForm.emplace(bare(item.emoji), item.emoji);
        }
        std::vector<double> names;
        std::vector<double> keywords;
        const auto rank = [&](const std::string& key, const std::string& query,
                              std::vector<double>& ranks) {
            const auto emoji = emojiByBareForm.find(bare(key));
            if (emoji != emojiByBareForm.end()) {
                const std::size_t place = placeOf(catalog, query, emoji->second);
                ranks.push_back(place == 0 ? 0 : 1.0 / static_cast<double>(place));
            }
        };
        // English: what the catalog's own CLDR annotations say.
        std::vector<std::string> files = CatalogSources::userLanguageFiles(floor.locale);
        for (const CatalogSources::Annotations& english : sources.names) {
            if (files.empty() && english.format == CatalogSources::AnnotationFormat::cldr) {
                files = english.paths;
            }
        }
        for (const std::string& file : files) {
            const std::optional<std::string> xml = readWholeFile(file);
            const std::optional<CldrAnnotations> annotations =
                xml ? CldrAnnotations::parse(*xml) : std::nullopt;
            ASSERT_TRUE(annotations) << file;
            for (const auto& [key, name] : annotations->names) {
                rank(key, name, names);
            }
            for (const auto& [key, words] : annotations->keywords) {
                for (const std::string& word : words) {
                    rank(key, word, keywords);
                }
            }
        }
        EXPECT_GE(names.size(), 1700u) << floor.locale;
        EXPECT_GE(mean(names), floor.names) << floor.locale;
        EXPECT_GE(mean(keywords), floor.keywords) << floor.locale;
        // Nearly every keyword finds its emoji somewhere.
        const auto lost = std::count(keywords.begin(), keywords.end(), 0.0);
        EXPECT_LE(static_cast<double>(lost), 0.01 * static_cast<double>(keywords.size()))
            << floor.locale;
    }
}

} // namespace
} // namespace tiklo
