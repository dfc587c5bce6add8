#include "app/KeyNames.h"
#include "app/Hotkey.h"

#include <algorithm>
#include <array>
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
    EXPECT_EQ(KeyNames::format({keysym::letter('e'), Modifier::ctrl | Modifier::alt}),
              "Ctrl+Alt+E");
    EXPECT_EQ(KeyNames::format({keysym::digit(1), Modifier::ctrl}), "Ctrl+1");
    EXPECT_EQ(KeyNames::format({keysym::space, Modifier::ctrl | Modifier::shift}),
              "Ctrl+Shift+Space");
    EXPECT_EQ(KeyNames::format({keysym::escape}), "Esc");
    // A key without a name still shows its modifiers.
    EXPECT_EQ(KeyNames::format({0xffbe, Modifier::super}), "Super+?"); // F1
    EXPECT_EQ(Hotkey{}.display(), "Ctrl+Alt+E");
}

TEST(KeyNamesTest, LettersDigitsSpaceReturnAndEscAreTheOnlyNamedKeys) {
    int named = 0;
    for (KeySym sym = 0; sym <= 0xffff; ++sym) {
        const std::string name = KeyNames::keyName(sym);
        if (name == "?") {
            continue;
        }
        ++named;
        if (sym >= 'a' && sym <= 'z') {
            EXPECT_EQ(name, std::string(1, static_cast<char>(sym - 'a' + 'A')));
        } else if ((sym >= 'A' && sym <= 'Z') || (sym >= '0' && sym <= '9')) {
            EXPECT_EQ(name, std::string(1, static_cast<char>(sym)));
        } else {
            EXPECT_TRUE((sym == keysym::space && name == "Space") ||
                        (sym == keysym::returnKey && name == "Return") ||
                        (sym == keysym::escape && name == "Esc"))
                << sym << " " << name;
        }
    }
    EXPECT_EQ(named, 26 + 26 + 10 + 3);
    // Keysyms beyond the Latin-1 and function ranges (Unicode ones) are unnamed too.
    EXPECT_EQ(KeyNames::keyName(0x01000041), "?");
    EXPECT_EQ(KeyNames::keyName(keysym::none), "?");
}

} // namespace
} // namespace tiklo
