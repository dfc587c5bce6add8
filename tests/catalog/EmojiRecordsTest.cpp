// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiItem.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

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
    // Only a modifier base takes a tone: red heart and a digit are left alone, even when
    // the item is marked for tones.
    EXPECT_EQ(toned("\u2764\uFE0F").displayEmoji(SkinTone::dark), "\u2764\uFE0F");
    EXPECT_EQ(toned("a1").displayEmoji(SkinTone::dark), "a1");
    EXPECT_EQ(toned("\U0001F602").displayEmoji(SkinTone::medium), "\U0001F602");
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
