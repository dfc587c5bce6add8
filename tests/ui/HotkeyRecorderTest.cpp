// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/HotkeyRecorder.h"

#include <array>
#include <map>
#include <vector>

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Outcome = HotkeyRecorder::Outcome;

// A layout that names keys by their place: X keycode 26 is the key US keyboards print E
// on, 10 the one they print 1 on, 9 Escape, 65 Space.
class PlacedLayout : public KeyboardLayout {
public:
    std::optional<int> digitRowNumber(std::uint32_t) const override { return std::nullopt; }
    KeySym keySymAt(std::uint32_t scanCode) const override {
        static const std::map<std::uint32_t, KeySym> placed{{26, keysym::letter('e')},
                                                            {10, keysym::digit(1)},
                                                            {9, keysym::escape},
                                                            {65, keysym::space}};
        const auto found = placed.find(scanCode);
        return found == placed.end() ? keysym::none : found->second;
    }
};

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
    const PlacedLayout layout;
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
        {Qt::Key_Return, alt, 0, Outcome::record, "Alt+Return"},
        {Qt::Key_7, ctrl | alt, 0, Outcome::record, "Ctrl+Alt+7"},
        {Qt::Key_F5, ctrl, 0, Outcome::record, "Ctrl+F5"},
        {Qt::Key_PageDown, ctrl, 0, Outcome::record, "Ctrl+Page Down"},
        {Qt::Key_Semicolon, ctrl, 0, Outcome::record, "Ctrl+;"},
    };
    for (const Case& c : cases) {
        const auto pressed = press(c.key, c.modifiers, c.scanCode, c.scanCode ? &layout : nullptr);
        EXPECT_EQ(pressed.outcome, c.outcome) << "Qt key " << c.key << ", scan code " << c.scanCode;
        if (c.outcome == Outcome::record) {
            EXPECT_EQ(pressed.hotkey.display(), c.shown) << "Qt key " << c.key;
        }
    }
    // Letters are kept by their lower case, as the grab needs them.
    EXPECT_EQ(press(Qt::Key_Q, Qt::ShiftModifier).hotkey.key,
              (Key{keysym::letter('q'), Modifier::shift}));

    // Modifier keys on their own leave it waiting.
    constexpr std::array<int, 13> modifiers{
        Qt::Key_Control, Qt::Key_Shift,      Qt::Key_Alt,        Qt::Key_AltGr,   Qt::Key_Meta,
        Qt::Key_Super_L, Qt::Key_Super_R,    Qt::Key_Hyper_L,    Qt::Key_Hyper_R, Qt::Key_CapsLock,
        Qt::Key_NumLock, Qt::Key_ScrollLock, Qt::Key_Mode_switch};
    for (const int key : modifiers) {
        EXPECT_EQ(press(key, Qt::ControlModifier).outcome, Outcome::ignore) << key;
    }
}

} // namespace
} // namespace tiklo
