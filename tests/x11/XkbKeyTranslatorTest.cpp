// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XkbKeyTranslator.h"

#include <memory>
#include <optional>
#include <string_view>

#include <gtest/gtest.h>
#include <xcb/xproto.h>

namespace tiklo {
namespace {

constexpr Modifiers none{};
constexpr Modifiers shift = Modifier::shift;
constexpr Modifiers ctrl = Modifier::ctrl;

// evdev keycodes, as X numbers them.
constexpr xkb_keycode_t escapeKey = 9;
constexpr xkb_keycode_t backSpaceKey = 22;
constexpr xkb_keycode_t tabKey = 23;
constexpr xkb_keycode_t returnKey = 36;
constexpr xkb_keycode_t aKey = 38;
constexpr xkb_keycode_t semicolonKey = 47;
constexpr xkb_keycode_t apostropheKey = 48;
constexpr xkb_keycode_t leftShiftKey = 50;
constexpr xkb_keycode_t keypad1Key = 87;

struct KeymapDeleter {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
using Keymap = std::unique_ptr<xkb_keymap, KeymapDeleter>;

Keymap keymapFor(const char* layout, const char* variant = nullptr) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const xkb_rule_names names{"evdev", "pc105", layout, variant, nullptr};
    Keymap keymap(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    xkb_context_unref(context);
    return keymap;
}

struct Expected {
    KeySym sym;
    Modifiers modifiers;
    std::optional<std::string> characters;
};

void expectKey(const XkbKeyTranslator& translator, xkb_keycode_t keycode,
               const Expected& expected) {
    const KeyDown key = translator.translate(keycode);
    EXPECT_EQ(key.key.sym, expected.sym) << "keycode " << keycode;
    EXPECT_EQ(key.key.modifiers, expected.modifiers) << "keycode " << keycode;
    EXPECT_EQ(key.key.digitRow, 0);
    EXPECT_EQ(key.charactersIgnoringModifiers, expected.characters) << "keycode " << keycode;
    EXPECT_FALSE(key.synthetic);
}

XkbKeyTranslator::State held(std::uint8_t modifiers) {
    return {.baseModifiers = modifiers};
}

TEST(XkbKeyTranslatorTest, CharactersKeepOnlyShiftAndTheLocksWhileEveryModifierIsReported) {
    const Keymap keymap = keymapFor("us");
    ASSERT_TRUE(keymap);
    XkbKeyTranslator translator;
    translator.setKeymap(keymap.get());

    // Single modifiers and Caps Lock as the monitor's test types them on a real display; here
    // the states no key press makes there.
    translator.setState(held(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
    expectKey(translator, semicolonKey, {XKB_KEY_semicolon, ctrl | shift, ":"});
    // Sticky Shift (latched) types like a held one.
    translator.setState({.latchedModifiers = XCB_MOD_MASK_SHIFT});
    expectKey(translator, semicolonKey, {XKB_KEY_semicolon, shift, ":"});
    // A locked Control is still Ctrl, never for the characters.
    translator.setState({.lockedModifiers = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL});
    expectKey(translator, aKey, {XKB_KEY_a, ctrl, "A"});

    // Num Lock (Mod2) decides what the keypad types, not where the key is.
    translator.setState({.lockedModifiers = XCB_MOD_MASK_2});
    expectKey(translator, keypad1Key, {XKB_KEY_KP_End, none, "1"});
    translator.setState({});
    expectKey(translator, keypad1Key, {XKB_KEY_KP_End, none, std::nullopt});
}

TEST(XkbKeyTranslatorTest, DeadKeysControlKeysAndUnknownKeysTypeNothing) {
    const Keymap us = keymapFor("us");
    const Keymap international = keymapFor("us", "intl");
    ASSERT_TRUE(us && international);
    XkbKeyTranslator translator;

    // No keymap yet: nothing known, but the modifiers still hold.
    translator.setState(held(XCB_MOD_MASK_CONTROL));
    expectKey(translator, aKey, {XKB_KEY_NoSymbol, ctrl, std::nullopt});

    translator.setKeymap(us.get());
    translator.setState({});
    expectKey(translator, returnKey, {XKB_KEY_Return, none, std::nullopt});
    expectKey(translator, tabKey, {XKB_KEY_Tab, none, std::nullopt});
    expectKey(translator, escapeKey, {XKB_KEY_Escape, none, std::nullopt});
    expectKey(translator, backSpaceKey, {XKB_KEY_BackSpace, none, std::nullopt});
    // Modifier keys have symbols of their own, and no text.
    expectKey(translator, leftShiftKey, {XKB_KEY_Shift_L, none, std::nullopt});
    expectKey(translator, 0, {XKB_KEY_NoSymbol, none, std::nullopt});
    expectKey(translator, 300, {XKB_KEY_NoSymbol, none, std::nullopt});
    expectKey(translator, apostropheKey, {XKB_KEY_apostrophe, none, "'"});

    // Replacing the keymap keeps the state: Shift is still down.
    translator.setState(held(XCB_MOD_MASK_SHIFT));
    translator.setKeymap(international.get());
    expectKey(translator, apostropheKey,
              {XKB_KEY_dead_acute, shift, std::nullopt}); // dead_diaeresis
    translator.setState({});
    expectKey(translator, apostropheKey, {XKB_KEY_dead_acute, none, std::nullopt});
    expectKey(translator, aKey, {XKB_KEY_a, none, "a"});
}

TEST(XkbKeyTranslatorTest, SecondLayoutTypesItsOwnCharactersOnTheSamePositions) {
    const Keymap keymap = keymapFor("us,ru");
    ASSERT_TRUE(keymap);
    XkbKeyTranslator translator;
    translator.setKeymap(keymap.get());

    // Keys keep the first layout's names.
    translator.setState({.lockedLayout = 1});
    expectKey(translator, aKey, {XKB_KEY_a, none, "ф"});
    expectKey(translator, semicolonKey, {XKB_KEY_semicolon, none, "ж"});
    translator.setState({.lockedModifiers = XCB_MOD_MASK_LOCK, .lockedLayout = 1});
    expectKey(translator, aKey, {XKB_KEY_a, none, "Ф"});

    translator.setState({});
    expectKey(translator, aKey, {XKB_KEY_a, none, "a"});
}

// Ctrl+1 to Ctrl+9 choose by the key's place in the digit row, whatever the layout types
// there: on AZERTY the row types "&", "é", "\"" ... without Shift. Every keycode is checked,
// so no other key counts as a digit.
TEST(XkbKeyTranslatorTest, TheDigitRowIsNumberedByPlaceOnUsAndAzerty) {
    // evdev keycodes of the digit row, 1 to 9, as X numbers them.
    constexpr xkb_keycode_t firstDigitKey = 10;
    constexpr xkb_keycode_t ninthDigitKey = 18;
    for (const char* layout : {"us", "fr"}) {
        SCOPED_TRACE(layout);
        const Keymap keymap = keymapFor(layout);
        ASSERT_TRUE(keymap);
        XkbKeyTranslator translator;
        translator.setKeymap(keymap.get());
        for (xkb_keycode_t keycode = 8; keycode <= 255; ++keycode) {
            const bool digit = keycode >= firstDigitKey && keycode <= ninthDigitKey;
            EXPECT_EQ(translator.digitRowNumber(keycode),
                      digit ? std::optional<int>(static_cast<int>(keycode - firstDigitKey) + 1)
                            : std::nullopt)
                << "keycode " << keycode;
        }
        // What the row's first key types there: "1" on US, AZERTY's "&" on French.
        EXPECT_EQ(
            translator.translate(firstDigitKey).key.sym,
            static_cast<KeySym>(std::string_view(layout) == "us" ? XKB_KEY_1 : XKB_KEY_ampersand));
    }
}

} // namespace
} // namespace tiklo
