// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TikloApplication.h"

#include "app/HotkeyRegistration.h"
#include "input/EventTap.h"

namespace tiklo {

TikloApplication::TikloApplication(HotkeyRegistration& hotkey, EventTap& tap, LaterSteps later)
    : hotkey_(hotkey), tap_(tap), later_(std::move(later)) {}

void TikloApplication::start() {
    hotkey_.registerHotkey();
    tap_.start();
    if (later_.startUpdater) {
        later_.startUpdater();
    }
    if (later_.onboardingComplete && later_.showWelcome && !later_.onboardingComplete()) {
        later_.showWelcome();
    }
}

void TikloApplication::terminate() {
    hotkey_.unregisterHotkey();
    tap_.stop();
}

} // namespace tiklo
