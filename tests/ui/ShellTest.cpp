// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HotkeyRegistration.h"
#include "input/EventTap.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/BackgroundPreparation.h"
#include "ui/TikloApplication.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <mutex>

namespace tiklo {
namespace {

class ShellTest : public ::testing::Test, protected test::FakeAppEnvironment {};

TEST_F(ShellTest, StartRunsItsStepsInOrderAndTerminateUndoesHotkeyAndTap) {
    test::FakeKeyboardMonitor monitor;
    test::ManualTimerFactory timers;
    trust.trusted = true;
    EventTap tap(monitor, trust, timers, state, [](const KeyDown&) {});
    HotkeyRegistration hotkey(state, hotkeys);
    std::vector<std::string> steps;
    TikloApplication app(hotkey, tap,
                         {[&] {
                              // The hotkey and the key observation come first.
                              EXPECT_TRUE(hotkey.hotkeyID());
                              EXPECT_TRUE(tap.isInstalled());
                              steps.push_back("updater");
                          },
                          [&] {
                              steps.push_back("onboarding?");
                              return false;
                          },
                          [&] { steps.push_back("welcome"); }});
    app.start();
    EXPECT_EQ(steps, (std::vector<std::string>{"updater", "onboarding?", "welcome"}));

    app.terminate();
    EXPECT_FALSE(hotkey.hotkeyID());
    EXPECT_TRUE(hotkeyService.grabbed.empty());
    EXPECT_FALSE(tap.isInstalled());
}

// The main thread's part waits for the start delay, then for a pause in the typing.
TEST(BackgroundPreparationTest, TheMainThreadPartWaitsForTheStartDelayAndAPauseInTheTyping) {
    using BP = BackgroundPreparation;
    std::mutex mutex;
    std::vector<std::string> order;
    std::thread::id offThread;
    int done = 0;
    const auto record = [&](const std::string& step) {
        std::lock_guard lock(mutex);
        order.push_back(step);
    };
    BP preparation(
        [&] {
            offThread = std::this_thread::get_id();
            record("off");
        },
        [&] { record("main"); }, [&] { ++done; }, nullptr, BP::quietTime * 3);
    preparation.start();
    const auto serve = [](std::chrono::milliseconds time) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < time.count()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    };
    // Quiet, but within the start delay.
    serve(BP::quietTime * 2);
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(order, std::vector<std::string>{"off"});
    }
    // Typing goes on past it for several quiet times: each key puts the part off.
    for (int key = 0; key < 12; ++key) {
        preparation.keyPressed();
        serve(BP::quietTime / 4);
    }
    EXPECT_EQ(order, std::vector<std::string>{"off"});
    EXPECT_EQ(done, 0);
    serve(BP::quietTime * 3);
    EXPECT_EQ(order, (std::vector<std::string>{"off", "main"}));
    EXPECT_NE(offThread, std::this_thread::get_id());
    EXPECT_EQ(done, 1);
    // Once only.
    preparation.keyPressed();
    serve(BP::quietTime * 2);
    EXPECT_EQ(done, 1);
}

} // namespace
} // namespace tiklo
