// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CatalogAssembler.h"
#include "catalog/BuiltinTables.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"
#include "support/TempDir.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Strings = std::vector<std::string>;

EmojiItem make(const SystemEmojiTables& tables, const std::string& emoji) {
    std::unordered_set<std::string> used;
    return CatalogAssembler(tables).makeItem(emoji, used);
}

TEST(CatalogAssemblerTest, AliasedEmojiWithoutSystemTables) {
    const SystemEmojiTables none;
    const EmojiItem thumbsUp = make(none, "\U0001F44D");
    EXPECT_EQ(thumbsUp.name, "thumbsup");
    EXPECT_EQ(thumbsUp.shortcode, "thumbsup");
    EXPECT_TRUE(thumbsUp.supportsSkinTone); // a modifier base
    // No alias, no system name: built from the Unicode character names.
    const EmojiItem dog = make(none, "\U0001F436");
    EXPECT_EQ(dog.name, "dog face");
    EXPECT_EQ(dog.shortcode, "dog_face");
    EXPECT_EQ(make(none, "\u2764\uFE0F").name, "heart"); // alias wins over character names
    EXPECT_EQ(make(none, "\U0001F9D1\u200D\U0001F33E").name, "adult ear of rice");
}

TEST(CatalogAssemblerTest, SystemNamesShortcodeCollisionsAndUnnamedEmoji) {
    SystemEmojiTables tables;
    tables.systemNames = {{"\U0001F320", "Star"},
                          {"\U0001F30C", "star!"},
                          {"\U0001F303", "STAR"},
                          {"\U0001F4AB", "!!!"},
                          {"\U0001F525", ""}};
    std::unordered_set<std::string> used;
    const CatalogAssembler assembler(tables);
    EXPECT_EQ(assembler.makeItem("\U0001F320", used).name, "star");
    EXPECT_EQ(assembler.makeItem("\U0001F30C", used).shortcode, "star_2");
    EXPECT_EQ(assembler.makeItem("\U0001F303", used).shortcode, "star_3");
    EXPECT_EQ(assembler.makeItem("\U0001F320", used).shortcode, "star_4");
    EXPECT_EQ(assembler.makeItem("\U0001F4AB", used).shortcode, "emoji_1f4ab");
    // An empty system name falls through to the alias.
    EXPECT_EQ(assembler.makeItem("\U0001F525", used).name, "fire");

    EXPECT_EQ(CatalogAssembler::hexID("\u2764\uFE0F"), "2764_fe0f");
    EXPECT_EQ(CatalogAssembler::slug("  Ça va -- Très_bien!! "), "ça_va_très_bien");
    EXPECT_EQ(CatalogAssembler::slug("٣ 3"), "٣_3");
    EXPECT_EQ(CatalogAssembler::slug("?!"), "");
    // Unassigned scalars have no name at all.
    EXPECT_EQ(CatalogAssembler(tables).displayName("\U000E0080", {}), "emoji e0080");
}

TEST(CatalogAssemblerTest, KeywordRules) {
    EXPECT_EQ(CatalogAssembler::keywords("Smiling Face With Heart-Eyes"),
              (Strings{"eyes", "face", "heart", "smiling", "with"}));
    EXPECT_EQ(CatalogAssembler::keywords("OK Hand"), (Strings{"hand"}));
    EXPECT_EQ(CatalogAssembler::keywords("flag: Japan  JAPAN"), (Strings{"flag:", "japan"}));
    // Length is counted in user-perceived characters, not bytes.
    EXPECT_EQ(CatalogAssembler::keywords("éé e\u0301e\u0301e\u0301"),
              (Strings{"e\u0301e\u0301e\u0301"}));

    SystemEmojiTables tables;
    tables.phraseAliasesByEmoji = {{"\U0001F600", {"big grin", "ok"}}};
    tables.equivalentByEmoji = {{"\U0001F600", {"\U0001F44D", "\U0001F601"}}};
    tables.systemNames = {{"\U0001F601", "Beaming Face"}};
    tables.userLanguageKeywords = {{"\U0001F600", {"grinsendes gesicht", "smile"}}};
    const Strings keywords = CatalogAssembler(tables).extraKeywords("\U0001F600", "grinning",
                                                                    {"grinning", "happy", "smile"});
    // Other aliases, the name's words, phrases with their words, the equivalents' names and
    // aliases, the user's language as it stands; one set, sorted.
    EXPECT_EQ(keywords, (Strings{"approve", "beaming", "big", "big grin", "face", "grin",
                                 "grinning", "grinsendes gesicht", "happy", "ok", "smile",
                                 "thumbs_up", "thumbsup", "yes"}));
}

TEST(CatalogAssemblerTest, FlagsAreNamedAndFoundByRegion) {
    const SystemEmojiTables none;
    const EmojiItem japan = make(none, "\U0001F1EF\U0001F1F5");
    EXPECT_EQ(japan.name, "flag jp");
    EXPECT_EQ(japan.shortcode, "flag_jp");
    EXPECT_EQ(japan.category, EmojiCategory::flags);
    EXPECT_FALSE(japan.supportsSkinTone);
    EXPECT_EQ(japan.keywords, (Strings{"flag", "flag_jp", "japan", "jp"}));

    const Strings britain = CatalogAssembler::flagRegionKeywords("\U0001F1EC\U0001F1E7");
    for (const char* word : {"gb", "flag_gb", "united kingdom", "united", "kingdom", "uk",
                             "britain", "great", "great britain"}) {
        EXPECT_NE(std::ranges::find(britain, word), britain.end()) << word;
    }
    // "UK" is only two letters: kept as an alias, never as a word of one.
    EXPECT_EQ(std::count(britain.begin(), britain.end(), "uk"), 1);
    EXPECT_TRUE(CatalogAssembler::flagRegionKeywords("\U0001F1FA").empty());
    // A code with no English region name still gets its letters.
    EXPECT_EQ(CatalogAssembler::flagRegionKeywords("\U0001F1F6\U0001F1F6"),
              (Strings{"flag_qq", "qq"}));
}

// The file's groups (their reading is the emoji-test file test's) decide the categories; the
// same emoji from a source without groups differ in nothing else, and the name-word rules
// file them as before.
TEST(CatalogAssemblerTest, EmojiTestGroupsDecideCategoriesAndOtherSourcesKeepTheWordRules) {
    using Format = CatalogSources::EmojiFileFormat;
    const std::string excerpt = std::string(TIKLO_TEST_DATA_DIR) + "/catalog/emoji-test-groups.txt";
    std::vector<EmojiTestFile::Entry> expected =
        EmojiTestFile::fullyQualified(*readWholeFile(excerpt));
    // Toned forms are never items.
    std::erase_if(expected, [](const EmojiTestFile::Entry& entry) {
        const std::u32string scalars = unicode::scalars(entry.emoji);
        return std::any_of(scalars.begin(), scalars.end(), unicode::isSkinToneModifier);
    });
    const SystemEmojiTables none;
    const CatalogAssembler assembler(none);

    const std::vector<EmojiItem> grouped =
        assembler.loadSystemEmoji({{excerpt, Format::emojiTest}});
    // File order, then the fallback items the file lacks, with their own categories.
    ASSERT_GT(grouped.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(grouped[i].emoji, expected[i].emoji) << i;
        EXPECT_EQ(grouped[i].category, expected[i].category) << grouped[i].name;
    }
    const std::vector<EmojiItem>& fallback = BuiltinTables::fallbackItems();
    for (std::size_t i = expected.size(); i < grouped.size(); ++i) {
        EXPECT_NE(std::find(fallback.begin(), fallback.end(), grouped[i]), fallback.end());
    }

    std::string raw;
    for (const EmojiTestFile::Entry& entry : expected) {
        raw += entry.emoji;
    }
    const std::vector<EmojiItem> ungrouped =
        assembler.loadSystemEmoji({{test::TempDir().write("raw.dat", raw), Format::raw}});
    ASSERT_EQ(ungrouped.size(), grouped.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EmojiItem withGroup = grouped[i];
        withGroup.category = ungrouped[i].category;
        EXPECT_EQ(withGroup, ungrouped[i]);
        EXPECT_EQ(ungrouped[i].category,
                  CatalogAssembler::category(ungrouped[i].emoji, ungrouped[i].name))
            << ungrouped[i].name;
    }
}

TEST(CatalogAssemblerTest, FallbackItemsFillASmallCatalogOnly) {
    test::TempDir dir;
    using Format = CatalogSources::EmojiFileFormat;
    const SystemEmojiTables none;
    const CatalogAssembler assembler(none);

    EXPECT_EQ(assembler.loadSystemEmoji({{dir.file("missing"), Format::raw}}),
              BuiltinTables::fallbackItems());

    // Fire is in the file: the fallback fire is not added, the other eleven come after it.
    const auto small =
        assembler.loadSystemEmoji({{dir.write("small.dat", "\U0001F525\U0001F436"), Format::raw}});
    ASSERT_EQ(small.size(), 2u + 11u);
    EXPECT_EQ(small[0].shortcode, "fire");
    EXPECT_EQ(small[0].category, EmojiCategory::animals);
    EXPECT_EQ(small[2], BuiltinTables::fallbackItems()[0]);

    std::u32string hundred;
    for (char32_t c = 0x1F400; c < 0x1F400 + CatalogAssembler::minimumSystemItems; ++c) {
        hundred.push_back(c);
    }
    const auto full =
        assembler.loadSystemEmoji({{dir.write("full.dat", unicode::toUtf8(hundred)), Format::raw}});
    EXPECT_EQ(full.size(), CatalogAssembler::minimumSystemItems);
}

} // namespace
} // namespace tiklo
