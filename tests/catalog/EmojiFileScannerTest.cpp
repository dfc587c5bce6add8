// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiFileScanner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Format = CatalogSources::EmojiFileFormat;

std::vector<std::string> scanFiles(const std::vector<CatalogSources::EmojiFile>& files) {
    std::vector<std::string> found;
    std::unordered_set<std::string> seen;
    EmojiFileScanner::scan(files, seen, [&](const std::string& e, std::optional<EmojiCategory>) {
        found.push_back(e);
    });
    return found;
}

// The accepted emoji, each with the group category the scan handed over.
using Scanned = std::vector<std::pair<std::string, std::optional<EmojiCategory>>>;

Scanned scanWithGroups(std::string_view bytes, Format format) {
    Scanned found;
    std::unordered_set<std::string> seen;
    EmojiFileScanner::scanBytes(bytes, format, seen,
                                [&](const std::string& e, std::optional<EmojiCategory> group) {
                                    found.emplace_back(e, group);
                                });
    return found;
}

std::vector<std::string> scanBytes(std::string_view bytes, Format format = Format::raw) {
    std::vector<std::string> found;
    for (auto& [emoji, group] : scanWithGroups(bytes, format)) {
        found.push_back(std::move(emoji));
    }
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
    EXPECT_EQ(scanBytes(bytes), (std::vector<std::string>{"\U0001F525", "\u2764\uFE0F",
                                                          "\U0001F9D1\u200D\U0001F4BB"}));
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
              (std::vector<std::string>{"\U0001F600", "\u263A\uFE0F", "\U0001F1FA\U0001F1F8"}));
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
              (std::vector<std::string>{"\U0001F436", "\U0001F431"}));
    // A folder is unreadable as a file and falls through too.
    EXPECT_EQ(scanFiles({{dir.path().string(), Format::raw}, {third, Format::raw}}),
              (std::vector<std::string>{"\U0001F525"}));
    EXPECT_TRUE(scanFiles({{missing, Format::raw}, {empty, Format::raw}}).empty());
}

} // namespace
} // namespace tiklo
