#include "ui/TikloApplication.h"

#include "app/HotkeyRegistration.h"
#include "input/EventTap.h"

namespace tiklo {

TikloApplication::TikloApplication(HotkeyRegistration& hotkey, EventTap& tap)
    : hotkey_(hotkey), tap_(tap) {}

void TikloApplication::start() {
    hotkey_.registerHotkey();
    tap_.start();
}

void TikloApplication::terminate() {
    hotkey_.unregisterHotkey();
    tap_.stop();
}

} // namespace tiklo
