// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyNames.h"
#include "core/Hotkey.h"
#include "core/HotkeyCodec.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(KeyNamesTest, ModifiersComeInTheDesktopsOrderWhateverOrderTheyWereHeldIn) {
    // Bit 0 Ctrl, 1 Alt, 2 Shift, 3 Super.
    constexpr std::array<Modifier, 4> modifier{Modifier::ctrl, Modifier::alt, Modifier::shift,
                                               Modifier::super};
    const std::array<std::string, 16> expected{
        "Space",
        "Ctrl+Space",
        "Alt+Space",
        "Ctrl+Alt+Space",
        "Shift+Space",
        "Ctrl+Shift+Space",
        "Alt+Shift+Space",
        "Ctrl+Alt+Shift+Space",
        "Super+Space",
        "Ctrl+Super+Space",
        "Alt+Super+Space",
        "Ctrl+Alt+Super+Space",
        "Shift+Super+Space",
        "Ctrl+Shift+Super+Space",
        "Alt+Shift+Super+Space",
        "Ctrl+Alt+Shift+Super+Space",
    };
    for (std::size_t set = 0; set < expected.size(); ++set) {
        std::vector<std::size_t> held;
        for (std::size_t bit = 0; bit < modifier.size(); ++bit) {
            if ((set & (1U << bit)) != 0) {
                held.push_back(bit);
            }
        }
        // Every order of adding them to the set.
        do {
            Modifiers modifiers;
            for (const std::size_t bit : held) {
                modifiers = modifiers | modifier[bit];
            }
            EXPECT_EQ(KeyNames::format({keysym::space, modifiers}), expected[set]);
        } while (std::next_permutation(held.begin(), held.end()));
    }
    // Each key's own name is the next test's table; a key without one still shows its
    // modifiers.
    EXPECT_EQ(KeyNames::format({0xff61, Modifier::super}), "Super+?"); // Print
    EXPECT_EQ(Hotkey{}.display(), "Ctrl+Alt+E");
}

// Every key the settings file can keep a shortcut with has its name, and no other key has one:
// the stored keys' table whole, by macOS key code.
TEST(KeyNamesTest, EveryStorableKeyAndNoOtherIsNamed) {
    const std::map<std::uint32_t, std::string> named{
        {49, "Space"},     {36, "Return"}, {48, "Tab"},   {51, "Backspace"}, {53, "Esc"},
        {117, "Delete"},   {115, "Home"},  {119, "End"},  {116, "Page Up"},  {121, "Page Down"},
        {123, "Left"},     {124, "Right"}, {125, "Down"}, {126, "Up"},       {122, "F1"},
        {120, "F2"},       {99, "F3"},     {118, "F4"},   {96, "F5"},        {97, "F6"},
        {98, "F7"},        {100, "F8"},    {101, "F9"},   {109, "F10"},      {103, "F11"},
        {111, "F12"},      {105, "F13"},   {107, "F14"},  {113, "F15"},      {106, "F16"},
        {64, "F17"},       {79, "F18"},    {80, "F19"},   {90, "F20"},       {27, "-"},
        {24, "="},         {33, "["},      {30, "]"},     {42, "\\"},        {41, ";"},
        {39, "'"},         {43, ","},      {47, "."},     {44, "/"},         {50, "`"},
        {65, "Num+."},     {67, "Num+*"},  {69, "Num++"}, {71, "Num Lock"},  {75, "Num+/"},
        {76, "Num+Enter"}, {78, "Num+-"},  {81, "Num+="}, {82, "Num+0"},     {83, "Num+1"},
        {84, "Num+2"},     {85, "Num+3"},  {86, "Num+4"}, {87, "Num+5"},     {88, "Num+6"},
        {89, "Num+7"},     {91, "Num+8"},  {92, "Num+9"},
    };
    std::size_t stored = 0;
    for (std::uint32_t code = 0; code < 256; ++code) {
        const std::optional<KeySym> sym = HotkeyCodec::keysymOf(code);
        if (!sym) {
            continue;
        }
        ++stored;
        const std::string name = KeyNames::keyName(*sym);
        if (*sym >= 'a' && *sym <= 'z') {
            EXPECT_EQ(name, std::string(1, static_cast<char>(*sym - 'a' + 'A')));
        } else if (*sym >= '0' && *sym <= '9') {
            EXPECT_EQ(name, std::string(1, static_cast<char>(*sym)));
        } else {
            ASSERT_TRUE(named.contains(code)) << code;
            EXPECT_EQ(name, named.at(code)) << code;
        }
    }
    EXPECT_EQ(stored, 26 + 10 + named.size());
    // Over every keysym of the Latin-1 and function ranges: named exactly when storable
    // (a shifted letter's upper-case keysym is its key).
    for (KeySym sym = 0; sym <= 0xffff; ++sym) {
        EXPECT_EQ(KeyNames::keyName(sym) != "?", HotkeyCodec::keyCodeOf(sym).has_value()) << sym;
    }
    EXPECT_EQ(KeyNames::keyName('Q'), "Q");
    // Keysyms beyond the Latin-1 and function ranges (Unicode ones) are unnamed.
    EXPECT_EQ(KeyNames::keyName(0x01000041), "?");
    EXPECT_EQ(KeyNames::keyName(keysym::none), "?");
}

} // namespace
} // namespace tiklo
