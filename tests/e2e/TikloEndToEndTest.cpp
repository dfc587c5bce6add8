// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/LearnedRanking.h"
#include "e2e/TikloDesktop.h"
#include "platform/linux/AtspiAccessibility.h"
#include "support/Poll.h"
#include "support/TextFieldProcess.h"

#include <cstdlib>
#include <ctime>
#include <memory>

#include <glib.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";

// The caret line and the popup's top edge: the popup goes just below the line.
constexpr int caretToPopupLimit = 40;
// Reopened right after closing, over and over: each popup must stay until closed.
constexpr int reopenings = 8;

// Whether a popup comes within a time long enough for one to have come, had there been one.
bool popupOpens(TikloDesktop& desktop) {
    return pollFor([&] { return !desktop.visiblePopups().empty(); }, 1500ms);
}

// A Qt application joins the accessibility bus some time after its window shows; until then
// nobody, Tiklo included, can tell that its field hides what is typed.
bool secretOverAccessibilityBus(std::int64_t pid) {
    AtspiAccessibility accessibility([pid] { return std::optional<long>(pid); });
    return pollFor(
        [&] {
            // libatspi learns of newly registered applications in the main loop.
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
            const std::unique_ptr<FocusedElement> element = accessibility.focusedElement();
            return element && element->isSecret();
        },
        10s, 50ms);
}

// One user's road: every opening places the popup anew, at the caret of the moment, and
// reopened at once after each close it stays until closed. Then the ways of choosing: Return
// takes the query's first result, Ctrl+1 and the arrows count in the learned ranking, and
// BackSpace on an empty query learns nothing. (The other ways out are timed in
// TypingPaceTest.) Last, password fields, GTK's and Qt's, get the prefix and the query as
// typed: no popup, nothing learned.
TEST(TikloEndToEndTest, PopupUnderTheCaretEveryWayOfChoosingLearnedAndNeverInPasswords) {
    TikloDesktop desktop({});
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    // Waits for the target to read `expected`, then types a marker after it: a target that
    // reads `expected` and the marker had nothing else typed in between.
    const auto expectTargetSettlesAt = [&](const std::string& expected) {
        ASSERT_EQ(desktop.target().waitForText(expected), expected);
        ASSERT_TRUE(desktop.waitForTargetActive());
        ASSERT_TRUE(desktop.type("."));
        EXPECT_EQ(desktop.target().waitForText(expected + "."), expected + ".");
    };
    // Far from the caret, so that a popup placed at the pointer cannot pass.
    ASSERT_TRUE(desktop.movePointer(1150, 760));

    std::string text = "note ";
    for (int round = 1; round <= reopenings; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto popup = desktop.trigger(10s);
        ASSERT_TRUE(popup) << "the popup did not stay open";
        // The prefix went to the target; Tiklo takes it back only when something is chosen.
        text += ";";
        EXPECT_EQ(desktop.target().waitForText(text), text);

        const std::optional<ScreenRect> caret = desktop.target().caretLine();
        ASSERT_TRUE(caret);
        const auto underCaret = [&](const ScreenRect& frame) {
            const int gap = frame.y - caret->bottom();
            return gap >= 0 && gap <= caretToPopupLimit &&
                   std::abs(frame.x - caret->x) <= caretToPopupLimit;
        };
        // The popup drops into place when it appears, and the window manager moves it in a
        // frame of its own: the last frame seen by the deadline.
        std::optional<ScreenRect> frame;
        pollFor([&] { return (frame = desktop.windowFrame(*popup)) && underCaret(*frame); }, 10s);
        ASSERT_TRUE(frame);
        ASSERT_TRUE(underCaret(*frame))
            << "caret line " << caret->x << "," << caret->y << " " << caret->width << "x"
            << caret->height << ", popup " << frame->x << "," << frame->y;
        if (round == 1) {
            EXPECT_TRUE(desktop.screenshot(TIKLO_SCREENSHOT)); // the README's picture
        }
        ASSERT_TRUE(desktop.key("Escape"));
        ASSERT_TRUE(desktop.waitForPopupHidden());
    }
    expectTargetSettlesAt(text);

    ASSERT_TRUE(desktop.target().setText("note "));
    ASSERT_TRUE(desktop.trigger(10s));
    ASSERT_TRUE(desktop.type("fire"));
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_TRUE(desktop.waitForPopupHidden());
    text = "note " + fire;
    EXPECT_EQ(desktop.target().waitForText(text), text);

    // Saved before anything is typed, so it is there by now.
    History history = readHistory(desktop.defaultsFile());
    EXPECT_EQ(history.recents, std::vector<std::string>{"fire"});
    ASSERT_TRUE(history.usage.contains(fire)) << history.usage.dump();
    EXPECT_EQ(history.usage[fire].value("count", 0), 1);
    // In seconds since 2001.
    EXPECT_NEAR(history.usage[fire].value("lastUsedAt", 0.0), std::time(nullptr) - 978307200.0,
                300.0);

    // Learned: the empty query now ranks it first. (Return right after the prefix would end
    // the line: the first result is taken with Ctrl+1.)
    ASSERT_TRUE(desktop.trigger(10s));
    ASSERT_TRUE(desktop.key("ctrl+1"));
    text += fire;
    EXPECT_EQ(desktop.target().waitForText(text), text);
    history = readHistory(desktop.defaultsFile());
    EXPECT_EQ(history.usage[fire].value("count", 0), 2);

    // Two steps down is the third of the ranking as learned so far.
    const std::vector<std::string> learned = rankedResults("", history);
    ASSERT_GE(learned.size(), 3u);
    ASSERT_TRUE(desktop.trigger(10s));
    ASSERT_TRUE(desktop.key("Down"));
    ASSERT_TRUE(desktop.key("Down"));
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_TRUE(desktop.waitForPopupHidden());
    text += learned[2];
    expectTargetSettlesAt(text);
    text += ".";

    // BackSpace on an empty query closes the popup and leaves the prefix; nothing is learned.
    history = readHistory(desktop.defaultsFile());
    ASSERT_TRUE(desktop.trigger(10s));
    ASSERT_TRUE(desktop.key("BackSpace"));
    EXPECT_TRUE(desktop.waitForPopupHidden());
    expectTargetSettlesAt(text + ";");
    EXPECT_TRUE(readHistory(desktop.defaultsFile()) == history)
        << "a cancelled popup recorded a use";

    // The same entry as a password field, then a Qt QLineEdit in password mode, both found
    // over the accessibility bus.
    ASSERT_TRUE(desktop.target().setText(""));
    ASSERT_TRUE(desktop.target().makeSecret());
    ASSERT_TRUE(desktop.type(";fire"));
    EXPECT_FALSE(popupOpens(desktop));
    EXPECT_EQ(desktop.target().waitForText(";fire"), ";fire");
    // A Qt application reports its accessible tree when told to at start.
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    TextFieldProcess field;
    unsetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    ASSERT_TRUE(field.ready());
    ASSERT_TRUE(field.makePassword());
    ASSERT_TRUE(secretOverAccessibilityBus(field.application().pid));
    ASSERT_TRUE(desktop.type(";fire"));
    EXPECT_FALSE(popupOpens(desktop));
    EXPECT_EQ(field.text(), ";fire");
    EXPECT_TRUE(readHistory(desktop.defaultsFile()) == history)
        << "a password field recorded a use";

    // Every keystroke passes through Tiklo; none of it may reach its output.
    EXPECT_EQ(desktop.tikloOutput().find("fire"), std::string::npos);
}

} // namespace
} // namespace tiklo::test
