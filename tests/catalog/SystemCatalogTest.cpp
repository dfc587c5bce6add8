// SPDX-License-Identifier: GPL-3.0-or-later
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

// Every emoji of the system's data, named, each once, untoned, filed under its Unicode group,
// and every category holding some.
TEST(SystemCatalogTest, LinuxDataGivesAFullNamedCatalogFiledByUnicodeGroup) {
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
    EXPECT_EQ(catalog.itemsByID().size(), items.size());
    EXPECT_EQ(catalog.sourceReport().missingPackages(),
              std::vector<CatalogSourceReport::Package>{});

    const EmojiItem* heart = catalog.item("heart");
    ASSERT_NE(heart, nullptr);
    EXPECT_EQ(heart->emoji, "\u2764\uFE0F");
    EXPECT_EQ(heart->name, "red heart");
    ASSERT_NE(catalog.item("flag_japan"), nullptr);
    EXPECT_EQ(catalog.item("flag_japan")->category, EmojiCategory::flags);
}

// What people type, in their language and in English, finds the obvious emoji first: the
// tiers, then words in any order and typos; two letters beside "flag" are a region code,
// three a name's start; derived names with or without their ":".
TEST(SystemCatalogTest, SearchFindsTheObviousEmojiFirstInEachLanguage) {
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    const EmojiCatalog german(CatalogSources::systemDefaults("de_DE.UTF-8"));
    const EmojiCatalog french(CatalogSources::systemDefaults("fr_FR.UTF-8"));
    const std::string heart = "\u2764\uFE0F";
    const std::string germany = "\U0001F1E9\U0001F1EA";
    struct Row {
        const EmojiCatalog& catalog;
        std::string query;
        std::string first; // empty: nothing found
    };
    const Row rows[] = {
        {english, "heart", heart},
        {english, ":thumbsup:", "\U0001F44D"},
        {english, "flag: japan", "\U0001F1EF\U0001F1F5"},
        {english, "", "\U0001F602"},
        {english, "tears joy", "\U0001F602"},
        {english, "truck fire", "\U0001F692"},
        {english, "piza", "\U0001F355"},
        {english, "fier", "\U0001F525"},
        {english, "rainbwo", "\U0001F308"},
        {english, "flag de", germany},
        {english, "Flag DE", germany},
        {english, "de flag", germany},
        {english, "flag gb", "\U0001F1EC\U0001F1E7"},
        {english, "flag den", "\U0001F1E9\U0001F1F0"},
        {english, "flag qq", ""},
        {german, "Flagge Deutschland", germany},
        {german, "deutschland flagge", germany},
        {german, "flagge deu", germany},
        {german, "Frau: Glatze", "\U0001F469\u200D\U0001F9B2"},
        {german, "herz", heart},
        {german, "Katzengesicht", "\U0001F431"},
        {german, "heart", heart},
        {german, "pizza", "\U0001F355"},
        {french, "drapeau\u202F: Allemagne", germany},
        {french, "drapeau allem", germany},
        {french, "c\u0153ur", heart},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(firstFound(row.catalog, row.query), row.first) << row.query;
    }
    EXPECT_EQ(english.search("", std::nullopt, {}, {}, {}).size(), english.all().size());
    EXPECT_TRUE(finds(english, "cat smiling", "\U0001F63B"));
    EXPECT_TRUE(finds(german, "katze", "\U0001F431"));
    EXPECT_FALSE(finds(english, "herz", heart));
    EXPECT_FALSE(finds(english, "katze", "\U0001F431"));
    const auto hart = english.search("hart", std::nullopt, {}, {}, {});
    ASSERT_GE(hart.size(), 5u);
    EXPECT_TRUE(std::any_of(hart.begin(), hart.begin() + 5,
                            [&](const EmojiItem* item) { return item->emoji == heart; }));
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

// The user's language only adds keywords: the ids that favorites and recents are stored by
// stay the same. English, unknown or broken languages give the English catalog itself.
TEST(SystemCatalogTest, OtherLanguagesOnlyAddKeywordsAndUnknownOnesGiveEnglish) {
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    for (const char* locale : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        const EmojiCatalog other(CatalogSources::systemDefaults(locale));
        ASSERT_EQ(other.all().size(), english.all().size());
        for (std::size_t i = 0; i < english.all().size(); ++i) {
            EmojiItem item = other.all()[i];
            EXPECT_GE(item.keywords.size(), english.all()[i].keywords.size());
            item.keywords = english.all()[i].keywords;
            EXPECT_EQ(item, english.all()[i]);
        }
    }
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
