#include "ui/settings/HotkeyRecorder.h"

#include <array>
#include <map>
#include <tuple>

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

// Whatever the layout in use types, the key is recorded by its place, as the hotkey is
// grabbed: a Dvorak layout's "." is the E key, a Russian one's "у" too, Shift+1's "!" the 1 key.
TEST(HotkeyRecorderTest, KeysAreRecordedByTheirPlaceOnAnyLayout) {
    const PlacedLayout layout;
    // Qt reports keys outside Latin-1 by their Unicode value: U+0443 for "у".
    for (const int typed : {static_cast<int>(Qt::Key_Period), 0x0443}) {
        const auto e = press(typed, Qt::ControlModifier | Qt::AltModifier, 26, &layout);
        ASSERT_EQ(e.outcome, Outcome::record) << typed;
        EXPECT_EQ(e.hotkey.display(), "Ctrl+Alt+E") << typed;
    }
    const auto exclamation =
        press(Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, 10, &layout);
    ASSERT_EQ(exclamation.outcome, Outcome::record);
    EXPECT_EQ(exclamation.hotkey.display(), "Ctrl+Shift+1");
    const auto space = press(Qt::Key_Space, Qt::MetaModifier, 65, &layout);
    ASSERT_EQ(space.outcome, Outcome::record);
    EXPECT_EQ(space.hotkey.key, (Key{keysym::space, Modifier::super}));
    // Escape by its place cancels, whatever the event says.
    EXPECT_EQ(press(Qt::Key_unknown, Qt::ControlModifier, 9, &layout).outcome, Outcome::cancel);
    // A key the layout does not know is named as Qt names it.
    const auto q = press(Qt::Key_Q, Qt::ControlModifier, 24, &layout);
    ASSERT_EQ(q.outcome, Outcome::record);
    EXPECT_EQ(q.hotkey.display(), "Ctrl+Q");
}

TEST(HotkeyRecorderTest, ModifierKeysAloneWaitAndKeysThatCannotBeKeptCancel) {
    constexpr std::array<int, 13> modifiers{
        Qt::Key_Control, Qt::Key_Shift,      Qt::Key_Alt,        Qt::Key_AltGr,   Qt::Key_Meta,
        Qt::Key_Super_L, Qt::Key_Super_R,    Qt::Key_Hyper_L,    Qt::Key_Hyper_R, Qt::Key_CapsLock,
        Qt::Key_NumLock, Qt::Key_ScrollLock, Qt::Key_Mode_switch};
    for (const int key : modifiers) {
        EXPECT_EQ(press(key, Qt::ControlModifier).outcome, Outcome::ignore) << key;
    }
    // No modifier, Escape with any, or a key the settings file has no form for.
    EXPECT_EQ(press(Qt::Key_E, Qt::NoModifier).outcome, Outcome::cancel);
    EXPECT_EQ(press(Qt::Key_E, Qt::KeypadModifier).outcome, Outcome::cancel);
    EXPECT_EQ(press(Qt::Key_Escape, Qt::ShiftModifier).outcome, Outcome::cancel);
    EXPECT_EQ(press(Qt::Key_Print, Qt::ControlModifier).outcome, Outcome::cancel);
    EXPECT_EQ(press(Qt::Key_Eacute, Qt::ControlModifier).outcome, Outcome::cancel);
    // Without a layout, Qt's names: letters by their lower case, the named keys.
    EXPECT_EQ(press(Qt::Key_Q, Qt::ShiftModifier).hotkey.key,
              (Key{keysym::letter('q'), Modifier::shift}));
    EXPECT_EQ(press(Qt::Key_Return, Qt::AltModifier).hotkey.key,
              (Key{keysym::returnKey, Modifier::alt}));
    EXPECT_EQ(press(Qt::Key_7, Qt::ControlModifier | Qt::AltModifier).hotkey.key,
              (Key{keysym::digit(7), Modifier::ctrl | Modifier::alt}));
}

// Function keys, arrows, punctuation and Tab are shortcuts too, named as the desktop writes them.
TEST(HotkeyRecorderTest, FunctionKeysArrowsPunctuationAndTabAreRecorded) {
    const std::array<std::tuple<int, Qt::KeyboardModifiers, const char*>, 8> keys{{
        {Qt::Key_F5, Qt::ControlModifier, "Ctrl+F5"},
        {Qt::Key_F20, Qt::AltModifier, "Alt+F20"},
        {Qt::Key_Left, Qt::MetaModifier, "Super+Left"},
        {Qt::Key_PageDown, Qt::ControlModifier, "Ctrl+Page Down"},
        {Qt::Key_Semicolon, Qt::ControlModifier, "Ctrl+;"},
        {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"},
        {Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier, "Ctrl+Alt+Delete"},
        {Qt::Key_Backspace, Qt::ShiftModifier | Qt::MetaModifier, "Shift+Super+Backspace"},
    }};
    for (const auto& [key, modifiers, shown] : keys) {
        const auto recorded = press(key, modifiers);
        ASSERT_EQ(recorded.outcome, Outcome::record) << shown;
        EXPECT_EQ(recorded.hotkey.display(), shown);
    }
}

} // namespace
} // namespace tiklo
