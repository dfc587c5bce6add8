// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's key events read as the picker and the shortcut recorder need them.
#include "ui/QtKeyTranslator.h"
#include "ui/settings/HotkeyRecorder.h"

#include <array>
#include <map>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// A US keyboard as X numbers its keys: the digit row is the scan codes 10 to 18, 9 is Escape,
// 26 the key printed E, 65 Space.
class UsKeyboard : public KeyboardLayout {
public:
    std::optional<int> digitRowNumber(std::uint32_t scanCode) const override {
        return scanCode >= 10 && scanCode <= 18 ? std::optional<int>(scanCode - 9) : std::nullopt;
    }
    KeySym keySymAt(std::uint32_t scanCode) const override {
        static const std::map<std::uint32_t, KeySym> placed{{26, keysym::letter('e')},
                                                            {10, keysym::digit(1)},
                                                            {9, keysym::escape},
                                                            {65, keysym::space}};
        const auto found = placed.find(scanCode);
        return found == placed.end() ? keysym::none : found->second;
    }
};

using Type = PickerKeyEvent::Type;

PickerKeyEvent key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers) {
    const QKeyEvent event(type, qtKey, modifiers, 0, 0, 0);
    return QtKeyTranslator::translate(event);
}

// Keys by their keysym (routing itself is the picker's own test): letters by their lower
// case, F1 to F20 and nothing past them, digits with their place on the digit row unless on
// the keypad.
TEST(QtKeyTranslatorTest, KeysGetTheirKeysymsModifiersAndDigitRowPlaces) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        Key expected;
    };
    const std::vector<Case> cases{
        // Every key Qt names outside Latin-1 that the picker routes or a shortcut is stored with.
        {Qt::Key_Escape, Qt::NoModifier, Key(keysym::escape)},
        {Qt::Key_Return, Qt::NoModifier, Key(keysym::returnKey)},
        {Qt::Key_Enter, Qt::NoModifier, Key(keysym::keypadEnter)},
        {Qt::Key_Tab, Qt::NoModifier, Key(keysym::tab)},
        {Qt::Key_Backspace, Qt::NoModifier, Key(keysym::backSpace)},
        {Qt::Key_Delete, Qt::NoModifier, Key(keysym::del)},
        {Qt::Key_Home, Qt::NoModifier, Key(keysym::home)},
        {Qt::Key_End, Qt::NoModifier, Key(keysym::end)},
        {Qt::Key_PageUp, Qt::NoModifier, Key(keysym::pageUp)},
        {Qt::Key_PageDown, Qt::NoModifier, Key(keysym::pageDown)},
        {Qt::Key_Left, Qt::NoModifier, Key(keysym::left)},
        {Qt::Key_Right, Qt::NoModifier, Key(keysym::right)},
        {Qt::Key_Up, Qt::NoModifier, Key(keysym::up)},
        {Qt::Key_Down, Qt::NoModifier, Key(keysym::down)},
        {Qt::Key_F1, Qt::ControlModifier, Key(keysym::f1, Modifier::ctrl)},
        {Qt::Key_F20, Qt::NoModifier, Key(keysym::f1 + keysym::functionKeyCount - 1)},
        {Qt::Key_F21, Qt::NoModifier, Key(keysym::none)},
        {Qt::Key_Insert, Qt::NoModifier, Key(keysym::none)},
        {Qt::Key_A, Qt::AltModifier, Key(keysym::letter('a'), Modifier::alt)},
        {Qt::Key_Z, Qt::ShiftModifier, Key(keysym::letter('z'), Modifier::shift)},
        {Qt::Key_3, Qt::ControlModifier, Key(keysym::digit(3), Modifier::ctrl, 3)},
        {Qt::Key_9, Qt::MetaModifier | Qt::ShiftModifier,
         Key(keysym::digit(9), Modifier::super | Modifier::shift, 9)},
        {Qt::Key_3, Qt::KeypadModifier, Key(keysym::digit(3))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(key(QEvent::KeyPress, c.qtKey, c.modifiers).key, c.expected)
            << "Qt key " << c.qtKey << ", modifiers " << c.modifiers.toInt();
    }
    // Linefeed (as xdotool types a line break) has no Qt name; X's is kept.
    const QKeyEvent linefeed(QEvent::KeyPress, 0, Qt::NoModifier, 109, keysym::linefeed, 0, "\n");
    EXPECT_EQ(QtKeyTranslator::translate(linefeed).key, Key(keysym::linefeed));
    // Keys let go tell which key it was as X numbers it, so that it can be typed again.
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_ParenRight, Qt::ShiftModifier, 19, 0, 1,
                            ")");
    const PickerKeyEvent letGo = QtKeyTranslator::translate(release);
    EXPECT_EQ(std::tie(letGo.type, letGo.stroke), std::tuple(Type::keyUp, KeyStroke{19, 1, false}));

    // Pressing and letting go of a modifier changes the held set whatever X reported before.
    const auto down = key(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(std::tie(down.type, down.key.modifiers),
              std::tuple(Type::modifiersChanged, Modifiers(Modifier::ctrl)));
    const auto up = key(QEvent::KeyRelease, Qt::Key_Super_L, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_EQ(std::tie(up.type, up.key.modifiers),
              std::tuple(Type::modifiersChanged, Modifiers(Modifier::shift)));
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_AltGr, Qt::ControlModifier).key.modifiers,
              Modifiers(Modifier::ctrl));

    // The digit row by position: a French AZERTY row types "&é\"'(-è_ç" unshifted, and Ctrl
    // with those keys still means Ctrl+1 to Ctrl+9.
    const UsKeyboard layout;
    constexpr std::array<int, 9> azerty{Qt::Key_Ampersand,  Qt::Key_Eacute,     Qt::Key_QuoteDbl,
                                        Qt::Key_Apostrophe, Qt::Key_ParenLeft,  Qt::Key_Minus,
                                        Qt::Key_Egrave,     Qt::Key_Underscore, Qt::Key_Ccedilla};
    for (std::size_t i = 0; i < azerty.size(); ++i) {
        const QKeyEvent press(QEvent::KeyPress, azerty[i], Qt::ControlModifier,
                              static_cast<quint32>(10 + i), 0, 0);
        EXPECT_EQ(QtKeyTranslator::translate(press, &layout).key.digitRow, static_cast<int>(i) + 1)
            << "digit " << i + 1;
        // Without the layout only the key's own symbol counts: these are no digits.
        EXPECT_EQ(QtKeyTranslator::translate(press).key.digitRow, 0);
    }
    // Keypad keys sit elsewhere, whatever their scan code says.
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier,
                           10, 0, 0);
    EXPECT_EQ(QtKeyTranslator::translate(keypad, &layout).key.digitRow, 0);
}

using Outcome = HotkeyRecorder::Outcome;

HotkeyRecorder::Press press(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0,
                            const KeyboardLayout* layout = nullptr) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
    return HotkeyRecorder::interpret(event, layout);
}

// Every way a press can end a recording. Whatever the layout in use types, a key is recorded
// by its place, as the hotkey is grabbed: a Dvorak layout's "." is the E key, a Russian one's
// "у" too (Qt reports it by its Unicode value), Shift+1's "!" the 1 key, and Escape by its
// place cancels whatever the event says. Without a modifier, Escape with any, or a key the
// settings file has no form for, the recording ends without a shortcut.
TEST(HotkeyRecorderTest, EachPressEndsTheRecordingAsItShould) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode; // 0: no layout
        Outcome outcome;
        const char* shown;
    };
    constexpr auto ctrl = Qt::ControlModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier,
                   super = Qt::MetaModifier;
    const UsKeyboard layout;
    const std::vector<Case> cases{
        {Qt::Key_Period, ctrl | alt, 26, Outcome::record, "Ctrl+Alt+E"},
        {0x0443, ctrl | alt, 26, Outcome::record, "Ctrl+Alt+E"},
        {Qt::Key_Exclam, ctrl | shift, 10, Outcome::record, "Ctrl+Shift+1"},
        {Qt::Key_Space, super, 65, Outcome::record, "Super+Space"},
        {Qt::Key_unknown, ctrl, 9, Outcome::cancel, ""},
        // A key the layout does not know is named as Qt names it.
        {Qt::Key_Q, ctrl, 24, Outcome::record, "Ctrl+Q"},
        {Qt::Key_E, Qt::NoModifier, 0, Outcome::cancel, ""},
        {Qt::Key_Escape, shift, 0, Outcome::cancel, ""},
        {Qt::Key_Print, ctrl, 0, Outcome::cancel, ""},
        {Qt::Key_Eacute, ctrl, 0, Outcome::cancel, ""},
        // Without a layout, Qt's names, as the desktop writes them.
        {Qt::Key_Q, shift, 0, Outcome::record, "Shift+Q"},
        {Qt::Key_7, ctrl | alt, 0, Outcome::record, "Ctrl+Alt+7"},
        {Qt::Key_Semicolon, ctrl, 0, Outcome::record, "Ctrl+;"},
    };
    for (const Case& c : cases) {
        const auto pressed = press(c.key, c.modifiers, c.scanCode, c.scanCode ? &layout : nullptr);
        EXPECT_EQ(pressed.outcome, c.outcome) << "Qt key " << c.key << ", scan code " << c.scanCode;
        if (c.outcome == Outcome::record) {
            EXPECT_EQ(pressed.hotkey.display(), c.shown) << "Qt key " << c.key;
        }
    }

    // Modifier keys on their own leave it waiting.
    for (const int key :
         {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Meta, Qt::Key_Super_L,
          Qt::Key_Super_R, Qt::Key_Hyper_L, Qt::Key_Hyper_R, Qt::Key_CapsLock, Qt::Key_NumLock,
          Qt::Key_ScrollLock, Qt::Key_Mode_switch}) {
        EXPECT_EQ(press(key, Qt::ControlModifier).outcome, Outcome::ignore) << key;
    }
}

} // namespace
} // namespace tiklo
