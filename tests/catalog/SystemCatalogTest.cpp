// The catalog built from the Unicode and CLDR data that the system's packages install.
#include "EmojiCatalog.h"
#include "EmojiTestFile.h"
#include "FileReading.h"
#include "Unicode.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(SystemCatalogTest, LinuxDataGivesAFullNamedCatalog) {
    const EmojiCatalog& catalog = EmojiCatalog::shared();
    EXPECT_EQ(&catalog, &EmojiCatalog::shared());
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

    const EmojiItem* heart = catalog.item("heart");
    ASSERT_NE(heart, nullptr);
    EXPECT_EQ(heart->emoji, "\u2764\uFE0F");
    EXPECT_EQ(heart->name, "red heart");
    const EmojiItem* japan = catalog.item("flag_japan");
    ASSERT_NE(japan, nullptr);
    EXPECT_EQ(japan->category, EmojiCategory::flags);
}

TEST(SystemCatalogTest, EveryEmojiIsFiledUnderItsUnicodeGroup) {
    using enum EmojiCategory;
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

    // Those a new user met in the wrong place.
    const auto categoryOf = [&](const std::string& id) {
        const EmojiItem* item = catalog.item(id);
        return item != nullptr ? std::optional(item->category) : std::nullopt;
    };
    EXPECT_EQ(categoryOf("peach"), food);
    EXPECT_EQ(categoryOf("peacock"), animals);
    EXPECT_EQ(categoryOf("chair"), objects);
    EXPECT_EQ(categoryOf("fire"), travel);
    EXPECT_EQ(categoryOf("last_quarter_moon"), travel);
    EXPECT_EQ(categoryOf("tennis"), activity);
}

TEST(SystemCatalogTest, SearchRanksTheObviousEmojiFirst) {
    const EmojiCatalog& catalog = EmojiCatalog::shared();
    const auto first = [&](const std::string& query) {
        const auto results = catalog.search(query, std::nullopt, {}, {}, {});
        return results.empty() ? std::string() : results.front()->emoji;
    };
    EXPECT_EQ(first("heart"), "\u2764\uFE0F");
    EXPECT_EQ(first("fire"), "\U0001F525");
    EXPECT_EQ(first(":thumbsup:"), "\U0001F44D");
    EXPECT_EQ(first("flag: japan"), "\U0001F1EF\U0001F1F5");
    EXPECT_EQ(first(""), "\U0001F602");
    EXPECT_EQ(catalog.search("", std::nullopt, {}, {}, {}).size(), catalog.all().size());
}

} // namespace
} // namespace tiklo
