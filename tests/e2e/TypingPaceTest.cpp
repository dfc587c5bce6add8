// SPDX-License-Identifier: GPL-3.0-or-later
// The semicolon road as people type it: in one go, at xdotool's own pace (12 ms a key) and
// at 30 ms a key, the first popup after start as well as warm ones, with shortcuts still
// held, and typing on right after the choice.
#include "e2e/TikloDesktop.h"

#include <csignal>
#include <thread>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";
constexpr auto xdotoolPace = 12ms;
constexpr auto slowerPace = 30ms;
// Warm rounds per pace: each must come out exact.
constexpr int warmRounds = 5;
// Well under the hold's time limit: a key that arrives within this was not waiting for it.
constexpr auto atOnce = 600ms;

// One desktop for the whole road, in the order a user might meet it.
TEST(TypingPaceTest, TheSemicolonRoadAtEveryPaceWithHeldKeysAndEveryWayOut) {
    // Tiklo listening, its first popup still to come, and an empty entry in front.
    TikloDesktop desktop({.initialText = ""});
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    // Empties the entry and waits until it is in front again.
    const auto resetTarget = [&] {
        ASSERT_TRUE(desktop.waitForPopupHidden());
        ASSERT_TRUE(desktop.waitForTargetActive());
        ASSERT_TRUE(desktop.target().setText(""));
        ASSERT_EQ(desktop.target().waitForText(""), "");
    };
    const auto settledText = [&](const std::string& expected) {
        return desktop.target().waitForText(expected, 5s);
    };
    // The keys of `text`, then `then`, in one go.
    const auto typeThen = [&](const std::string& text, std::vector<std::string> then,
                              std::chrono::milliseconds pace = xdotoolPace) {
        std::vector<std::string> keys = TikloDesktop::keysFor(text);
        keys.insert(keys.end(), then.begin(), then.end());
        return desktop.keySequence(keys, pace);
    };
    {
        SCOPED_TRACE("the first popup after start");
        ASSERT_TRUE(typeThen(";fire", {"Return"}));
        EXPECT_EQ(settledText(fire), fire);
    }
    for (const auto pace : {xdotoolPace, slowerPace}) {
        for (int round = 1; round <= warmRounds; ++round) {
            SCOPED_TRACE(std::to_string(pace.count()) + " ms a key, round " +
                         std::to_string(round));
            resetTarget();
            ASSERT_TRUE(typeThen(";fire", {"Return"}, pace));
            EXPECT_EQ(settledText(fire), fire);
        }
    }

    // Keys typed on right after the choice land after the emoji, in order.
    const std::vector<std::string> isHot = TikloDesktop::keysFor(" is hot");
    for (const auto pace : {xdotoolPace, slowerPace, 100ms}) {
        for (const std::string choice : {"Return", "ctrl+1"}) {
            SCOPED_TRACE(choice + " then keys at " + std::to_string(pace.count()) + " ms a key");
            resetTarget();
            std::vector<std::string> then{choice};
            then.insert(then.end(), isHot.begin(), isHot.end());
            ASSERT_TRUE(typeThen(";fire", then, pace));
            EXPECT_EQ(settledText(fire + " is hot"), fire + " is hot");
        }
    }
    // A second search typed on right after the choice opens its own popup; a ";" typed on as
    // punctuation stays punctuation.
    for (const auto pace : {xdotoolPace, slowerPace}) {
        SCOPED_TRACE("a second search at " + std::to_string(pace.count()) + " ms a key");
        resetTarget();
        ASSERT_TRUE(typeThen(";fire", {"Return", "semicolon", "f", "i", "r", "e", "Return"}, pace));
        EXPECT_EQ(settledText(fire + fire), fire + fire);
        resetTarget();
        ASSERT_TRUE(typeThen(";fire", {"Return", "semicolon", "space", "x"}, pace));
        EXPECT_EQ(settledText(fire + "; x"), fire + "; x");
    }
    // A BackSpace right after the choice takes the emoji back: the entry is as before ";".
    resetTarget();
    ASSERT_TRUE(desktop.target().setText("note "));
    ASSERT_TRUE(typeThen(";fire", {"Return", "BackSpace", "x"}));
    EXPECT_EQ(settledText("note x"), "note x") << "the emoji came after the BackSpace";

    // A target busy, or stopped in a debugger, as the choice is made and typed on gets its
    // emoji and the keys after it when it runs again.
    const pid_t target = desktop.target().pid();
    for (const auto stopped : {500ms, 1500ms, 3000ms}) {
        SCOPED_TRACE("stopped for " + std::to_string(stopped.count()) + " ms");
        resetTarget();
        ASSERT_TRUE(desktop.type(";fire"));
        ASSERT_TRUE(desktop.waitForActivePopup());
        ASSERT_EQ(::kill(target, SIGSTOP), 0);
        ASSERT_TRUE(typeThen("", {"Return", "space", "x"}));
        std::this_thread::sleep_for(stopped);
        ASSERT_EQ(::kill(target, SIGCONT), 0);
        // Never the Delete without the emoji: the emoji and the keys after it arrive, in
        // order; the ";" goes with them, or stays when the application missed the Delete
        // while it was stopped (it lets the focus pass to a child window of its own only
        // once it runs again).
        const std::string text = settledText(fire + " x");
        EXPECT_TRUE(text == fire + " x" || text == ";" + fire + " x") << text;
    }

    // A shortcut held through the choice touches neither the emoji nor later keys.
    for (const std::string modifier : {"ctrl", "super"}) {
        SCOPED_TRACE(modifier + " held");
        resetTarget();
        ASSERT_TRUE(desktop.type(";fire"));
        ASSERT_TRUE(desktop.waitForActivePopup());
        ASSERT_TRUE(TikloDesktop::xdotool({"keydown", modifier}).succeeded());
        ASSERT_TRUE(desktop.key("1"));
        std::this_thread::sleep_for(600ms);
        ASSERT_TRUE(TikloDesktop::xdotool({"keyup", modifier}).succeeded());
        EXPECT_EQ(settledText(fire), fire);
        // No modifier stayed down: a letter types a letter.
        ASSERT_TRUE(desktop.type("a"));
        EXPECT_EQ(settledText(fire + "a"), fire + "a");
    }

    // A second ";" ends the search as punctuation: the query and the ";" go to the target,
    // and no second popup opens for it.
    resetTarget();
    ASSERT_TRUE(desktop.trigger(10s));
    ASSERT_TRUE(desktop.type("fi;"));
    EXPECT_EQ(settledText(";fi;"), ";fi;");
    EXPECT_TRUE(desktop.waitForPopupHidden());
    ASSERT_TRUE(desktop.waitForTargetActive());
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(desktop.visiblePopups().empty());

    // Keys reach the target at once after every way out.
    std::string expected = ";fi;";
    const auto typeAtOnce = [&](const std::string& text) {
        ASSERT_TRUE(desktop.type(text));
        expected += text;
        EXPECT_EQ(desktop.target().waitForText(expected, atOnce), expected);
    };
    typeAtOnce("x");
    const std::optional<ScreenRect> entry = desktop.target().entryFrame();
    ASSERT_TRUE(entry);
    // Escape keeps what was typed: after a pause on ";" alone, and after a query at either pace.
    {
        SCOPED_TRACE("Escape");
        ASSERT_TRUE(desktop.type(";"));
        ASSERT_TRUE(desktop.waitForActivePopup());
        expected += ";";
        ASSERT_TRUE(desktop.key("Escape"));
        typeAtOnce("x");
        for (const auto pace : {xdotoolPace, 60ms}) {
            ASSERT_TRUE(typeThen(";fir", {"Escape"}, pace));
            expected += ";fir";
            EXPECT_EQ(settledText(expected), expected) << pace.count() << " ms a key";
            EXPECT_TRUE(desktop.waitForPopupHidden());
            typeAtOnce("x");
        }
    }
    {
        SCOPED_TRACE("a click into the target");
        ASSERT_TRUE(desktop.type(";"));
        ASSERT_TRUE(desktop.waitForActivePopup());
        expected += ";";
        ASSERT_TRUE(desktop.click(entry->right() - 10, entry->y + entry->height / 2));
        ASSERT_TRUE(desktop.waitForPopupHidden());
        typeAtOnce("y");
    }
    {
        SCOPED_TRACE("an insertion");
        ASSERT_TRUE(typeThen(";fire", {"Return"}));
        expected += fire;
        EXPECT_EQ(settledText(expected), expected);
        typeAtOnce("z");
    }
}

} // namespace
} // namespace tiklo::test
