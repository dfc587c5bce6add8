#include "TikloApplication.h"

#include "AppState.h"
#include "EventTap.h"

namespace tiklo {

TikloApplication::TikloApplication(AppState& state, EventTap& tap,
                                   std::function<void()> showFullPicker, LaterSteps later)
    : state_(state), tap_(tap), showFullPicker_(std::move(showFullPicker)),
      later_(std::move(later)) {}

void TikloApplication::start() {
    state_.setHotkeyAction(showFullPicker_);
    state_.registerHotkey();
    tap_.start();
    if (later_.startUpdater) {
        later_.startUpdater();
    }
    if (later_.onboardingComplete && later_.showWelcome && !later_.onboardingComplete()) {
        later_.showWelcome();
    }
}

void TikloApplication::terminate() {
    state_.unregisterHotkey();
    tap_.stop();
}

} // namespace tiklo
