#include "input/EventTap.h"
#include "app/AppState.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

class EventTapTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    test::FakeKeyboardMonitor monitor;
    test::ManualTimerFactory timers;
    std::vector<std::string> seen;
    EventTap tap{monitor, trust, timers, state,
                 [this](const KeyDown& key) { seen.push_back(*key.charactersIgnoringModifiers); }};
};

TEST_F(EventTapTest, WithoutPermissionItRetriesOnceEveryTwoSecondsUntilGranted) {
    trust.trusted = true;
    state.setAccessibilityGranted(true);
    trust.trusted = false;
    tap.start();
    tap.start();
    EXPECT_FALSE(state.accessibilityGranted());
    EXPECT_EQ(timers.running(EventTap::retryInterval), 1);
    EXPECT_EQ(monitor.installs, 0);

    timers.tick(EventTap::retryInterval);
    EXPECT_FALSE(tap.isInstalled());

    trust.trusted = true;
    timers.tick(EventTap::retryInterval);
    EXPECT_TRUE(tap.isInstalled());
    EXPECT_TRUE(state.accessibilityGranted());
    EXPECT_EQ(timers.running(EventTap::retryInterval), 0);
    EXPECT_EQ(timers.running(EventTap::watchdogInterval), 1);

    // Starting again while installed changes nothing.
    tap.start();
    EXPECT_EQ(monitor.installs, 1);
    EXPECT_EQ(timers.running(EventTap::watchdogInterval), 1);
}

TEST_F(EventTapTest, RefusedInstallationRetriesWithoutTouchingThePermissionFlag) {
    trust.trusted = true;
    monitor.refuse = true;
    tap.start();
    EXPECT_FALSE(tap.isInstalled());
    EXPECT_FALSE(state.accessibilityGranted()); // as loaded, not set by the refusal
    EXPECT_EQ(timers.running(EventTap::retryInterval), 1);
    timers.tick(EventTap::retryInterval);
    EXPECT_TRUE(state.accessibilityGranted()); // the tick reports the permission
    EXPECT_EQ(timers.running(EventTap::retryInterval), 1);
    monitor.refuse = false;
    timers.tick(EventTap::retryInterval);
    EXPECT_TRUE(tap.isInstalled());
    EXPECT_EQ(timers.running(EventTap::retryInterval), 0);
}

TEST_F(EventTapTest, WatchdogNoticesAWithdrawnPermission) {
    trust.trusted = true;
    tap.start();
    timers.tick(EventTap::watchdogInterval);
    EXPECT_TRUE(tap.isInstalled());

    trust.trusted = false;
    timers.tick(EventTap::watchdogInterval);
    EXPECT_FALSE(tap.isInstalled());
    EXPECT_EQ(monitor.removals, 1);
    EXPECT_FALSE(state.accessibilityGranted());
    EXPECT_EQ(timers.running(EventTap::watchdogInterval), 0);
    EXPECT_EQ(timers.running(EventTap::retryInterval), 1);

    trust.trusted = true;
    timers.tick(EventTap::retryInterval);
    EXPECT_TRUE(tap.isInstalled());
    EXPECT_TRUE(state.accessibilityGranted());
}

TEST_F(EventTapTest, UserKeysPassOnInjectedKeysDoNotAndStopSilencesEverything) {
    trust.trusted = true;
    tap.start();
    monitor.press({{';'}, ";"});
    monitor.press({{';'}, ";", true});
    monitor.press({{keysym::letter('a')}, "a"});
    EXPECT_EQ(seen, (std::vector<std::string>{";", "a"}));

    tap.stop();
    EXPECT_EQ(timers.running(EventTap::watchdogInterval), 0);
    monitor.press({{';'}, ";"});
    EXPECT_EQ(seen.size(), 2u);
    tap.start();
    monitor.press({{';'}, ";"});
    EXPECT_EQ(seen.size(), 3u);
}

} // namespace
} // namespace tiklo
