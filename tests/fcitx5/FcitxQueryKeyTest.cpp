#include "fcitx5/FcitxQueryKey.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using fcitx::KeyState;
using fcitx::KeyStates;

// The digit row's keycodes, 1 to 9 then 0, and what it types on a US layout with Shift and
// on a French AZERTY layout without.
constexpr std::array<int, 10> digitRowCodes{10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
const std::array<const char*, 10> usShifted{"exclam",    "at",          "numbersign", "dollar",
                                            "percent",   "asciicircum", "ampersand",  "asterisk",
                                            "parenleft", "parenright"};
const std::array<const char*, 10> azerty{"ampersand", "eacute", "quotedbl", "apostrophe",
                                         "parenleft", "minus",  "egrave",   "underscore",
                                         "ccedilla",  "agrave"};

fcitx::Key typed(const char* sym, KeyStates states, int code) {
    return fcitx::Key(fcitx::Key::keySymFromString(sym), states, code);
}

// A shortcut on a digit is the digit row's key with exactly its modifiers, whatever the layout
// or Shift makes that key type; every other shortcut is its keysym.
TEST(FcitxQueryKeyTest, AShortcutIsTheKeyThatTypesItWithExactlyItsModifiers) {
    const KeyStates ctrlShift{KeyState::Ctrl, KeyState::Shift};
    const KeyStates ctrlAlt{KeyState::Ctrl, KeyState::Alt};
    for (int place = 0; place < 10; ++place) {
        const int value = (place + 1) % 10;
        const std::string row = "digit " + std::to_string(value);
        const Key withShift{keysym::digit(value), Modifier::ctrl | Modifier::shift};
        const Key withAlt{keysym::digit(value), Modifier::ctrl | Modifier::alt};
        const int code = digitRowCodes[static_cast<std::size_t>(place)];
        const char* shifted = usShifted[static_cast<std::size_t>(place)];
        EXPECT_TRUE(FcitxQueryKey::isHotkey(typed(shifted, ctrlShift, code), withShift)) << row;
        EXPECT_TRUE(FcitxQueryKey::isHotkey(
            typed(azerty[static_cast<std::size_t>(place)], ctrlAlt, code), withAlt))
            << row;
        // Another key of the row, a modifier short or one too many.
        EXPECT_FALSE(FcitxQueryKey::isHotkey(typed(shifted, ctrlShift, code == 19 ? 10 : code + 1),
                                             withShift))
            << row;
        EXPECT_FALSE(FcitxQueryKey::isHotkey(typed(shifted, KeyState::Shift, code), withShift))
            << row;
        EXPECT_FALSE(
            FcitxQueryKey::isHotkey(typed(shifted, ctrlShift | KeyState::Alt, code), withShift))
            << row;
        // A front end that reports no keycode: the keysym.
        const std::string digitName(1, static_cast<char>('0' + value));
        EXPECT_TRUE(FcitxQueryKey::isHotkey(typed(digitName.c_str(), ctrlAlt, 0), withAlt)) << row;
    }

    const Key ctrlAltE{keysym::letter('e'), Modifier::ctrl | Modifier::alt};
    EXPECT_TRUE(FcitxQueryKey::isHotkey(typed("e", ctrlAlt, 26), ctrlAltE));
    EXPECT_TRUE(FcitxQueryKey::isHotkey(typed("e", ctrlAlt | KeyState::NumLock, 26), ctrlAltE));
    EXPECT_FALSE(FcitxQueryKey::isHotkey(typed("E", ctrlAlt | KeyState::Shift, 26), ctrlAltE));
    EXPECT_FALSE(FcitxQueryKey::isHotkey(typed("r", ctrlAlt, 27), ctrlAltE));
    const Key superShiftE{keysym::letter('e'), Modifier::super | Modifier::shift};
    EXPECT_TRUE(FcitxQueryKey::isHotkey(typed("E", KeyStates{KeyState::Super, KeyState::Shift}, 26),
                                        superShiftE));
    EXPECT_TRUE(FcitxQueryKey::isHotkey(
        typed("E", KeyStates{KeyState::Super2, KeyState::Shift}, 26), superShiftE));
}

} // namespace
} // namespace tiklo
