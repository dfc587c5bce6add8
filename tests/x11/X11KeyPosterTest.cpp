// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyPoster.h"
#include "input/Injector.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/X11InputConnection.h"
#include "platform/linux/X11KeyboardHold.h"
#include "platform/linux/X11KeyboardMonitor.h"
#include "platform/qt/QtMainThreadExecutor.h"
#include "support/TextFieldProcess.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <atomic>
#include <memory>
#include <thread>

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {
namespace {

using namespace std::chrono_literals;
using test::qtConnection;
using test::qtRootWindow;
using test::waitUntil;
using test::xdotool;

class X11KeyPosterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(monitor.install([this](const KeyDown& key) { seen.push_back(key); }).ok());
        ASSERT_TRUE(field.ready());
        ASSERT_TRUE(
            activator.activateWindow(static_cast<xcb_window_t>(field.application().window)));
    }

    // Typing with a poster of its own, through the real injector.
    struct Typist {
        Typist(X11KeyPosterTest& test, X11KeyPoster::Options options)
            : hold(input, test.ledger), poster(input, hold, test.ledger, test.sleeper, options),
              injector(poster, test.activator, hold, test.mainThread, test.sleeper) {}
        X11InputConnection input;
        X11KeyboardHold hold;
        X11KeyPoster poster;
        Injector injector;
    };

    // Waits for the injector while the main thread serves its activation requests.
    static bool finished(Injector& injector) {
        std::atomic<bool> idle = false;
        std::thread waiter([&] {
            injector.waitUntilIdle();
            idle = true;
        });
        const bool done = waitUntil([&] { return idle.load(); }, 30s);
        waitUntil([&] { return idle.load(); }, 10min); // never leave the waiter behind
        waiter.join();
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
    QtMainThreadExecutor mainThread;
    X11ApplicationActivator activator{qtConnection(), qtRootWindow(), sleeper};
    X11KeyboardMonitor monitor{qtConnection(), qtRootWindow(), ledger};
    test::TextFieldProcess field;
    std::vector<KeyDown> seen;
};

// The typed semicolon is replaced, then two quick replacements follow, a flag and a joiner
// sequence among them: all typed whole and in order, and none of it reported as the user's.
TEST_F(X11KeyPosterTest, ReplacementsAreTypedWholeInOrderAndTheMonitorNeverSeesThem) {
    Typist typist(*this, {});
    ASSERT_TRUE(typist.poster.available());
    const RunningApplication target = field.application();
    ASSERT_TRUE(xdotool({"type", ";"}));
    ASSERT_TRUE(waitUntil([&] { return field.text() == ";"; }));
    ASSERT_TRUE(waitUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen.front().charactersIgnoringModifiers, ";");

    seen.clear();
    typist.injector.replace(1, "a\U0001F525b", target);
    typist.injector.replace(0, "\U0001F1FA\U0001F1F8c\U0001F9D1\u200D\U0001F4BB", target);
    ASSERT_TRUE(finished(typist.injector));
    EXPECT_EQ(field.text(), "a\U0001F525b\U0001F1FA\U0001F1F8c\U0001F9D1\u200D\U0001F4BB");
    ASSERT_EQ(keysSeenUpToSentinel().size(), 1U) << "the monitor reported an injected key";
    EXPECT_EQ(ledger.size(), 0U);
}

TEST_F(X11KeyPosterTest, SurrogatePairsSplitBetweenChunksArriveIntactInBatches) {
    // Four keycodes at a time, so each chunk needs several rounds of mapping.
    Typist typist(*this, {.maxBorrowedKeycodes = 4});
    const std::string text = "0123456789abcdefghi\U0001F525jklmnopqrstuvw\u00E9xyz\U0001F600AB\nC";
    const std::u16string units = Injector::typedUnits(text);
    ASSERT_EQ(units.size(), 45U);
    ASSERT_EQ(Injector::chunkCodeUnits, 20U);
    // Both chunk boundaries fall inside a pair.
    ASSERT_TRUE(QChar::isHighSurrogate(units[19]) && QChar::isHighSurrogate(units[39]));

    typist.injector.replace(0, text, field.application());
    ASSERT_TRUE(finished(typist.injector));
    EXPECT_EQ(field.text(), "0123456789abcdefghi\U0001F525jklmnopqrstuvw\u00E9xyz\U0001F600ABC");
    EXPECT_EQ(field.returns(), 1);
    EXPECT_EQ(keysSeenUpToSentinel().size(), 1U);
}

TEST_F(X11KeyPosterTest, TheActiveApplicationAcknowledgesTypingAndASilentOneCostsTheTimeout) {
    X11InputConnection input;
    xcb_connection_t* connection = input.get();
    const auto window = static_cast<xcb_window_t>(field.application().window);
    EXPECT_EQ(input.activeWindow(), window);
    EXPECT_TRUE(input.answersPings(window));
    EXPECT_TRUE(input.ping(window, 5s));

    // A client that claims to answer pings but never reads its events.
    test::X11TestClient silent;
    const xcb_window_t mute = silent.createWindow("mute", "Mute", 4242);
    const auto intern = [&](std::string_view name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, name.size(), name.data()), nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    };
    const xcb_atom_t protocol = intern("_NET_WM_PING");
    std::free(xcb_request_check(
        silent.connection(),
        xcb_change_property_checked(silent.connection(), XCB_PROP_MODE_REPLACE, mute,
                                    intern("WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1, &protocol)));
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
} // namespace tiklo
