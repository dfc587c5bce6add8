// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiFileScanner.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Format = CatalogSources::EmojiFileFormat;
using Strings = std::vector<std::string>;

Strings scanFiles(const std::vector<CatalogSources::EmojiFile>& files) {
    Strings found;
    std::unordered_set<std::string> seen;
    EmojiFileScanner::scan(files, seen, [&](const std::string& e, auto) { found.push_back(e); });
    return found;
}

Strings scanBytes(std::string_view bytes, Format format = Format::raw) {
    Strings found;
    std::unordered_set<std::string> seen;
    EmojiFileScanner::scanBytes(bytes, format, seen,
                                [&](const std::string& e, auto) { found.push_back(e); });
    return found;
}

TEST(EmojiFileScannerTest, CandidateRules) {
    EXPECT_TRUE(EmojiFileScanner::isEmojiCandidate("\u2600"));         // sun
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("\u00A9"));        // copyright
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("\u231A"));        // lone watch
    EXPECT_TRUE(EmojiFileScanner::isEmojiCandidate("\u231A\uFE0F"));   // watch + selector
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("\u2328\uFE0F"));  // keyboard
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("1\uFE0F\u20E3")); // keycap
    EXPECT_TRUE(EmojiFileScanner::isEmojiCandidate("\U0001F1FA\U0001F1F8"));
    EXPECT_TRUE(EmojiFileScanner::isEmojiCandidate("\U0001F1FA")); // a lone regional indicator
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("\uFE0F\u200D"));
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("\U0001F3FB")); // only a modifier
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate("a"));
    EXPECT_FALSE(EmojiFileScanner::isEmojiCandidate(""));
}

TEST(EmojiFileScannerTest, RawBytesKeepFirstOccurrencesAndSkipTonedVariants) {
    // Binary noise, a repeated emoji, a toned wave without its base, and a joiner sequence.
    const std::string bytes = std::string("\x00\xff\xfe", 3) + "\U0001F525abc\U0001F44B\U0001F3FD" +
                              "\xC3" + "\U0001F525\u2764\uFE0F\U0001F9D1\u200D\U0001F4BB\U0001F525";
    EXPECT_EQ(scanBytes(bytes),
              (Strings{"\U0001F525", "\u2764\uFE0F", "\U0001F9D1\u200D\U0001F4BB"}));
    EXPECT_TRUE(scanBytes(std::string("\x80\x80\xff\x00", 4)).empty());
}

TEST(EmojiFileScannerTest, EmojiTestFileGivesOnlyFullyQualifiedEntries) {
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
}

TEST(EmojiFileScannerTest, CandidatesFallThroughUntilOneYieldsEmoji) {
    test::TempDir dir;
    const std::string empty = dir.write("empty.dat", "no emoji here \u00A9");
    const std::string second = dir.write("second.dat", "\U0001F436\U0001F431");
    const std::string third = dir.write("third.dat", "\U0001F525");
    const std::string missing = dir.file("missing.dat");

    // The second path alone gives the same items as at the first place.
    EXPECT_EQ(scanFiles({{missing, Format::raw}, {second, Format::raw}}),
              scanFiles({{second, Format::raw}}));
    EXPECT_EQ(scanFiles({{empty, Format::raw}, {second, Format::raw}, {third, Format::raw}}),
              (Strings{"\U0001F436", "\U0001F431"}));
    // A folder is unreadable as a file and falls through too.
    EXPECT_EQ(scanFiles({{dir.path().string(), Format::raw}, {third, Format::raw}}),
              (Strings{"\U0001F525"}));
    EXPECT_TRUE(scanFiles({{missing, Format::raw}, {empty, Format::raw}}).empty());
}

// Real lines of Unicode's file, a few under each of its ten groups, in the file's order.
TEST(EmojiTestFileTest, EveryGroupFilesItsEntriesUnderItsCategory) {
    const std::string excerpt = std::string(TIKLO_TEST_DATA_DIR) + "/catalog/emoji-test-groups.txt";
    const std::optional<std::string> text = readWholeFile(excerpt);
    ASSERT_TRUE(text) << excerpt;
    using enum EmojiCategory;
    const std::vector<EmojiTestFile::Entry> expected{
        {"\U0001F600", smileys},                // grinning face
        {"\u2764\uFE0F", smileys},              // red heart
        {"\U0001F44B", people},                 // waving hand
        {"\U0001F44B\U0001F3FB", people},       // its toned form (the scan drops it)
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

} // namespace
} // namespace tiklo
