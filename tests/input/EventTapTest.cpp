// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/EventTap.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

class EventTapTest : public ::testing::Test, protected test::FakeAppEnvironment {};

// Without the permission, or refused, the tap retries every two seconds until it is in; the
// watchdog takes it out when the permission is withdrawn, and the retries begin again.
TEST_F(EventTapTest, RetriesUntilInstalledTheWatchdogNoticesAWithdrawnPermissionAndKeysPass) {
    test::FakeKeyboardMonitor monitor;
    test::ManualTimerFactory timers;
    std::vector<std::string> seen;
    EventTap tap{monitor, trust, timers, state,
                 [&](const KeyDown& key) { seen.push_back(*key.charactersIgnoringModifiers); }};
    trust.trusted = true;
    state.setAccessibilityGranted(true);
    trust.trusted = false;
    tap.start();
    EXPECT_FALSE(state.accessibilityGranted());
    EXPECT_EQ(monitor.installs, 0);

    // Granted, but the installation is refused: the flag follows the permission alone.
    trust.trusted = true;
    monitor.refuse = true;
    timers.tick(EventTap::retryInterval);
    EXPECT_FALSE(tap.isInstalled());
    EXPECT_TRUE(state.accessibilityGranted());
    monitor.refuse = false;
    timers.tick(EventTap::retryInterval);
    EXPECT_TRUE(tap.isInstalled());

    trust.trusted = false;
    timers.tick(EventTap::watchdogInterval);
    EXPECT_FALSE(tap.isInstalled());
    EXPECT_EQ(monitor.removals, 1);
    EXPECT_FALSE(state.accessibilityGranted());
    trust.trusted = true;
    timers.tick(EventTap::retryInterval);
    EXPECT_TRUE(tap.isInstalled());

    // The user's keys pass on, the injector's own do not, and stopping silences everything.
    monitor.press({{';'}, ";"});
    monitor.press({{';'}, ";", true});
    monitor.press({{keysym::letter('a')}, "a"});
    EXPECT_EQ(seen, (std::vector<std::string>{";", "a"}));

    tap.stop();
    monitor.press({{';'}, ";"});
    EXPECT_EQ(seen.size(), 2u);
    tap.start();
    monitor.press({{';'}, ";"});
    EXPECT_EQ(seen.size(), 3u);
}

} // namespace
} // namespace tiklo
