#include "ui/TikloApplication.h"

#include "app/AppState.h"
#include "input/EventTap.h"

namespace tiklo {

TikloApplication::TikloApplication(AppState& state, EventTap& tap,
                                   std::function<void()> showFullPicker)
    : state_(state), tap_(tap), showFullPicker_(std::move(showFullPicker)) {}

void TikloApplication::start() {
    state_.setHotkeyAction(showFullPicker_);
    state_.registerHotkey();
    tap_.start();
}

void TikloApplication::terminate() {
    state_.unregisterHotkey();
    tap_.stop();
}

} // namespace tiklo
