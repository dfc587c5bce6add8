// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SymbolTables.h"
#include "catalog/CatalogSources.h"
#include "catalog/CldrAnnotations.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// The system's emoji-test.txt and English CLDR data, which the tables sit beside.
struct SystemData {
    std::set<std::string> emoji; // fully-qualified, without U+FE0F
    std::set<std::string> emojiWithSelector;
    std::set<std::string> annotated;
    std::string locale = readWholeFile("/usr/share/unicode/cldr/common/main/en.xml").value_or("");

    SystemData() {
        const CatalogSources sources = CatalogSources::systemDefaults("");
        const std::string test = readWholeFile(sources.emojiFiles.back().path).value_or("");
        const std::string xml = readWholeFile(sources.names.back().paths.front()).value_or("");
        for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(test)) {
            emojiWithSelector.insert(entry.emoji);
            std::u32string bare = unicode::scalars(entry.emoji);
            std::erase(bare, unicode::variationSelector16);
            emoji.insert(unicode::toUtf8(bare));
        }
        const CldrAnnotations annotations = CldrAnnotations::parse(xml).value_or(CldrAnnotations{});
        for (const auto& [text, keywords] : annotations.keywords) {
            annotated.insert(text);
        }
    }

    // Hair components are emoji though emoji-test.txt lists them as components only.
    bool isEmoji(const std::string& text) const {
        const std::u32string scalars = unicode::scalars(text);
        return emoji.contains(text) || (scalars.size() == 1 && unicode::isEmoji(scalars[0]));
    }
};

std::vector<std::string_view> split(std::string_view list) {
    std::vector<std::string_view> parts;
    for (std::size_t bar; (bar = list.find('|')) != list.npos; list.remove_prefix(bar + 1)) {
        parts.push_back(list.substr(0, bar));
    }
    parts.push_back(list);
    return parts;
}

// One scalar, beyond ASCII, in NFC.
void expectSingleSymbol(std::string_view text) {
    const std::u32string scalars = unicode::scalars(text);
    ASSERT_EQ(scalars.size(), 1u) << text;
    EXPECT_GE(scalars[0], 0x80u) << text;
    EXPECT_EQ(unicode::nfc(text), text) << text;
}

TEST(SymbolTablesTest, TablesHoldDistinctSymbolsThatAgreeWithTheSystemData) {
    const SystemData data;
    ASSERT_GT(data.emoji.size(), 3000u);
    ASSERT_GT(data.annotated.size(), 1800u);

    std::set<std::string> texts;
    for (const SymbolTables::Curated& symbol : SymbolTables::curated()) {
        expectSingleSymbol(symbol.text);
        const std::string text(symbol.text);
        EXPECT_FALSE(data.isEmoji(text) || data.annotated.contains(text)) << text;
        for (const std::string_view keywords : {symbol.english, symbol.german, symbol.french}) {
            const std::vector<std::string_view> words = split(keywords);
            EXPECT_LE(words.size(), 5u) << text;
            EXPECT_TRUE(std::ranges::none_of(words, &std::string_view::empty)) << text;
            EXPECT_EQ(unicode::toLower(keywords), keywords) << text;
        }
        EXPECT_TRUE(texts.insert(text).second) << text;
    }
    for (const SymbolTables::TextStyle& symbol : SymbolTables::textStyle()) {
        expectSingleSymbol(symbol.text);
        const std::string text(symbol.text);
        EXPECT_TRUE(data.emojiWithSelector.contains(text + "\uFE0F") &&
                    data.annotated.contains(text))
            << text;
        EXPECT_TRUE(texts.insert(text).second) << text;
    }

    std::set<std::string_view> names;
    std::set<std::string_view> aliased;
    for (const SymbolTables::Aliases& alias : SymbolTables::aliases()) {
        const std::string text(alias.text);
        expectSingleSymbol(text);
        EXPECT_TRUE(texts.contains(text) || (data.annotated.contains(text) && !data.isEmoji(text)))
            << text;
        EXPECT_TRUE(aliased.insert(alias.text).second) << text;
        for (const std::string_view name : split(alias.names)) {
            EXPECT_TRUE(!name.empty() && name.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                                                "0123456789") == name.npos)
                << text << " " << name;
            EXPECT_TRUE(names.insert(name).second) << name;
        }
    }
}

TEST(SymbolTablesTest, EveryAnnotatedSymbolFallsInAGroupByItsBlockAndCategory) {
    const SystemData data;
    ASSERT_GT(data.annotated.size(), 1800u);
    std::set<std::string_view> titles;
    for (const SymbolGroup group : allSymbolGroups) {
        EXPECT_EQ(symbolGroupFromRaw(rawValue(group)), group);
        EXPECT_TRUE(titles.insert(title(group)).second);
        const std::string label = "characterLabel type=\"" + std::string(characterLabelType(group));
        EXPECT_NE(data.locale.find(label + '"'), std::string::npos) << label;
    }
    std::size_t symbols = 0;
    for (const std::string& text : data.annotated) {
        const std::u32string scalars = unicode::scalars(text);
        if (scalars.size() == 1 && scalars[0] >= 0x80 && !data.isEmoji(text)) {
            ++symbols;
            EXPECT_TRUE(symbolGroupOf(scalars[0])) << text;
        }
    }
    EXPECT_GT(symbols, 300u);

    using G = SymbolGroup;
    const std::pair<std::optional<G>, std::u32string_view> expected[] = {
        {G::currency, U"€"},    {G::arrows, U"→⬅➡"},       {G::math, U"≤½₇"},
        {G::geometric, U"■▷⬢"}, {G::bulletsStars, U"•★♥"}, {G::letterlikeTechnical, U"™⌘αµ"},
        {G::music, U"♪♯"},      {G::punctuation, U"—「´"}, {std::nullopt, U"a5é \u200D"},
    };
    for (const auto& [group, characters] : expected) {
        for (const char32_t c : characters) {
            EXPECT_EQ(symbolGroupOf(c), group) << static_cast<std::uint32_t>(c);
        }
    }
}

} // namespace
} // namespace tiklo
