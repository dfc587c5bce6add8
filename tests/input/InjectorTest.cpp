// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Injector.h"
#include "support/FakeInput.h"

#include <algorithm>
#include <future>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Log = std::vector<std::string>;

class InjectorTest : public ::testing::Test {
protected:
    Log run(int backspaces, const std::string& text, std::optional<RunningApplication> app) {
        injector.replace(backspaces, text, std::move(app));
        injector.waitUntilIdle();
        return recorder.events();
    }

    test::InjectionRecorder recorder;
    Injector injector{recorder, recorder, recorder, recorder, recorder};
};

// Delete is BackSpace, the key that deletes the character before the caret.
const std::string backSpace = "key " + std::to_string(keysym::backSpace);

// The user's keys are held from the call until the text is typed, then follow it; the target is
// typed into once it has the keyboard (at most 1 s for the focus, 180 ms more for the application
// to tell) and the user let go of shortcuts. Without a target nothing is activated and the pause
// stands in for the wait; a count below one deletes nothing. (Forwarded keys and a reactivation
// hold the keys the same way; the desktop tests type through both.)
TEST_F(InjectorTest, ReplaceActivatesAwaitsTheTargetDeletesAndTypesWithTheKeysHeld) {
    EXPECT_EQ(run(1, "\U0001F525 ", RunningApplication{"gedit", 1, 2}),
              (Log{"hold", "main thread", "activate gedit", "await focus gedit 1000 180",
                   "release modifiers 1000", backSpace + " down", backSpace + " up", "sleep 2000",
                   "sleep 3000", "text 3 down", "text 3 up", "sleep 1500", "main thread",
                   "take pending", "release to focus", "finish typing"}));
    EXPECT_EQ(recorder.typed, u"\U0001F525 ");

    // A poster that keeps its keys in order is not kept waiting.
    recorder.log.clear();
    recorder.ordered = true;
    EXPECT_EQ(
        run(2, "ab", std::nullopt),
        (Log{"hold", "sleep 180000", "release modifiers 1000", backSpace + " down",
             backSpace + " up", backSpace + " down", backSpace + " up", "text 2 down", "text 2 up",
             "main thread", "take pending", "release to focus", "finish typing"}));
    recorder.ordered = false;

    recorder.log.clear();
    EXPECT_EQ(
        run(-3, "a", std::nullopt),
        (Log{"hold", "sleep 180000", "release modifiers 1000", "text 1 down", "text 1 up",
             "sleep 1500", "main thread", "take pending", "release to focus", "finish typing"}));
}

TEST_F(InjectorTest, TextIsChunkedInTwentyCodeUnitsWithLineBreaksAsReturn) {
    EXPECT_EQ(Injector::typedUnits("a\r\nb\nc\rd"), u"a\rb\rc\rd");
    // "x" and twenty-two fires: 45 code units in chunks of 20, 20 and 5, the first two ending
    // between a high and a low surrogate.
    std::string text = std::string(1, 'x');
    for (int i = 0; i < 22; ++i) {
        text += "\U0001F525";
    }
    const Log log = run(0, text, std::nullopt);
    EXPECT_EQ(std::count(log.begin(), log.end(), "text 20 down"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "text 5 down"), 1);
    EXPECT_EQ(recorder.typed, Injector::typedUnits(text));
}

TEST_F(InjectorTest, CallsReturnAtOnceAndRunInOrder) {
    // Hold the worker inside the first activation until both calls have returned.
    struct Gate : ApplicationActivator {
        std::promise<void> release;
        std::shared_future<void> open = release.get_future().share();
        test::InjectionRecorder* recorder = nullptr;
        void activate(const RunningApplication& app) override {
            open.wait();
            recorder->activate(app);
        }
    } gate;
    gate.recorder = &recorder;
    Injector gated(recorder, gate, recorder, recorder, recorder);
    gated.replace(1, "a", RunningApplication{"first", 1, 1});
    gated.reactivate(RunningApplication{"second", 2, 2});
    gated.replace(0, "b", RunningApplication{"third", 3, 3});
    gate.release.set_value();
    gated.waitUntilIdle();
    const Log log = recorder.events();
    Log activations;
    std::ranges::copy_if(log, std::back_inserter(activations), [](const std::string& entry) {
        return entry.starts_with("activate") ||
               (entry.starts_with("text") && entry.ends_with("down"));
    });
    EXPECT_EQ(activations, (Log{"activate first", "text 1 down", "activate second",
                                "activate third", "text 1 down"}));
    EXPECT_EQ(recorder.typed, u"ab");
    // One hold per call; the keys are let go once, after the last one.
    EXPECT_EQ(std::count(log.begin(), log.end(), "hold"), 3);
    EXPECT_EQ(std::count(log.begin(), log.end(), "release to focus"), 1);
    EXPECT_EQ(log.back(), "finish typing");
}

} // namespace
} // namespace tiklo
