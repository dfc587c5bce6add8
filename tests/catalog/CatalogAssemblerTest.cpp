// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CatalogAssembler.h"
#include "catalog/BuiltinTables.h"
#include "catalog/EmojiFileScanner.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"
#include "support/TempDir.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Format = CatalogSources::EmojiFileFormat;
using Strings = std::vector<std::string>;
// Real lines of Unicode's file, a few under each of its ten groups, in the file's order.
const std::string groupsExcerpt =
    std::string(TIKLO_TEST_DATA_DIR) + "/catalog/emoji-test-groups.txt";

Strings scanBytes(std::string_view bytes, Format format = Format::raw) {
    Strings found;
    std::unordered_set<std::string> seen;
    EmojiFileScanner::scanBytes(bytes, format, seen,
                                [&](const std::string& e, auto) { found.push_back(e); });
    return found;
}

TEST(EmojiFileScannerTest, CandidateRulesAndRawBytesKeepFirstOccurrencesSkippingTonedVariants) {
    // The sun, a watch with its selector, a flag, a lone regional indicator.
    for (const char* text : {"\u2600", "\u231A\uFE0F", "\U0001F1FA\U0001F1F8", "\U0001F1FA"}) {
        EXPECT_TRUE(EmojiFileScanner::isEmojiCandidate(text)) << text;
    }
    // Copyright, a lone watch, the keyboard, a keycap, only marks or a modifier, a letter, nothing.
    for (const char* text : {"\u00A9", "\u231A", "\u2328\uFE0F", "1\uFE0F\u20E3", "\uFE0F\u200D",
                             "\U0001F3FB", "a", ""}) {
        EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate(text)) << text;
    }

    // Raw bytes keep first occurrences and skip toned variants. Binary noise, a repeated emoji, a
    // toned wave without its base, and a joiner sequence.
    const std::string bytes = std::string("\x00\xff\xfe", 3) + "\U0001F525abc\U0001F44B\U0001F3FD" +
                              "\xC3" + "\U0001F525\u2764\uFE0F\U0001F9D1\u200D\U0001F4BB\U0001F525";
    EXPECT_EQ(scanBytes(bytes),
              (Strings{"\U0001F525", "\u2764\uFE0F", "\U0001F9D1\u200D\U0001F4BB"}));
    EXPECT_TRUE(scanBytes(std::string("\x80\x80\xff\x00", 4)).empty());
}

TEST(EmojiFileScannerTest, EmojiTestFilesGiveFullyQualifiedEntriesAndCandidatesFallThrough) {
    const std::string text = "# comment\n"
                             "1F600 ; fully-qualified # 😀 grinning face\n"
                             "263A FE0F ; fully-qualified # ☺️ smiling face\n"
                             "263A ; unqualified # ☺ smiling face\n"
                             "1F44B 1F3FD ; fully-qualified # toned, skipped\n"
                             "0031 FE0F 20E3 ; fully-qualified # keycap, rejected\n"
                             "110000 ; fully-qualified # out of range\n"
                             "D83D ; fully-qualified # surrogate\n"
                             "1F1FA 1F1F8 ; fully-qualified\r\n"
                             "1F600 ; fully-qualified # duplicate\n"
                             "zz ; fully-qualified\n";
    EXPECT_EQ(scanBytes(text, Format::emojiTest),
              (Strings{"\U0001F600", "\u263A\uFE0F", "\U0001F1FA\U0001F1F8"}));

    test::TempDir dir;
    const std::string empty = dir.write("empty.dat", "no emoji here \u00A9");
    const std::string second = dir.write("second.dat", "\U0001F436\U0001F431");
    const std::string third = dir.write("third.dat", "\U0001F525");
    const std::string missing = dir.file("missing.dat");

    // A missing file, a folder and a file without emoji fall through; the first with emoji wins.
    Strings found;
    std::unordered_set<std::string> seen;
    EmojiFileScanner::scan({{missing, Format::raw},
                            {dir.path().string(), Format::raw},
                            {empty, Format::raw},
                            {second, Format::raw},
                            {third, Format::raw}},
                           seen, [&](const std::string& e, auto) { found.push_back(e); });
    EXPECT_EQ(found, (Strings{"\U0001F436", "\U0001F431"}));
}

TEST(EmojiTestFileTest, EntriesOutsideAKnownGroupHaveNoCategory) {
    using enum EmojiCategory;
    const std::string text = "1F600 ; fully-qualified # before any group\n"
                             "# group: Flags\r\n"
                             "#   subgroup: flag\n"
                             "1F3C1 ; fully-qualified # a subgroup does not end the group\n"
                             "#group:Component\n"
                             "1F9B0 ; component\n"
                             "1F9B0 ; fully-qualified # filed under Component\n"
                             "# group: Smileys & Emotion\n"
                             "# Component subtotal: 9\n"
                             "263A FE0F ; fully-qualified # a comment is not a group\n"
                             "# group: Future Things\n"
                             "1F525 ; fully-qualified\n";
    EXPECT_EQ(EmojiTestFile::fullyQualified(text),
              (std::vector<EmojiTestFile::Entry>{{"\U0001F600", std::nullopt},
                                                 {"\U0001F3C1", flags},
                                                 {"\U0001F9B0", std::nullopt},
                                                 {"\u263A\uFE0F", smileys},
                                                 {"\U0001F525", std::nullopt}}));
}

TEST(CatalogAssemblerTest, ItemsFromAliasesCharacterNamesRegionsOrSystemNamesAndTheirKeywords) {
    const SystemEmojiTables none;
    const auto make = [&](const std::string& emoji) {
        std::unordered_set<std::string> used;
        return CatalogAssembler(none).makeItem(emoji, used);
    };
    const EmojiItem thumbsUp = make("\U0001F44D"); // a modifier base: it takes a tone
    EXPECT_EQ(std::tie(thumbsUp.name, thumbsUp.shortcode, thumbsUp.supportsSkinTone),
              std::tuple("thumbsup", "thumbsup", true));
    // No alias, no system name: built from the Unicode character names.
    const EmojiItem dog = make("\U0001F436");
    EXPECT_EQ(std::tie(dog.name, dog.shortcode), std::tuple("dog face", "dog_face"));
    EXPECT_EQ(make("\u2764\uFE0F").name, "heart"); // alias wins over character names
    EXPECT_EQ(make("\U0001F9D1\u200D\U0001F33E").name, "adult ear of rice");
    // Flags are named and found by their region.
    const std::string japan = "\U0001F1EF\U0001F1F5";
    const Strings keywords{"flag", "flag_jp", "japan", "jp"};
    EXPECT_EQ(make(japan),
              (EmojiItem{japan, "flag jp", "flag_jp", EmojiCategory::flags, keywords, false}));
    // The region's name and aliases with their words; "uk" is too short for a word of its own.
    EXPECT_EQ(CatalogAssembler::flagRegionKeywords("\U0001F1EC\U0001F1E7"),
              (Strings{"britain", "flag_gb", "gb", "great", "great britain", "kingdom", "uk",
                       "united", "united kingdom"}));
    EXPECT_TRUE(CatalogAssembler::flagRegionKeywords("\U0001F1FA").empty());
    // A code with no English region name still gets its letters.
    EXPECT_EQ(CatalogAssembler::flagRegionKeywords("\U0001F1F6\U0001F1F6"),
              (Strings{"flag_qq", "qq"}));

    // With system names: shortcode collisions and unnamed emoji.
    SystemEmojiTables tables;
    tables.systemNames = {
        {"\U0001F320", "Star"}, {"\U0001F30C", "STAR!"}, {"\U0001F4AB", "!!!"}, {"\U0001F525", ""}};
    std::unordered_set<std::string> used;
    const CatalogAssembler assembler(tables);
    EXPECT_EQ(assembler.makeItem("\U0001F320", used).name, "star");
    EXPECT_EQ(assembler.makeItem("\U0001F30C", used).shortcode, "star_2");
    EXPECT_EQ(assembler.makeItem("\U0001F320", used).shortcode, "star_3");
    EXPECT_EQ(assembler.makeItem("\U0001F4AB", used).shortcode, "emoji_1f4ab");
    // An empty system name falls through to the alias.
    EXPECT_EQ(assembler.makeItem("\U0001F525", used).name, "fire");

    EXPECT_EQ(CatalogAssembler::hexID("\u2764\uFE0F"), "2764_fe0f");
    EXPECT_EQ(CatalogAssembler::slug("  Ça va -- Très_bien!! "), "ça_va_très_bien");
    EXPECT_EQ(CatalogAssembler::slug("٣ 3"), "٣_3");
    EXPECT_EQ(CatalogAssembler::slug("?!"), "");
    // Unassigned scalars have no name at all.
    EXPECT_EQ(CatalogAssembler(tables).displayName("\U000E0080", {}), "emoji e0080");

    // Keyword rules.
    EXPECT_EQ(CatalogAssembler::keywords("Smiling Face With Heart-Eyes"),
              (Strings{"eyes", "face", "heart", "smiling", "with"}));
    EXPECT_EQ(CatalogAssembler::keywords("OK Hand"), (Strings{"hand"}));
    EXPECT_EQ(CatalogAssembler::keywords("flag: Japan  JAPAN"), (Strings{"flag:", "japan"}));
    // Length is counted in user-perceived characters, not bytes.
    EXPECT_EQ(CatalogAssembler::keywords("éé e\u0301e\u0301e\u0301"),
              (Strings{"e\u0301e\u0301e\u0301"}));

    SystemEmojiTables phrases;
    phrases.phraseAliasesByEmoji = {{"\U0001F600", {"big grin", "ok"}}};
    phrases.equivalentByEmoji = {{"\U0001F600", {"\U0001F44D", "\U0001F601"}}};
    phrases.systemNames = {{"\U0001F601", "Beaming Face"}};
    phrases.userLanguageKeywords = {{"\U0001F600", {"grinsendes gesicht", "smile"}}};
    const Strings extra = CatalogAssembler(phrases).extraKeywords("\U0001F600", "grinning",
                                                                  {"grinning", "happy", "smile"});
    // Other aliases, the name's words, phrases with their words, the equivalents' names and
    // aliases, the user's language as it stands; one set, sorted.
    EXPECT_EQ(extra, (Strings{"approve", "beaming", "big", "big grin", "face", "grin", "grinning",
                              "grinsendes gesicht", "happy", "ok", "smile", "thumbs_up", "thumbsup",
                              "yes"}));
}

// Every group of Unicode's file files its entries under its category; the same emoji from a
// source without groups differ in nothing else, and the name-word rules file them as before.
// The built-in fallback items fill a small catalog only.
TEST(CatalogAssemblerTest, SystemEmojiFilesGroupsAndFallback) {
    test::TempDir dir;
    const std::optional<std::string> text = readWholeFile(groupsExcerpt);
    ASSERT_TRUE(text) << groupsExcerpt;
    using enum EmojiCategory;
    std::vector<EmojiTestFile::Entry> expected{
        {"\U0001F600", smileys},                // grinning face
        {"\u2764\uFE0F", smileys},              // red heart
        {"\U0001F44B", people},                 // waving hand
        {"\U0001F44B\U0001F3FB", people},       // its toned form
        {"\U0001F9D1\u200D\U0001F33E", people}, // farmer
        {"\U0001F435", animals},                // monkey face
        {"\U0001F99A", animals},                // peacock
        {"\U0001F351", food},                   // peach
        {"\U0001F355", food},                   // pizza
        {"\U0001F5FA\uFE0F", travel},           // world map
        {"\U0001F317", travel},                 // last quarter moon
        {"\U0001F525", travel},                 // fire
        {"\U0001F3BE", activity},               // tennis
        {"\U0001FA91", objects},                // chair
        {"\u2648", symbols},                    // Aries
        {"\u267B\uFE0F", symbols},              // recycling symbol
        {"\U0001F3C1", flags},                  // chequered flag
        {"\U0001F1EF\U0001F1F5", flags},        // Japan
    };
    // The Component group's entries (skin tones, hair styles) are not fully-qualified.
    EXPECT_EQ(EmojiTestFile::fullyQualified(*text), expected);
    std::erase(expected, EmojiTestFile::Entry{"\U0001F44B\U0001F3FB", people}); // never an item
    const SystemEmojiTables none;
    const CatalogAssembler assembler(none);
    const auto loadRaw = [&](std::string_view bytes) {
        return assembler.loadSystemEmoji({{dir.write("raw.dat", bytes), Format::raw}});
    };
    const std::vector<EmojiItem> grouped =
        assembler.loadSystemEmoji({{groupsExcerpt, Format::emojiTest}});
    // File order, then the fallback items the file lacks (below). Each group's category on
    // every item is the system catalog test's.
    ASSERT_GT(grouped.size(), expected.size());

    std::string raw;
    for (const EmojiTestFile::Entry& entry : expected) {
        raw += entry.emoji;
    }
    const std::vector<EmojiItem> ungrouped = loadRaw(raw);
    ASSERT_EQ(ungrouped.size(), grouped.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EmojiItem withGroup = grouped[i];
        withGroup.category = ungrouped[i].category;
        EXPECT_EQ(withGroup, ungrouped[i]);
        EXPECT_EQ(ungrouped[i].category,
                  CatalogAssembler::category(ungrouped[i].emoji, ungrouped[i].name))
            << ungrouped[i].name;
    }

    // Without a file, only the fallback items; fire is in this one: the fallback fire is not
    // added, the other eleven follow unchanged, with their own categories.
    EXPECT_EQ(assembler.loadSystemEmoji({{dir.file("missing"), Format::raw}}),
              BuiltinTables::fallbackItems());
    std::vector<EmojiItem> otherFallbacks = BuiltinTables::fallbackItems();
    std::erase_if(otherFallbacks, [](const EmojiItem& item) { return item.shortcode == "fire"; });
    const auto small = loadRaw("\U0001F525\U0001F436");
    ASSERT_EQ(small.size(), 2u + 11u);
    EXPECT_EQ(small[0].shortcode, "fire");
    EXPECT_EQ(small[0].category, EmojiCategory::animals);
    EXPECT_EQ(std::vector(small.begin() + 2, small.end()), otherFallbacks);
    // The fallback fills a catalog one item short of the minimum, and no larger one.
    std::u32string minimum;
    for (char32_t c = 0x1F400; c < 0x1F400 + CatalogAssembler::minimumSystemItems; ++c) {
        minimum.push_back(c);
    }
    EXPECT_EQ(loadRaw(unicode::toUtf8(minimum)).size(), CatalogAssembler::minimumSystemItems);
    minimum.pop_back();
    EXPECT_GT(loadRaw(unicode::toUtf8(minimum)).size(), CatalogAssembler::minimumSystemItems);
}

} // namespace
} // namespace tiklo
