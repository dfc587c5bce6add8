// SPDX-License-Identifier: GPL-3.0-or-later
// Symbols and kaomoji from the system's CLDR data and the project's tables, and what semicolon
// search shows of them beside emoji.
#include "catalog/EmojiCatalog.h"
#include "catalog/SymbolGroup.h"
#include "catalog/Unicode.h"
#include "catalog/UserLocale.h"

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

constexpr std::string_view shrug = "\u00AF\\_(\u30C4)_/\u00AF";

std::vector<const EmojiItem*> inlineFound(const EmojiCatalog& catalog, std::string_view query) {
    return catalog.inlineSearch(query, {}, {}, {});
}

std::size_t countOf(const std::vector<const EmojiItem*>& found, ItemKind kind) {
    return static_cast<std::size_t>(
        std::ranges::count(found, kind, [](const EmojiItem* item) { return item->kind; }));
}

TEST(SymbolCatalogTest, TheSystemsDataGivesGroupedPlainSymbolsNamedInTheUsersLanguage) {
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    const std::vector<EmojiItem>& symbols = english.ofKind(ItemKind::symbol).all();
    std::map<std::string, std::size_t> perGroup;
    for (const EmojiItem& symbol : symbols) {
        const std::u32string scalars = unicode::scalars(symbol.emoji);
        ASSERT_EQ(scalars.size(), 1u) << symbol.emoji;
        EXPECT_GT(scalars[0], U'\x7F') << "ASCII is on the keyboard: " << symbol.emoji;
        EXPECT_FALSE(unicode::isEmoji(scalars[0]) && unicode::isEmojiPresentation(scalars[0]))
            << symbol.emoji;
        EXPECT_FALSE(symbol.name.empty()) << symbol.emoji;
        EXPECT_EQ(english.item(symbol.id()), &symbol);
        ++perGroup[symbol.group];
    }
    // What Debian 12's CLDR names, with the text-style emoji and the project's own.
    const std::map<std::string_view, std::pair<std::size_t, std::size_t>> bounds{
        {"punctuation", {40, 80}},
        {"arrows", {80, 130}},
        {"math", {100, 170}},
        {"currency", {15, 45}},
        {"geometric", {55, 110}},
        {"bullets_stars", {5, 40}},
        {"letterlike_technical", {15, 70}},
        {"music", {4, 15}},
    };
    ASSERT_EQ(perGroup.size(), bounds.size());
    for (const auto& [group, range] : bounds) {
        EXPECT_GE(perGroup[std::string(group)], range.first) << group;
        EXPECT_LE(perGroup[std::string(group)], range.second) << group;
    }
    // The emoji stay as they were: no symbol among them, none of them a symbol.
    EXPECT_TRUE(std::ranges::none_of(
        english.all(), [](const EmojiItem& item) { return item.kind != ItemKind::emoji; }));
    EXPECT_GE(english.ofKind(ItemKind::kaomoji).all().size(), 140u);
    EXPECT_EQ(english.localGroupTitle(SymbolGroup::arrows), nullptr);

    // German names; a Swiss locale reads what it adds over German, then German.
    for (const char* locale : {"de_DE.UTF-8", "de_CH.UTF-8"}) {
        const EmojiCatalog german(CatalogSources::systemDefaults(locale));
        const std::vector<const EmojiItem*> euro = inlineFound(german, "euro");
        ASSERT_FALSE(euro.empty()) << locale;
        EXPECT_LE(std::ranges::find(euro, "\u20AC", &EmojiItem::emoji) - euro.begin(), 2) << locale;
        EXPECT_GT(countOf(inlineFound(german, "keine ahnung"), ItemKind::kaomoji), 0u) << locale;
        const std::string* arrows = german.localGroupTitle(SymbolGroup::arrows);
        ASSERT_NE(arrows, nullptr) << locale;
        EXPECT_EQ(*arrows, "Pfeile") << locale;
        const std::optional<NamedGroup> pfeil = german.namedGroup("pfeil");
        ASSERT_TRUE(pfeil) << locale;
        EXPECT_EQ(std::tie(pfeil->kind, pfeil->group, pfeil->title),
                  std::tuple(ItemKind::symbol, "arrows", "Pfeile"))
            << locale;
    }
}

// A query that names a whole group (any word of its title, from four letters on) opens it.
TEST(SymbolCatalogTest, AQueryNamingAGroupOrATabFindsItInEnglish) {
    const EmojiCatalog english(CatalogSources::systemDefaults(UserLocale::none));
    const EmojiCatalog& symbols = english.ofKind(ItemKind::symbol);
    const std::vector<std::pair<std::string, std::string>> groups{
        {"punctuation", "punctuation"},
        {"Arrows", "arrows"},
        {"arro", "arrows"},
        {"math", "math"},
        {"currency", "currency"},
        {"curr", "currency"},
        {"geometric", "geometric"},
        {"bullets", "bullets_stars"},
        {"stars", "bullets_stars"},
        {"letterlike", "letterlike_technical"},
        {"technical", "letterlike_technical"},
        {"  music ", "music"}};
    for (const auto& [query, group] : groups) {
        const std::optional<NamedGroup> named = english.namedGroup(query);
        ASSERT_TRUE(named) << query;
        EXPECT_EQ(named->kind, ItemKind::symbol) << query;
        EXPECT_EQ(named->group, group) << query;
        const auto sample = std::ranges::find(symbols.all(), named->sample, &EmojiItem::emoji);
        ASSERT_NE(sample, symbols.all().end()) << query;
        EXPECT_EQ(sample->group, group) << query;
    }
    for (const std::string query : {"symbols", "Symbol", "symb"}) {
        const std::optional<NamedGroup> named = english.namedGroup(query);
        ASSERT_TRUE(named) << query;
        EXPECT_EQ(std::tie(named->kind, named->group), std::tuple(ItemKind::symbol, ""));
    }
    for (const std::string query : {"kaomoji", "kaom"}) {
        const std::optional<NamedGroup> named = english.namedGroup(query);
        ASSERT_TRUE(named) << query;
        EXPECT_EQ(std::tie(named->kind, named->group), std::tuple(ItemKind::kaomoji, ""));
    }
    for (const std::string query : {"arr", "mat", "", "   ", "heart", "arrowz", "sad", "shrug"}) {
        EXPECT_FALSE(english.namedGroup(query)) << query;
    }
}

// What semicolon search shows beside emoji: a few symbols and kaomoji on strong matches only,
// emoji first on equal rank.
TEST(SymbolCatalogTest, InlineSearchAddsFewOtherKindsOnlyOnStrongMatches) {
    const EmojiCatalog& catalog = EmojiCatalog::shared();
    struct Case {
        std::string_view query;
        std::string_view first; // empty: an emoji, whichever
        std::string_view among; // also found, within the first ten
    };
    const std::vector<Case> cases{
        {"arrow", "", ""},        {"euro", "", "\u20AC"},
        {"degree", "\u00B0", ""}, {"shrug", "", shrug},
        {"circle", "", ""},       {"U+2713", "\u2713", ""},
        {"2713", "\u2713", ""},   {"u+2764", "\u2764\uFE0F", ""},
    };
    for (const Case& c : cases) {
        const std::vector<const EmojiItem*> found = inlineFound(catalog, c.query);
        ASSERT_FALSE(found.empty()) << c.query;
        if (c.first.empty()) {
            EXPECT_EQ(found.front()->kind, ItemKind::emoji) << c.query;
        } else {
            EXPECT_EQ(found.front()->emoji, c.first) << c.query;
        }
        if (!c.among.empty()) {
            const auto at = std::ranges::find(found, c.among, &EmojiItem::emoji);
            EXPECT_LT(at - found.begin(), 10) << c.query;
        }
        EXPECT_LE(countOf(found, ItemKind::symbol), EmojiCatalog::inlineLimitPerKind) << c.query;
        EXPECT_LE(countOf(found, ItemKind::kaomoji), EmojiCatalog::inlineLimitPerKind) << c.query;
    }
    // Text found inside a name, words in any order and typos stay in their own kind's search.
    for (const std::string_view query : {"ightwards", "arrow rightwards", "degee"}) {
        EXPECT_EQ(countOf(inlineFound(catalog, query), ItemKind::symbol), 0u) << query;
        EXPECT_FALSE(catalog.ofKind(ItemKind::symbol).search(query, {}, {}, {}, {}).empty())
            << query;
    }
}

} // namespace
} // namespace tiklo
