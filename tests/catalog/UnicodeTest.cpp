// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Unicode.h"
#include "catalog/EmojiItem.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(UnicodeTest, TrimAtBothEndsOnlyAndGraphemeCountAgreesWithTheSegmentation) {
    using unicode::trimWhiteSpace;
    EXPECT_EQ(trimWhiteSpace(" \t\n\r\v\f Herz \u0085\u00A0\u2028\u3000"), "Herz");
    EXPECT_EQ(trimWhiteSpace("rotes \u3000 Herz"), "rotes \u3000 Herz");
    EXPECT_EQ(trimWhiteSpace("\u200BHerz"), "\u200BHerz"); // a zero width space is not white
    EXPECT_EQ(trimWhiteSpace(" \u2003 "), "");
    EXPECT_EQ(trimWhiteSpace(""), "");
    EXPECT_EQ(trimWhiteSpace("x"), "x");
    // Invalid bytes are kept as U+FFFD, wherever they are, and stop the trimming.
    EXPECT_EQ(trimWhiteSpace(" \xFF a\xC3 "), "\uFFFD a\uFFFD");
    EXPECT_EQ(trimWhiteSpace("\xE2\x80 "), "\uFFFD");
    // U+2028 cut short at the end: no white space, one replacement.
    EXPECT_EQ(trimWhiteSpace("a \xE2\x80"), "a \uFFFD");

    // Grapheme counting agrees with the segmentation.
    for (const char* text : {"", "abc", "a\r\nb", "\r\r\n", "\n\r", "ok\r\n\r\n", "e\u0301e",
                             "\U0001F9D1\u200D\U0001F4BB!", "\U0001F1EF\U0001F1F5\U0001F1FA",
                             "caf\u00E9", "\xFF\xFE"}) {
        EXPECT_EQ(unicode::graphemeCount(text), unicode::graphemes(text).size()) << text;
    }
    EXPECT_EQ(unicode::graphemeCount("a\r\nb"), 3u);
    EXPECT_EQ(unicode::graphemeCount("\r\r\n"), 2u);
    EXPECT_EQ(unicode::graphemeCount("e\u0301e"), 2u);
}

EmojiItem toned(std::string emoji) {
    return {std::move(emoji), "n", "n", EmojiCategory::people, {}, true};
}

// The emoji typed in a tone: a wrong place or a doubled modifier types a broken sequence.
TEST(EmojiItemTest, DisplayEmojiTonesOnlyTheFirstEmojiScalar) {
    EXPECT_EQ(toned("\U0001F44B").displayEmoji(SkinTone::dark), "\U0001F44B\U0001F3FF");
    // Between the base and its variation selector.
    EXPECT_EQ(toned("\u270C\uFE0F").displayEmoji(SkinTone::medium), "\u270C\U0001F3FD\uFE0F");
    // In a joiner sequence only the first person is toned.
    EXPECT_EQ(toned("\U0001F9D1\u200D\U0001F4BB").displayEmoji(SkinTone::light),
              "\U0001F9D1\U0001F3FB\u200D\U0001F4BB");
    // A modifier already there is replaced, not doubled.
    EXPECT_EQ(toned("\U0001F44D\U0001F3FB").displayEmoji(SkinTone::dark), "\U0001F44D\U0001F3FF");
    // Only a modifier base takes a tone, even in an item marked for tones: not red heart, a digit.
    EXPECT_EQ(toned("\u2764\uFE0F").displayEmoji(SkinTone::dark), "\u2764\uFE0F");
    EXPECT_EQ(toned("a1").displayEmoji(SkinTone::dark), "a1");
    // No emoji scalar at all: unchanged.
    EXPECT_EQ(toned("abc").displayEmoji(SkinTone::dark), "abc");
    EXPECT_EQ(toned("\U0001F44B").displayEmoji(SkinTone::standard), "\U0001F44B");

    EmojiItem plain = toned("\U0001F44B");
    plain.supportsSkinTone = false;
    for (SkinTone tone : allSkinTones) {
        EXPECT_EQ(plain.displayEmoji(tone), "\U0001F44B");
    }
}

} // namespace
} // namespace tiklo
