// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into another application's text field: the key poster, the injector over it, and the
// keyboard hold that keeps the user's keys back meanwhile.
#include "input/Injector.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/X11KeyPoster.h"
#include "platform/linux/X11KeyboardMonitor.h"
#include "platform/qt/QtMainThreadExecutor.h"
#include "support/ChildProcess.h"
#include "support/TextFieldProcess.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <future>

#include <QKeyEvent>
#include <QWindow>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// Lets a moment pass with events served, so keys that were going to arrive have.
void settle() {
    waitUntil([] { return false; }, 300ms);
}

// A window of this process, as Tiklo's picker is one of Tiklo's, recording what is typed.
class TypedWindow : public QWindow {
public:
    QString typed;

protected:
    void keyPressEvent(QKeyEvent* event) override { typed += event->text(); }
};

// The Qt text field helper in a process of its own, with the keyboard focus, and the keys the
// monitor reports as the user's meanwhile.
class X11TypingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(field.ready());
        ASSERT_TRUE(waitUntil([&] {
            return activator.activateWindow(static_cast<xcb_window_t>(field.application().window));
        }));
        ASSERT_TRUE(monitor.install([this](const KeyDown& key) { seen.push_back(key); }).ok());
    }

    // Waits for the injector while the main thread serves its activation requests.
    static bool finished(Injector& injector) {
        const std::future<void> idle =
            std::async(std::launch::async, [&] { injector.waitUntilIdle(); });
        const auto ready = [&] { return idle.wait_for(0s) == std::future_status::ready; };
        const bool done = waitUntil(ready, 30s);
        waitUntil(ready, 10min); // never leave the waiter behind
        return done;
    }

    // The user's sentinel key after the injection: everything injected has been observed
    // by the time it arrives.
    std::vector<KeyDown> keysSeenUpToSentinel() {
        EXPECT_TRUE(xdotool({"key", "F12"}));
        EXPECT_TRUE(
            waitUntil([this] { return !seen.empty() && seen.back().key.sym == XKB_KEY_F12; }));
        return seen;
    }

    SyntheticEventLedger ledger;
    ThreadSleeper sleeper;
    X11ApplicationActivator activator{qtConnection(), qtRootWindow(), sleeper};
    TextFieldProcess field;
    X11InputConnection input;
    X11KeyboardHold hold{input, ledger};
    QtMainThreadExecutor mainThread;
    X11KeyboardMonitor monitor{qtConnection(), qtRootWindow(), ledger};
    std::vector<KeyDown> seen;
};

// The monitor reports every press, held or not; the hold tells which of them it took, so a
// key pressed just before it began is known to have reached the application. The held ones
// follow once the hold ends.
TEST_F(X11TypingTest, HeldKeysAreKnownAndTypedInOrderOnceReleasedAndRedirectedOnesKeepTheirPlace) {
    ASSERT_TRUE(xdotool({"type", "ab"}));
    ASSERT_TRUE(waitUntil([&] { return seen.size() == 2; }));
    ASSERT_TRUE(hold.hold());
    EXPECT_TRUE(hold.isHolding());
    ASSERT_TRUE(xdotool({"type", "cd, You!"}));
    ASSERT_TRUE(xdotool({"key", "BackSpace"}));
    settle();
    EXPECT_EQ(field.text(), "ab") << "a key got past the hold";
    ASSERT_GE(seen.size(), 4U);
    std::vector<bool> taken;
    for (std::size_t i = 0; i < 4; ++i) {
        taken.push_back(hold.took(seen[i].scanCode, seen[i].time));
    }
    EXPECT_EQ(taken, (std::vector<bool>{false, false, true, true}));
    // The same key at another time is another press.
    EXPECT_FALSE(hold.took(seen[2].scanCode, seen[2].time + 1));

    hold.releaseToFocus();
    EXPECT_FALSE(hold.isHolding());
    EXPECT_FALSE(hold.took(seen[2].scanCode, seen[2].time));
    EXPECT_TRUE(waitUntil([&] { return field.text() == "abcd, You"; })) << field.text();
    // The keyboard is free again, and no key or modifier was left pressed.
    ASSERT_TRUE(xdotool({"type", "r?"}));
    EXPECT_TRUE(waitUntil([&] { return field.text() == "abcd, Your?"; })) << field.text();

    // Paused after a press (a prefix), a release types up to it and holds the rest, among them
    // a later press of the same key; what was asked runs once they are typed. A pause on a
    // press the hold never took types everything.
    field.clear();
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", "x;y;z"}));
    ASSERT_TRUE(waitUntil([&] { return seen.back().charactersIgnoringModifiers == "z"; }));
    const KeyDown first = seen[seen.size() - 4];
    const KeyDown second = seen[seen.size() - 2];
    ASSERT_EQ(first.charactersIgnoringModifiers, ";");
    bool paused = false;
    ASSERT_TRUE(hold.pauseAfter(first.scanCode, first.time, [&] { paused = true; }));
    hold.releaseToFocus();
    EXPECT_TRUE(waitUntil([&] { return paused; }));
    settle();
    EXPECT_EQ(field.text(), "x;");
    EXPECT_TRUE(hold.isHolding());
    ASSERT_TRUE(hold.pauseAfter(first.scanCode, first.time, [] {}));
    hold.releaseToFocus();
    EXPECT_FALSE(hold.isHolding());
    EXPECT_TRUE(waitUntil([&] { return field.text() == "x;y;z"; })) << field.text();
    EXPECT_FALSE(hold.pauseAfter(second.scanCode, second.time, [] {}));

    // A hold nobody ends ends by itself. Stated, not read from the hold: a popup that never
    // comes keeps the keys this long.
    field.clear();
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

    // Keys redirected from Tiklo's windows reached them before the grab began: they come before
    // the keys the grab took. A key typed before Shift went down comes out without it while the
    // user still holds Shift, and Shift is held again afterwards, as the user holds it. Released
    // to Tiklo's own window, the keys arrive there as typed.
    field.clear();
    X11TestClient keys;
    const xcb_keycode_t a = keys.keycode('a');
    const xcb_keycode_t b = keys.keycode('b');
    ASSERT_NE(a, 0);
    const auto redirect = [&](xcb_keycode_t key, std::uint16_t state) {
        hold.redirect(key, state, true, 0);
        hold.redirect(key, state, false, 0);
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
    EXPECT_EQ(field.text(), "aBaCd");
}

// Tiklo's own keys reach the application while the user's wait; then the typed semicolon is
// replaced, two quick replacements follow, a flag and a joiner sequence among them, and a text
// whose surrogate pairs are split between chunks: all typed whole and in order, and none of
// it reported as the user's. The active application acknowledges typing; a silent one costs
// the timeout.
TEST_F(X11TypingTest, TiklosKeysAreTypedWholeInOrderAndTheMonitorNeverSeesThem) {
    X11KeyPoster poster(input, hold, ledger, sleeper);
    ASSERT_TRUE(poster.available());
    ASSERT_TRUE(xdotool({"type", ";"}));
    ASSERT_TRUE(waitUntil([&] { return field.text() == ";" && seen.size() == 1; }));
    seen.clear();
    ASSERT_TRUE(hold.hold());
    ASSERT_TRUE(xdotool({"type", " is hot"}));
    poster.tapKey(keysym::backSpace);
    poster.postText(u"\U0001F525", true);
    settle();
    EXPECT_EQ(field.text(), "\U0001F525") << "the user's keys came first";
    hold.releaseToFocus();
    poster.finishTyping();
    EXPECT_TRUE(waitUntil([&] { return field.text() == "\U0001F525 is hot"; })) << field.text();
    // The seven held keys, once each: neither Tiklo's keys nor the held ones typed again.
    EXPECT_EQ(keysSeenUpToSentinel().size(), 8U);

    seen.clear();
    Injector injector(poster, activator, hold, mainThread, sleeper);
    const RunningApplication target = field.application();
    injector.replace(1, "a\U0001F525b", target);
    injector.replace(0, "\U0001F1FA\U0001F1F8c\U0001F9D1\u200D\U0001F4BB", target);
    ASSERT_TRUE(finished(injector));
    EXPECT_EQ(field.text(),
              "\U0001F525 is hoa\U0001F525b\U0001F1FA\U0001F1F8c\U0001F9D1\u200D\U0001F4BB");
    EXPECT_EQ(keysSeenUpToSentinel().size(), 1U) << "the monitor reported an injected key";
    EXPECT_EQ(ledger.size(), 0U);

    // Four keycodes at a time, so each chunk needs several rounds of mapping.
    X11KeyPoster narrow(input, hold, ledger, sleeper, {.maxBorrowedKeycodes = 4});
    Injector batched(narrow, activator, hold, mainThread, sleeper);
    const std::string text = "0123456789abcdefghi\U0001F525jklmnopqrstuvw\u00E9xyz\U0001F600AB\nC";
    const std::u16string units = Injector::typedUnits(text);
    ASSERT_EQ(units.size(), 45U);
    ASSERT_EQ(Injector::chunkCodeUnits, 20U);
    // Both chunk boundaries fall inside a pair.
    ASSERT_TRUE(QChar::isHighSurrogate(units[19]) && QChar::isHighSurrogate(units[39]));
    field.clear();
    seen.clear();
    batched.replace(0, text, target);
    ASSERT_TRUE(finished(batched));
    EXPECT_EQ(field.text(), "0123456789abcdefghi\U0001F525jklmnopqrstuvw\u00E9xyz\U0001F600ABC");
    EXPECT_EQ(field.returns(), 1);
    EXPECT_EQ(keysSeenUpToSentinel().size(), 1U);

    // Kaomoji arrive exactly, backslashes and combining marks too, whatever the layout.
    const std::string kaomoji =
        "\u00AF\\_(\u30C4)_/\u00AF ( \u0361\u00B0 \u035C\u0296 \u0361\u00B0)";
    for (const char* layout : {"de", "us"}) {
        ASSERT_TRUE(test::ChildProcess::run({"setxkbmap", "-layout", layout}).succeeded());
        field.clear();
        injector.replace(0, kaomoji, target);
        ASSERT_TRUE(finished(injector));
        EXPECT_EQ(field.text(), kaomoji) << layout;
    }

    const auto window = static_cast<xcb_window_t>(field.application().window);
    EXPECT_EQ(input.activeWindow(), window);
    EXPECT_TRUE(input.answersPings(window));
    EXPECT_TRUE(input.ping(window, 5s));

    // A client that claims to answer pings but never reads its events.
    X11TestClient silent;
    const xcb_window_t mute = silent.createWindow("mute", "Mute", 4242);
    const xcb_atom_t protocol = silent.atom("_NET_WM_PING");
    std::free(xcb_request_check(
        silent.connection(),
        xcb_change_property_checked(silent.connection(), XCB_PROP_MODE_REPLACE, mute,
                                    silent.atom("WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1, &protocol)));
    ASSERT_TRUE(waitUntil([&] { return activator.activateWindow(mute); }, 10s));
    EXPECT_EQ(input.activeWindow(), mute);
    EXPECT_TRUE(input.answersPings(mute));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(input.ping(mute, 300ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);

    // Windows without the protocol are never waited for.
    const xcb_window_t plain = silent.createWindow("plain", "Plain", 4343);
    ASSERT_TRUE(waitUntil([&] { return activator.activateWindow(plain); }, 10s));
    EXPECT_FALSE(input.answersPings(plain));
}

} // namespace
} // namespace tiklo::test
