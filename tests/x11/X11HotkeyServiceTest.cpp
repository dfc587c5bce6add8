// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11HotkeyService.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo::test {
namespace {

using Presses = std::vector<std::uint32_t>;

constexpr KeySym keyE = keysym::letter('e');
constexpr KeySym keyX = keysym::letter('x');
constexpr Modifiers control = Modifier::ctrl;
constexpr Modifiers controlAlt = Modifier::ctrl | Modifier::alt;
constexpr std::uint16_t xControlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

// 0 for a grab that was had, else the X error code that refused it.
int statusOf(const Result& result) {
    return result.ok() ? 0 : result.status();
}

class X11HotkeyServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        service.setPressHandler([this](std::uint32_t id) { presses.push_back(id); });
        qGuiApp->installNativeEventFilter(&service);
    }

    // The presses that running xdotool with `arguments` fires. ctrl+alt+x (id 99) ends
    // every run: once it has arrived, so has everything typed before it.
    Presses pressesFor(QStringList arguments) {
        presses.clear();
        arguments << QStringLiteral("key") << QStringLiteral("ctrl+alt+x");
        EXPECT_TRUE(xdotool(arguments));
        EXPECT_TRUE(waitUntil([this] { return !presses.empty() && presses.back() == 99; }));
        return presses;
    }

    X11HotkeyService service{qtConnection(), qtRootWindow()};
    Presses presses;
};

TEST_F(X11HotkeyServiceTest, FiresOncePerPressOfTheExactCombinationWhateverTheLocks) {
    ASSERT_EQ(statusOf(service.registerHotkey({keyE, controlAlt}, 7)), 0);
    ASSERT_EQ(statusOf(service.registerHotkey({keyE, control}, 8)), 0);
    ASSERT_EQ(statusOf(service.registerHotkey({keyX, controlAlt}, 99)), 0);

    EXPECT_EQ(pressesFor({"key", "ctrl+alt+e", "e", "ctrl+alt+shift+e", "alt+e", "ctrl+e"}),
              (Presses{7, 8, 99}));
    // Releasing the key while the modifiers are still down fires nothing.
    EXPECT_EQ(pressesFor({"keydown", "ctrl+alt+e", "keyup", "e", "keyup", "ctrl+alt"}),
              (Presses{7, 99}));
    // Caps Lock, both locks, Num Lock alone; both are off again at the end.
    EXPECT_EQ(pressesFor({"key", "Caps_Lock", "ctrl+alt+e", "Num_Lock", "ctrl+alt+e", "Caps_Lock",
                          "ctrl+alt+e", "Num_Lock"}),
              (Presses{7, 7, 7, 99}));

    service.unregisterHotkey(7);
    EXPECT_EQ(pressesFor({"key", "ctrl+alt+e", "ctrl+e"}), (Presses{8, 99}));
}

TEST_F(X11HotkeyServiceTest, RefusesCombinationsHeldElsewhereAndReleasesEveryGrab) {
    X11TestClient other;
    ASSERT_TRUE(other.connected());
    const xcb_keycode_t e = other.keycode(XKB_KEY_e);
    const xcb_keycode_t x = other.keycode(XKB_KEY_x);
    ASSERT_NE(e, 0);
    // Num Lock is Mod2 on Xvfb's keymap.
    const std::uint16_t withLocks = xControlAlt | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;
    {
        // Holding only the Caps Lock variant is enough to refuse; the variants grabbed by
        // then must be let go again.
        X11TestClient holder;
        ASSERT_EQ(holder.grabKey(e, xControlAlt | XCB_MOD_MASK_LOCK), 0);
        EXPECT_EQ(statusOf(service.registerHotkey({keyE, controlAlt}, 7)),
                  X11HotkeyService::badAccess);
        X11TestClient probe;
        EXPECT_EQ(probe.grabKey(e, xControlAlt), 0);
        EXPECT_EQ(probe.grabKey(e, xControlAlt | XCB_MOD_MASK_2), 0);
    }

    ASSERT_EQ(statusOf(service.registerHotkey({keyE, controlAlt}, 7)), 0);
    // X would let us grab it twice, and releasing one id would then release the other.
    EXPECT_EQ(statusOf(service.registerHotkey({keyE, controlAlt}, 8)), X11HotkeyService::badAccess);
    {
        // Moving id 7 onto a combination held elsewhere leaves it where it was.
        X11TestClient holder;
        ASSERT_EQ(holder.grabKey(x, xControlAlt), 0);
        EXPECT_EQ(statusOf(service.registerHotkey({keyX, controlAlt}, 7)),
                  X11HotkeyService::badAccess);
        EXPECT_EQ(other.grabKey(e, xControlAlt), X11HotkeyService::badAccess);
    }
    ASSERT_EQ(statusOf(service.registerHotkey({keyX, controlAlt}, 7)), 0);
    EXPECT_EQ(other.grabKey(e, xControlAlt), 0);
    EXPECT_EQ(other.grabKey(e, withLocks), 0);

    service.unregisterHotkey(7);
    EXPECT_EQ(other.grabKey(x, xControlAlt), 0);
    EXPECT_EQ(other.grabKey(x, withLocks), 0);

    // A key without symbol (a stored code no key has), and one the keymap lacks.
    EXPECT_EQ(statusOf(service.registerHotkey({keysym::none, control}, 3)),
              X11HotkeyService::badValue);
    constexpr KeySym fire = 0x01000000 + 0x1F525; // U+1F525: no keyboard has it
    EXPECT_EQ(statusOf(service.registerHotkey({fire, control}, 3)), X11HotkeyService::badValue);
}

} // namespace
} // namespace tiklo::test
