// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Entry = EmojiTestFile::Entry;
using enum EmojiCategory;

const std::string groupsExcerpt =
    std::string(TIKLO_TEST_DATA_DIR) + "/catalog/emoji-test-groups.txt";

// Real lines of Unicode's file, a few under each of its ten groups, in the file's order.
TEST(EmojiTestFileTest, EveryGroupFilesItsEntriesUnderItsCategory) {
    const std::optional<std::string> text = readWholeFile(groupsExcerpt);
    ASSERT_TRUE(text) << groupsExcerpt;
    const std::vector<Entry> expected{
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
              (std::vector<Entry>{{"\U0001F600", std::nullopt},
                                  {"\U0001F3C1", flags},
                                  {"\U0001F9B0", std::nullopt},
                                  {"\u263A\uFE0F", smileys},
                                  {"\U0001F525", std::nullopt}}));
}

} // namespace
} // namespace tiklo
