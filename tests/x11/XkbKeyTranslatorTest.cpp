// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XkbKeyTranslator.h"
#include "core/HotkeyCodec.h"
#include "platform/linux/X11Modifiers.h"

#include <array>
#include <memory>

#include <gtest/gtest.h>
#include <xcb/xproto.h>

namespace tiklo {
namespace {

constexpr Modifiers none{};
constexpr Modifiers shift = Modifier::shift;
constexpr Modifiers ctrl = Modifier::ctrl;

// evdev keycodes, as X numbers them (here and in the tables).
constexpr xkb_keycode_t aKey = 38;
constexpr xkb_keycode_t semicolonKey = 47;
constexpr xkb_keycode_t apostropheKey = 48;
constexpr xkb_keycode_t keypad1Key = 87;

using Keymap = std::unique_ptr<xkb_keymap, decltype([](xkb_keymap* k) { xkb_keymap_unref(k); })>;

Keymap keymapFor(const char* layout, const char* variant = nullptr) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const xkb_rule_names names{"evdev", "pc105", layout, variant, nullptr};
    Keymap keymap(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    xkb_context_unref(context);
    return keymap;
}

XkbKeyTranslator::State held(std::uint8_t modifiers) {
    return {.baseModifiers = modifiers};
}

XkbKeyTranslator::State locked(std::uint8_t modifiers, std::int32_t layout = 0) {
    return {.lockedModifiers = modifiers, .lockedLayout = layout};
}

// Keys translated one after another by one translator, each under the keymap and state of its
// row. The state is set before a new keymap, so each change of keymap shows that it is kept.
TEST(XkbKeyTranslatorTest, KeysTranslateUnderEveryKeymapAndStateAndTheDigitRowIsNumberedByPlace) {
    enum Layout { noKeymap, us, intl, usRu };
    const Keymap keymaps[] = {nullptr, keymapFor("us"), keymapFor("us", "intl"),
                              keymapFor("us,ru")};
    ASSERT_TRUE(keymaps[us] && keymaps[intl] && keymaps[usRu]);
    struct Case {
        Layout layout;
        XkbKeyTranslator::State state;
        xkb_keycode_t keycode;
        KeySym sym;
        Modifiers modifiers;
        std::optional<std::string> characters;
    };
    const Case cases[] = {
        // No keymap yet: nothing known, but the modifiers still hold.
        {noKeymap, held(XCB_MOD_MASK_CONTROL), aKey, XKB_KEY_NoSymbol, ctrl, {}},
        // Characters keep only Shift and the locks, while every modifier is reported. Single
        // modifiers and Caps Lock as the monitor's test types them on a real display; here
        // the states no key press makes there.
        {us, held(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT), semicolonKey, XKB_KEY_semicolon,
         ctrl | shift, ":"},
        // Sticky Shift (latched) types like a held one.
        {us, {.latchedModifiers = XCB_MOD_MASK_SHIFT}, semicolonKey, XKB_KEY_semicolon, shift, ":"},
        // A locked Control is still Ctrl, never for the characters.
        {us, locked(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL), aKey, XKB_KEY_a, ctrl, "A"},
        // Num Lock (Mod2) decides what the keypad types, not where the key is.
        {us, locked(XCB_MOD_MASK_2), keypad1Key, XKB_KEY_KP_End, none, "1"},
        {us, {}, keypad1Key, XKB_KEY_KP_End, none, {}},
        // Control keys and unknown keys type nothing.
        {us, {}, 36, XKB_KEY_Return, none, {}},
        {us, {}, 300, XKB_KEY_NoSymbol, none, {}},
        // Dead keys type nothing (dead_diaeresis with Shift, still down across the change).
        {intl, held(XCB_MOD_MASK_SHIFT), apostropheKey, XKB_KEY_dead_acute, shift, {}},
        // A second layout types its own characters on the same keys, which keep the first
        // layout's names.
        {usRu, locked(0, 1), aKey, XKB_KEY_a, none, "ф"},
        {usRu, locked(XCB_MOD_MASK_LOCK, 1), aKey, XKB_KEY_a, none, "Ф"},
    };
    XkbKeyTranslator translator;
    Layout current = noKeymap;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases << ", keycode " << c.keycode);
        translator.setState(c.state);
        if (c.layout != current) {
            translator.setKeymap(keymaps[c.layout].get());
            current = c.layout;
        }
        const KeyDown key = translator.translate(c.keycode);
        EXPECT_EQ(key.key, Key(c.sym, c.modifiers)); // on no digit row
        EXPECT_EQ(key.charactersIgnoringModifiers, c.characters);
        EXPECT_FALSE(key.synthetic);
    }

    // Ctrl+1 to Ctrl+9 choose by the key's place in the digit row, whatever the layout types
    // there: on AZERTY the row types "&", "é", "\"" ... without Shift. Every keycode is checked,
    // so no other key counts as a digit.
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

TEST(X11ModifiersTest, ModifiersAndMasksTranslateBothWaysAndStoredKeyCodesNameRealKeysyms) {
    const std::pair<Modifier, std::uint16_t> each[] = {{Modifier::ctrl, XCB_MOD_MASK_CONTROL},
                                                       {Modifier::alt, XCB_MOD_MASK_1},
                                                       {Modifier::shift, XCB_MOD_MASK_SHIFT},
                                                       {Modifier::super, XCB_MOD_MASK_4}};
    for (const auto& [modifier, mask] : each) {
        EXPECT_EQ(X11Modifiers::mask(modifier), mask);
        EXPECT_EQ(X11Modifiers::from(mask), Modifiers(modifier));
    }
    const Modifiers all = Modifier::ctrl | Modifier::alt | Modifier::shift | Modifier::super;
    EXPECT_EQ(X11Modifiers::mask({}), 0);
    EXPECT_EQ(X11Modifiers::from(X11Modifiers::mask(all)), all);
    // Locks, Mod2/3/5 and button state are no modifiers.
    EXPECT_EQ(X11Modifiers::from(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 |
                                 XCB_MOD_MASK_5 | XCB_KEY_BUT_MASK_BUTTON_1 | XCB_MOD_MASK_CONTROL),
              Modifiers(Modifier::ctrl));

    // The stored hotkey's key codes name keys by keysyms that X knows under the keys' names.
    for (std::uint32_t code = 0; code < 256; ++code) {
        if (const auto sym = HotkeyCodec::keysymOf(code)) {
            std::array<char, 64> name{};
            ASSERT_GT(xkb_keysym_get_name(*sym, name.data(), name.size()), 0) << code;
            // X names every one of them (an unknown keysym's name is its number).
            EXPECT_NE(std::string(name.data()).rfind("0x", 0), 0U) << code;
        }
    }
}

} // namespace
} // namespace tiklo
