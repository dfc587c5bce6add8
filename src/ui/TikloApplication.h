// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tiklo {

class EventTap;
class HotkeyRegistration;

// Start-up and termination of the running program.
class TikloApplication {
public:
    // The steps after the hotkey and the key observation.
    struct LaterSteps {
        std::function<void()> startUpdater;
        std::function<bool()> onboardingComplete;
        std::function<void()> showWelcome;
    };

    TikloApplication(HotkeyRegistration& hotkey, EventTap& tap, LaterSteps later = {});

    // Registers the global hotkey, then starts observing keys (which retries by itself
    // while the permission is missing), starts the updater, and opens the welcome window
    // until onboarding is complete.
    void start();
    // Releases the hotkey and stops observing. Nothing is saved: every setting already was.
    void terminate();

private:
    HotkeyRegistration& hotkey_;
    EventTap& tap_;
    LaterSteps later_;
};

} // namespace tiklo
