// The catalog built from the Unicode and CLDR data that the system's packages install.
#include "catalog/EmojiCatalog.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"
#include "catalog/UserLocale.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

std::string firstFound(const EmojiCatalog& catalog, const std::string& query) {
    const auto results = catalog.search(query, std::nullopt, {}, {}, {});
    return results.empty() ? std::string() : results.front()->emoji;
}

bool finds(const EmojiCatalog& catalog, const std::string& query, const std::string& emoji) {
    const auto results = catalog.search(query, std::nullopt, {}, {}, {});
    return std::any_of(results.begin(), results.end(),
                       [&](const EmojiItem* item) { return item->emoji == emoji; });
}

TEST(SystemCatalogTest, LinuxDataGivesAFullNamedCatalog) {
    const EmojiCatalog& catalog = EmojiCatalog::shared();
    const std::vector<EmojiItem>& items = catalog.all();
    ASSERT_GE(items.size(), 1800u);

    std::unordered_set<std::string> shortcodes;
    std::size_t unnamed = 0;
    for (const EmojiItem& item : items) {
        EXPECT_TRUE(shortcodes.insert(item.shortcode).second) << item.shortcode;
        const std::u32string scalars = unicode::scalars(item.emoji);
        EXPECT_TRUE(std::none_of(scalars.begin(), scalars.end(), unicode::isSkinToneModifier))
            << item.shortcode;
        unnamed += item.name.starts_with("emoji ") ? 1 : 0;
    }
    EXPECT_EQ(unnamed, 0u);
    EXPECT_EQ(catalog.itemsByID().size(), items.size());
    EXPECT_EQ(catalog.sourceReport().missingPackages(),
              std::vector<CatalogSourceReport::Package>{});

    const EmojiItem* heart = catalog.item("heart");
    ASSERT_NE(heart, nullptr);
    EXPECT_EQ(heart->emoji, "\u2764\uFE0F");
    EXPECT_EQ(heart->name, "red heart");
    const EmojiItem* japan = catalog.item("flag_japan");
    ASSERT_NE(japan, nullptr);
    EXPECT_EQ(japan->category, EmojiCategory::flags);
}

TEST(SystemCatalogTest, EveryEmojiIsFiledUnderItsUnicodeGroup) {
    const std::string emojiTest = CatalogSources::systemDefaults().emojiFiles.back().path;
    const std::optional<std::string> text = readWholeFile(emojiTest);
    ASSERT_TRUE(text) << emojiTest;
    std::unordered_map<std::string, EmojiCategory> groupCategory;
    for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(*text)) {
        ASSERT_TRUE(entry.category) << entry.emoji;
        groupCategory.emplace(entry.emoji, *entry.category);
    }

    const EmojiCatalog& catalog = EmojiCatalog::shared();
    std::map<EmojiCategory, std::size_t> counts;
    for (const EmojiItem& item : catalog.all()) {
        const auto found = groupCategory.find(item.emoji);
        ASSERT_NE(found, groupCategory.end()) << item.name;
        EXPECT_EQ(item.category, found->second) << item.name;
        ++counts[item.category];
    }
    EXPECT_EQ(counts.size(), allEmojiCategories.size());
}

TEST(SystemCatalogTest, SearchRanksTheObviousEmojiFirst) {
    const EmojiCatalog& catalog = EmojiCatalog::shared();
    const auto first = [&](const std::string& query) { return firstFound(catalog, query); };
    EXPECT_EQ(first("heart"), "\u2764\uFE0F");
    EXPECT_EQ(first("fire"), "\U0001F525");
    EXPECT_EQ(first(":thumbsup:"), "\U0001F44D");
    EXPECT_EQ(first("flag: japan"), "\U0001F1EF\U0001F1F5");
    EXPECT_EQ(first(""), "\U0001F602");
    EXPECT_EQ(catalog.search("", std::nullopt, {}, {}, {}).size(), catalog.all().size());
}

// Where the tiers find nothing, words in any order and then typos do.
TEST(SystemCatalogTest, SearchForgivesWordOrderAndTypos) {
    const EmojiCatalog english(CatalogSources::systemDefaults("en"));
    for (const auto& [query, emoji] : std::vector<std::pair<std::string, std::string>>{
             {"tears joy", "\U0001F602"},
             {"truck fire", "\U0001F692"},
             {"piza", "\U0001F355"},
             {"fier", "\U0001F525"},
             {"bananna", "\U0001F34C"},
             {"rainbwo", "\U0001F308"},
         }) {
        EXPECT_EQ(firstFound(english, query), emoji) << query;
    }
    EXPECT_TRUE(finds(english, "cat smiling", "\U0001F63B"));
    const auto hart = english.search("hart", std::nullopt, {}, {}, {});
    ASSERT_GE(hart.size(), 5u);
    EXPECT_TRUE(std::any_of(hart.begin(), hart.begin() + 5,
                            [](const EmojiItem* item) { return item->emoji == "\u2764\uFE0F"; }));
}

// What the display cannot draw is left out of the items and the search; an emoji whose toned
// forms cannot be drawn is offered without tones. Without the check everything stays.
TEST(SystemCatalogTest, WhatCannotBeDrawnIsLeftOut) {
    const EmojiCatalog whole(CatalogSources::systemDefaults("en"));
    EXPECT_EQ(whole.sourceReport().undrawable, 0u);
    CatalogSources sources = CatalogSources::systemDefaults("en");
    const std::string pizza = "\U0001F355";
    const std::string thumbsUp = "\U0001F44D";
    sources.drawable = [&](std::string_view emoji) {
        return emoji.find(pizza) == std::string_view::npos &&
               !(emoji.starts_with(thumbsUp) && emoji != thumbsUp);
    };
    const EmojiCatalog drawn(sources);
    EXPECT_EQ(drawn.sourceReport().undrawable, 1u);
    EXPECT_EQ(drawn.all().size(), whole.all().size() - 1);
    EXPECT_EQ(drawn.item("pizza"), nullptr);
    EXPECT_FALSE(finds(drawn, "pizza", pizza));
    EXPECT_FALSE(finds(drawn, "piza", pizza));
    const EmojiItem* thumbs = drawn.item("thumbsup");
    ASSERT_NE(thumbs, nullptr);
    EXPECT_FALSE(thumbs->supportsSkinTone);
    EXPECT_EQ(thumbs->displayEmoji(SkinTone::dark), thumbsUp);
    ASSERT_NE(drawn.item("wave"), nullptr);
    EXPECT_TRUE(drawn.item("wave")->supportsSkinTone);
    EXPECT_TRUE(whole.item("thumbsup")->supportsSkinTone);
}

// Two letters beside "flag" are a region code; three are a name's start.
TEST(SystemCatalogTest, AFlagIsFoundFirstByItsRegionCode) {
    const EmojiCatalog english(CatalogSources::systemDefaults("en"));
    const std::string germany = "\U0001F1E9\U0001F1EA";
    for (const std::string query : {"flag de", "de flag", "Flag DE", "flag: de"}) {
        EXPECT_EQ(firstFound(english, query), germany) << query;
    }
    EXPECT_EQ(firstFound(english, "flag us"), "\U0001F1FA\U0001F1F8");
    EXPECT_EQ(firstFound(english, "flag gb"), "\U0001F1EC\U0001F1E7");
    EXPECT_EQ(firstFound(english, "flag den"), "\U0001F1E9\U0001F1F0");
    // A code without a flag names nothing.
    EXPECT_EQ(firstFound(english, "flag qq"), "");
}

// Derived names of the user's language, as people type them: with or without the ":", in
// any order.
TEST(SystemCatalogTest, DerivedNamesOfTheUsersLanguageFindTheirEmojiFirst) {
    const EmojiCatalog german(CatalogSources::systemDefaults("de_DE.UTF-8"));
    const std::string germany = "\U0001F1E9\U0001F1EA";
    for (const std::string query :
         {"Flagge: Deutschland", "Flagge Deutschland", "deutschland flagge", "flagge deu"}) {
        EXPECT_EQ(firstFound(german, query), germany) << query;
    }
    EXPECT_EQ(firstFound(german, "Frau: Glatze"), "\U0001F469\u200D\U0001F9B2");
    const EmojiCatalog french(CatalogSources::systemDefaults("fr_FR.UTF-8"));
    for (const std::string query : {"drapeau : Allemagne", "drapeau: allemagne",
                                    "drapeau\u202F: Allemagne", "drapeau allem"}) {
        EXPECT_EQ(firstFound(french, query), germany) << query;
    }
}

TEST(SystemCatalogTest, SearchInTheUserLanguageKeepsEnglishAndTheIds) {
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    const EmojiCatalog german(CatalogSources::systemDefaults("de_DE.UTF-8"));
    EXPECT_EQ(firstFound(german, "herz"), "\u2764\uFE0F");
    EXPECT_EQ(firstFound(german, "Katzengesicht"), "\U0001F431"); // its German name
    EXPECT_TRUE(finds(german, "katze", "\U0001F431"));
    EXPECT_EQ(firstFound(german, "pizza"), "\U0001F355");
    EXPECT_EQ(firstFound(german, "heart"), "\u2764\uFE0F");
    EXPECT_EQ(firstFound(german, "deutschland"), "\U0001F1E9\U0001F1EA");
    EXPECT_FALSE(finds(english, "herz", "\u2764\uFE0F"));
    EXPECT_FALSE(finds(english, "katze", "\U0001F431"));

    const EmojiCatalog french(CatalogSources::systemDefaults("fr_FR.UTF-8"));
    EXPECT_EQ(firstFound(french, "c\u0153ur"), "\u2764\uFE0F");
    EXPECT_TRUE(finds(french, "CHAT", "\U0001F431"));

    // Only keywords grow: the ids that favorites and recents are stored by stay the same.
    for (const EmojiCatalog* other : {&german, &french}) {
        ASSERT_EQ(other->all().size(), english.all().size());
        for (std::size_t i = 0; i < english.all().size(); ++i) {
            EmojiItem item = other->all()[i];
            EXPECT_GE(item.keywords.size(), english.all()[i].keywords.size());
            item.keywords = english.all()[i].keywords;
            EXPECT_EQ(item, english.all()[i]);
        }
    }
}

TEST(SystemCatalogTest, EnglishUnknownOrBrokenLanguagesGiveTheEnglishCatalog) {
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    for (const char* locale : {"en_GB.UTF-8", "xx_YY.UTF-8", "POSIX", "../de"}) {
        EXPECT_EQ(EmojiCatalog(CatalogSources::systemDefaults(locale)).all(), english.all())
            << locale;
    }
    CatalogSources broken = CatalogSources::systemDefaults(UserLocale::none);
    broken.userLanguage = {std::string(TIKLO_TEST_DATA_DIR) + "/catalog/annotations-truncated.xml"};
    EXPECT_EQ(EmojiCatalog(broken).all(), english.all());
}

} // namespace
} // namespace tiklo
