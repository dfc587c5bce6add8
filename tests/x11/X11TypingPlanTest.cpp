// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11TypingPlan.h"
#include "platform/linux/Utf16ChunkDecoder.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {
namespace {

using Batch = X11TypingBatch;

// Keycodes 8..20 with two keysyms each: 8, 10, 11, 12 and 15 are empty, 9 has Return, 13
// has a and A, 14 has BackSpace.
X11KeyboardMapping sampleMapping() {
    std::vector<xcb_keysym_t> keysyms(13 * 2, XCB_NO_SYMBOL);
    keysyms[(9 - 8) * 2] = XKB_KEY_Return;
    keysyms[(13 - 8) * 2] = XKB_KEY_a;
    keysyms[(13 - 8) * 2 + 1] = XKB_KEY_A;
    keysyms[(14 - 8) * 2] = XKB_KEY_BackSpace;
    for (xcb_keycode_t keycode = 16; keycode <= 20; ++keycode) {
        keysyms[(keycode - 8) * 2] = XKB_KEY_F1 + keycode;
    }
    return X11KeyboardMapping(8, 2, std::move(keysyms));
}

TEST(X11KeyboardMappingTest, FindsKeysAndTheSpareKeycodesButNeverKeycodeEight) {
    const X11KeyboardMapping mapping = sampleMapping();
    EXPECT_EQ(mapping.spareKeycodes(), (std::vector<xcb_keycode_t>{10, 11, 12, 15}));
    EXPECT_EQ(mapping.keycodeFor(XKB_KEY_Return), 9);
    EXPECT_EQ(mapping.keycodeFor(XKB_KEY_A), 13);
    EXPECT_EQ(mapping.keycodeFor(XKB_KEY_Tab), std::nullopt);
    EXPECT_EQ(mapping.keycodeFor(XCB_NO_SYMBOL), std::nullopt);
}

TEST(Utf16ChunkDecoderTest, JoinsPairsSplitAcrossChunksAndDropsLoneSurrogates) {
    Utf16ChunkDecoder decoder;
    EXPECT_EQ(decoder.decode(u"a\U0001F525b"), U"a\U0001F525b");

    const std::u16string flag = u"\U0001F1FA\U0001F1F8";
    EXPECT_EQ(decoder.decode(std::u16string_view(flag).substr(0, 1)), U"");
    EXPECT_EQ(decoder.decode(std::u16string_view(flag).substr(1, 2)), U"\U0001F1FA");
    EXPECT_EQ(decoder.decode(std::u16string_view(flag).substr(3)), U"\U0001F1F8");

    // A high surrogate followed by anything but a low one, a lone low one, a high one cut
    // off by reset: none of them is ever passed on.
    EXPECT_EQ(decoder.decode(u"x\xD83D"), U"x");
    EXPECT_EQ(decoder.decode(u"y\xDD25z"), U"yz");
    EXPECT_EQ(decoder.decode(u"\xD83D\xD83D\xDD25"), U"\U0001F525");
    EXPECT_EQ(decoder.decode(u"\xD83D"), U"");
    decoder.reset();
    EXPECT_EQ(decoder.decode(u"\xDD25q"), U"q");
}

TEST(X11TypingPlanTest, KeysymsForEveryCharacterAndSpareKeycodesBorrowedInBatchesInOrder) {
    const std::pair<char32_t, std::optional<xcb_keysym_t>> cases[] = {
        {U'~', XKB_KEY_asciitilde}, {0xA0, XKB_KEY_nobreakspace}, {0xFF, XKB_KEY_ydiaeresis},
        {0x100, 0x01000100},        {0x1F525, 0x0101F525},        {U'\r', XKB_KEY_Return},
        {U'\n', XKB_KEY_Return},    {U'\t', XKB_KEY_Tab},         {0x1F, std::nullopt},
        {0x7F, std::nullopt},       {0x9F, std::nullopt},         {0xD800, std::nullopt},
        {0xDFFF, std::nullopt},     {0x110000, std::nullopt}};
    for (const auto& [c, keysym] : cases) {
        EXPECT_EQ(X11TypingPlan::keysymFor(c), keysym) << static_cast<std::uint32_t>(c);
    }

    const X11KeyboardMapping mapping = sampleMapping();
    constexpr xcb_keysym_t fire = 0x0101F525;

    // Repeats share a keycode; CR presses the keymap's Return; controls are skipped; the
    // keymap's own "a" key is not used (a held Shift would make it "A").
    X11TypingPlan plan = X11TypingPlan::make(U"a\U0001F525a\r\x1B\U0001F525", mapping, 0);
    EXPECT_EQ(plan.untypable, 0U);
    EXPECT_EQ(plan.batches,
              (std::vector<Batch>{{{{10, XKB_KEY_a}, {11, fire}}, {10, 11, 10, 9, 11}}}));

    // Two keycodes at a time: a new batch starts at the third distinct character, and
    // reuses the same keycodes.
    plan = X11TypingPlan::make(U"abcab\tc", mapping, 2);
    EXPECT_EQ(plan.batches, (std::vector<Batch>{
                                {{{10, XKB_KEY_a}, {11, XKB_KEY_b}}, {10, 11}},
                                {{{10, XKB_KEY_c}, {11, XKB_KEY_a}}, {10, 11}},
                                {{{10, XKB_KEY_b}, {11, XKB_KEY_Tab}}, {10, 11}},
                                {{{10, XKB_KEY_c}}, {10}},
                            }));

    // A keymap without spare keycodes types what its own keys can and counts the rest.
    const X11KeyboardMapping full(9, 1, {XKB_KEY_Return, XKB_KEY_a});
    plan = X11TypingPlan::make(U"a\rb", full, 0);
    EXPECT_EQ(plan.untypable, 2U);
    EXPECT_EQ(plan.batches, (std::vector<Batch>{{{}, {9}}}));
    EXPECT_TRUE(X11TypingPlan::make(U"\x1B", mapping, 0).batches.empty());
}

} // namespace
} // namespace tiklo
