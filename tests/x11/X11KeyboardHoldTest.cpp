// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyboardHold.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/X11InputConnection.h"
#include "platform/linux/X11KeyPoster.h"
#include "platform/linux/X11KeyboardMonitor.h"
#include "support/TextFieldProcess.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <QKeyEvent>
#include <QWindow>
#include <gtest/gtest.h>

namespace tiklo {
namespace {

using namespace std::chrono_literals;
using test::waitUntil;
using test::xdotool;

// A window of this process, as Tiklo's picker is one of Tiklo's, recording what is typed.
class TypedWindow : public QWindow {
public:
    QString typed;

protected:
    void keyPressEvent(QKeyEvent* event) override { typed += event->text(); }
};

class X11KeyboardHoldTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(field.ready());
        ASSERT_TRUE(focusField());
    }

    bool focusField() {
        return waitUntil([&] {
            return activator.activateWindow(static_cast<xcb_window_t>(field.application().window));
        });
    }

    // Lets a moment pass with events served, so keys that were going to arrive have.
    static void settle() {
        waitUntil([] { return false; }, 300ms);
    }

    SyntheticEventLedger ledger;
    ThreadSleeper sleeper;
    X11ApplicationActivator activator{test::qtConnection(), test::qtRootWindow(), sleeper};
    X11InputConnection input;
    X11KeyboardHold hold{input, ledger};
    test::TextFieldProcess field;
};

TEST_F(X11KeyboardHoldTest, HeldKeysAreTypedInOrderWithTheirModifiersOnceReleased) {
    ASSERT_TRUE(hold.hold());
    EXPECT_TRUE(hold.isHolding());
    ASSERT_TRUE(xdotool({"type", "Hi, you!"}));
    ASSERT_TRUE(xdotool({"key", "BackSpace"}));
    settle();
    EXPECT_EQ(field.text(), "") << "a key got past the hold";

    hold.releaseToFocus();
    EXPECT_FALSE(hold.isHolding());
    EXPECT_TRUE(waitUntil([&] { return field.text() == "Hi, you"; })) << field.text();
    // The keyboard is free again, and no key or modifier was left pressed.
    ASSERT_TRUE(xdotool({"type", "r?"}));
    EXPECT_TRUE(waitUntil([&] { return field.text() == "Hi, your?"; })) << field.text();
}

// The monitor reports every press, held or not; the hold tells which of them it took, so a
// key pressed just before it began is known to have reached the application.
TEST_F(X11KeyboardHoldTest, TellsTheKeysItTookFromThoseTypedBeforeIt) {
    std::vector<KeyDown> pressed;
    X11KeyboardMonitor monitor{test::qtConnection(), test::qtRootWindow(), ledger};
    ASSERT_TRUE(monitor.install([&](const KeyDown& key) { pressed.push_back(key); }).ok());
    ASSERT_TRUE(xdotool({"type", "ab"}));
    ASSERT_TRUE(waitUntil([&] { return pressed.size() == 2; }));
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", "cd"}));
    ASSERT_TRUE(waitUntil([&] { return pressed.size() == 4; }));
    std::vector<bool> taken;
    for (const KeyDown& key : pressed) {
        taken.push_back(hold.took(key.scanCode, key.time));
    }
    EXPECT_EQ(taken, (std::vector<bool>{false, false, true, true}));
    // The same key at another time is another press.
    EXPECT_FALSE(hold.took(pressed[2].scanCode, pressed[2].time + 1));
    hold.releaseToFocus();
    EXPECT_FALSE(hold.took(pressed[2].scanCode, pressed[2].time));
    monitor.remove();
    settle();
    EXPECT_EQ(field.text(), "abcd");
}

TEST_F(X11KeyboardHoldTest, AHoldNobodyEndsEndsByItselfAfterThreeSeconds) {
    // Stated, not read from the hold: a popup that never comes keeps the keys this long.
    constexpr auto limit = 3s;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", "late"}));
    // Just before the limit the keys are still held (a timer can only fire late, not early).
    waitUntil([] { return false; }, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        start + limit - 200ms - std::chrono::steady_clock::now()));
    EXPECT_EQ(field.text(), "");
    EXPECT_TRUE(waitUntil([&] { return field.text() == "late"; }, 5s));
    EXPECT_GE(std::chrono::steady_clock::now() - start, limit);
    EXPECT_FALSE(hold.isHolding());
    ASSERT_TRUE(xdotool({"type", "r"}));
    EXPECT_TRUE(waitUntil([&] { return field.text() == "later"; })) << field.text();
}

TEST_F(X11KeyboardHoldTest, TiklosOwnKeysReachTheApplicationWhileTheUsersWait) {
    X11KeyPoster poster(input, hold, ledger, sleeper);
    ASSERT_TRUE(xdotool({"type", ";"}));
    ASSERT_TRUE(waitUntil([&] { return field.text() == ";"; }));
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", " is hot"}));
    poster.tapKey(keysym::backSpace);
    poster.postText(u"\U0001F525", true);
    settle();
    EXPECT_EQ(field.text(), "\U0001F525") << "the user's keys came first";
    hold.releaseToFocus();
    poster.finishTyping();
    EXPECT_TRUE(waitUntil([&] { return field.text() == "\U0001F525 is hot"; })) << field.text();
}

TEST_F(X11KeyboardHoldTest, ReleasedToTiklosOwnWindowTheKeysArriveThereAsTyped) {
    TypedWindow own;
    own.resize(300, 100);
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", "Fi"}));
    own.show();
    own.requestActivate();
    ASSERT_TRUE(waitUntil([&] { return own.isActive(); }));
    ASSERT_TRUE(xdotool({"type", "re"}));
    hold.releaseToOwnWindow();
    EXPECT_FALSE(hold.isHolding());
    ASSERT_TRUE(xdotool({"type", "!"}));
    EXPECT_TRUE(waitUntil([&] { return own.typed == QStringLiteral("Fire!"); }))
        << own.typed.toStdString();
    EXPECT_EQ(field.text(), "");
}

// Keys redirected from Tiklo's windows reached them before the grab began: they come before
// the keys the grab took. A key typed before Shift went down comes out without it while the
// user still holds Shift, and Shift is held again afterwards, as the user holds it.
TEST_F(X11KeyboardHoldTest, KeysRedirectedFromTiklosWindowsKeepTheirPlaceAndTheirShift) {
    test::X11TestClient keys;
    const xcb_keycode_t a = keys.keycode('a');
    const xcb_keycode_t b = keys.keycode('b');
    ASSERT_NE(a, 0);
    const auto redirect = [&](xcb_keycode_t key, std::uint16_t state) {
        hold.redirect(key, state, true);
        hold.redirect(key, state, false);
    };
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", "c"}));
    settle();
    redirect(a, XCB_MOD_MASK_SHIFT);
    redirect(b, 0);
    hold.releaseToFocus();
    EXPECT_TRUE(waitUntil([&] { return field.text() == "Abc"; })) << field.text();
    // Without a hold they are typed at once.
    redirect(a, 0);
    EXPECT_TRUE(waitUntil([&] { return field.text() == "Abca"; })) << field.text();

    field.clear();
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"keydown", "shift"}));
    settle();
    redirect(a, 0);
    redirect(b, XCB_MOD_MASK_SHIFT);
    redirect(a, 0);
    hold.releaseToFocus();
    EXPECT_TRUE(waitUntil([&] { return field.text() == "aBa"; })) << field.text();
    ASSERT_TRUE(xdotool({"key", "c"}));
    EXPECT_TRUE(waitUntil([&] { return field.text() == "aBaC"; })) << field.text();
    ASSERT_TRUE(xdotool({"keyup", "shift"}));
    ASSERT_TRUE(xdotool({"key", "d"}));
    EXPECT_TRUE(waitUntil([&] { return field.text() == "aBaCd"; })) << field.text();
}

} // namespace
} // namespace tiklo
