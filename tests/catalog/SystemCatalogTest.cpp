// The catalog built from the Unicode and CLDR data that the system's packages install.
#include "EmojiCatalog.h"
#include "Unicode.h"

#include <algorithm>
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
