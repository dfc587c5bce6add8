// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyboardMonitor.h"
#include "support/ChildProcess.h"
#include "support/X11TestEnvironment.h"

#include <tuple>

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo::test {
namespace {

constexpr Modifiers none{};
constexpr Modifiers shift = Modifier::shift;
constexpr Modifiers ctrl = Modifier::ctrl;

// What the handler was given: keysym, modifiers and characters, comparable as a whole.
using Seen = std::tuple<KeySym, Modifiers, std::optional<std::string>>;
using Keys = std::vector<Seen>;

TEST(X11KeyboardMonitorTest, ReportsTheUsersKeysWithCharactersIgnoringModifiersAndNoOthers) {
    SyntheticEventLedger ledger;
    X11KeyboardMonitor monitor{qtConnection(), qtRootWindow(), ledger};
    Keys seen;
    const auto install = [&] {
        return monitor
            .install([&](const KeyDown& key) {
                EXPECT_FALSE(key.synthetic);
                seen.push_back({key.key.sym, key.key.modifiers, key.charactersIgnoringModifiers});
            })
            .ok();
    };
    // The keys running xdotool with `arguments` reports. F12 ends every run: once it has
    // arrived, so has everything typed before it.
    const auto keysFor = [&](const QStringList& arguments) {
        seen.clear();
        EXPECT_TRUE(xdotool(arguments));
        EXPECT_TRUE(xdotool({"key", "F12"}));
        const auto ended = [&] {
            return !seen.empty() && std::get<KeySym>(seen.back()) == XKB_KEY_F12;
        };
        EXPECT_TRUE(waitUntil(ended));
        if (ended()) {
            seen.pop_back();
        }
        return seen;
    };
    ASSERT_TRUE(install());
    EXPECT_EQ(
        keysFor({"key", "a", "Return", "BackSpace"}),
        (Keys{{XKB_KEY_a, none, "a"}, {XKB_KEY_Return, none, {}}, {XKB_KEY_BackSpace, none, {}}}));
    // The modifier keys themselves come first, with no text.
    EXPECT_EQ(keysFor({"key", "shift+semicolon"}),
              (Keys{{XKB_KEY_Shift_L, none, {}}, {XKB_KEY_semicolon, shift, ":"}}));
    EXPECT_EQ(keysFor({"key", "ctrl+semicolon"}),
              (Keys{{XKB_KEY_Control_L, none, {}}, {XKB_KEY_semicolon, ctrl, ";"}}));
    // Caps Lock is a lock: letters turn upper-case, no modifier is held.
    EXPECT_EQ(keysFor({"key", "Caps_Lock", "a", "semicolon", "Caps_Lock", "a"}),
              (Keys{{XKB_KEY_Caps_Lock, none, {}},
                    {XKB_KEY_a, none, "A"},
                    {XKB_KEY_semicolon, none, ";"},
                    {XKB_KEY_Caps_Lock, none, {}},
                    {XKB_KEY_a, none, "a"}}));

    // Dead keys type nothing once the layout has changed.
    ASSERT_TRUE(ChildProcess::onPath("setxkbmap")) << "setxkbmap (x11-xkb-utils) is needed";
    ASSERT_TRUE(ChildProcess::run({"setxkbmap", "-layout", "us", "-variant", "intl"}).succeeded());
    // The keymap is read again at the first key after the change.
    EXPECT_EQ(keysFor({"key", "dead_acute"}), (Keys{{XKB_KEY_dead_acute, none, {}}}));
    EXPECT_EQ(keysFor({"key", "a", "semicolon"}),
              (Keys{{XKB_KEY_a, none, "a"}, {XKB_KEY_semicolon, none, ";"}}));

    ASSERT_TRUE(ChildProcess::run({"setxkbmap", "-layout", "us"}).succeeded());
    EXPECT_EQ(keysFor({"key", "apostrophe"}), (Keys{{XKB_KEY_apostrophe, none, "'"}}));

    // Keys in the ledger, or pressed while the monitor is removed, are not reported.
    const xcb_keycode_t a = 38; // on Xvfb's evdev keymap
    ledger.append(a, true);
    ledger.append(a, false);
    // The first press and release are taken for Tiklo's own; the second press is the user's.
    EXPECT_EQ(keysFor({"key", "a", "a"}), (Keys{{XKB_KEY_a, none, "a"}}));
    EXPECT_EQ(ledger.size(), 0U);

    seen.clear();
    monitor.remove();
    ASSERT_TRUE(xdotool({"key", "a", "F12"}));
    EXPECT_FALSE(waitUntil([&] { return !seen.empty(); }, std::chrono::milliseconds(300)));

    ASSERT_TRUE(install());
    EXPECT_EQ(keysFor({"key", "a"}), (Keys{{XKB_KEY_a, none, "a"}}));
}

} // namespace
} // namespace tiklo::test
