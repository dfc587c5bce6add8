#include "platform/linux/XkbKeyTranslator.h"

#include <memory>

#include <gtest/gtest.h>
#include <xcb/xproto.h>

namespace tiklo {
namespace {

using namespace modifierFlags;

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
    std::uint16_t keyCode;
    std::uint64_t flags;
    std::optional<std::string> characters;
};

void expectKey(const XkbKeyTranslator& translator, xkb_keycode_t keycode,
               const Expected& expected) {
    const KeyDown key = translator.translate(keycode);
    EXPECT_EQ(key.keyCode, expected.keyCode) << "keycode " << keycode;
    EXPECT_EQ(key.flags, expected.flags) << "keycode " << keycode;
    EXPECT_EQ(key.charactersIgnoringModifiers, expected.characters) << "keycode " << keycode;
    EXPECT_FALSE(key.synthetic);
}

XkbKeyTranslator::State held(std::uint8_t modifiers) {
    return {.baseModifiers = modifiers};
}

TEST(XkbKeyTranslatorTest, CharactersKeepOnlyShiftAndTheLocksWhileFlagsReportEveryModifier) {
    const Keymap keymap = keymapFor("us");
    ASSERT_TRUE(keymap);
    XkbKeyTranslator translator;
    translator.setKeymap(keymap.get());

    expectKey(translator, semicolonKey, {41, 0, ";"});
    expectKey(translator, aKey, {0, 0, "a"});

    translator.setState(held(XCB_MOD_MASK_SHIFT));
    expectKey(translator, semicolonKey, {41, shift, ":"});
    expectKey(translator, aKey, {0, shift, "A"});

    translator.setState(held(XCB_MOD_MASK_CONTROL));
    expectKey(translator, semicolonKey, {41, control, ";"});
    translator.setState(held(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
    expectKey(translator, semicolonKey, {41, control | shift, ":"});
    translator.setState(held(XCB_MOD_MASK_1 | XCB_MOD_MASK_4));
    expectKey(translator, aKey, {0, option | command, "a"});

    // Sticky Shift (latched) types like a held one.
    translator.setState({.latchedModifiers = XCB_MOD_MASK_SHIFT});
    expectKey(translator, semicolonKey, {41, shift, ":"});

    // Caps Lock: letters only, and no flag of its own.
    translator.setState({.lockedModifiers = XCB_MOD_MASK_LOCK});
    expectKey(translator, aKey, {0, 0, "A"});
    expectKey(translator, semicolonKey, {41, 0, ";"});
    // A locked Control is still Control for the flags, never for the characters.
    translator.setState({.lockedModifiers = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL});
    expectKey(translator, aKey, {0, control, "A"});

    // Num Lock (Mod2) decides what the keypad types, not where the key is.
    translator.setState({.lockedModifiers = XCB_MOD_MASK_2});
    expectKey(translator, keypad1Key, {83, 0, "1"});
    translator.setState({});
    expectKey(translator, keypad1Key, {83, 0, std::nullopt});
}

TEST(XkbKeyTranslatorTest, DeadKeysControlKeysAndUnknownKeysTypeNothing) {
    const Keymap us = keymapFor("us");
    const Keymap international = keymapFor("us", "intl");
    ASSERT_TRUE(us && international);
    XkbKeyTranslator translator;

    // No keymap yet: nothing known, but the flags still hold.
    translator.setState(held(XCB_MOD_MASK_CONTROL));
    expectKey(translator, aKey, {XkbKeyTranslator::unknownKeyCode, control, std::nullopt});

    translator.setKeymap(us.get());
    translator.setState({});
    expectKey(translator, returnKey, {36, 0, std::nullopt});
    expectKey(translator, tabKey, {48, 0, std::nullopt});
    expectKey(translator, escapeKey, {53, 0, std::nullopt});
    expectKey(translator, backSpaceKey, {51, 0, std::nullopt});
    expectKey(translator, leftShiftKey, {XkbKeyTranslator::unknownKeyCode, 0, std::nullopt});
    expectKey(translator, 0, {XkbKeyTranslator::unknownKeyCode, 0, std::nullopt});
    expectKey(translator, 300, {XkbKeyTranslator::unknownKeyCode, 0, std::nullopt});
    expectKey(translator, apostropheKey, {39, 0, "'"});

    // Replacing the keymap keeps the state: Shift is still down.
    translator.setState(held(XCB_MOD_MASK_SHIFT));
    translator.setKeymap(international.get());
    expectKey(translator, apostropheKey, {39, shift, std::nullopt}); // dead_diaeresis
    translator.setState({});
    expectKey(translator, apostropheKey, {39, 0, std::nullopt}); // dead_acute
    expectKey(translator, aKey, {0, 0, "a"});
}

TEST(XkbKeyTranslatorTest, SecondLayoutTypesItsOwnCharactersOnTheSamePositions) {
    const Keymap keymap = keymapFor("us,ru");
    ASSERT_TRUE(keymap);
    XkbKeyTranslator translator;
    translator.setKeymap(keymap.get());

    translator.setState({.lockedLayout = 1});
    expectKey(translator, aKey, {0, 0, "ф"});
    expectKey(translator, semicolonKey, {41, 0, "ж"});
    translator.setState({.lockedModifiers = XCB_MOD_MASK_LOCK, .lockedLayout = 1});
    expectKey(translator, aKey, {0, 0, "Ф"});

    translator.setState({});
    expectKey(translator, aKey, {0, 0, "a"});
}

} // namespace
} // namespace tiklo
