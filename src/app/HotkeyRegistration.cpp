#include "app/HotkeyRegistration.h"

namespace tiklo {

HotkeyRegistration::HotkeyRegistration(AppState& state, HotkeyManager& hotkeys, QObject* parent)
    : QObject(parent), state_(state), hotkeys_(hotkeys) {
    connect(&state_, &AppState::hotkeyChanged, this, &HotkeyRegistration::registerHotkey);
}

void HotkeyRegistration::registerHotkey() {
    if (hotkeyID_) {
        hotkeys_.unregister(*hotkeyID_);
    }
    hotkeyID_ = hotkeys_.registerHotkey(state_.hotkey(), [this] { emit pressed(); });
}

void HotkeyRegistration::unregisterHotkey() {
    if (hotkeyID_) {
        hotkeys_.unregister(*hotkeyID_);
        hotkeyID_.reset();
    }
}

} // namespace tiklo
