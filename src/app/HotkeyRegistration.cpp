// SPDX-License-Identifier: GPL-3.0-or-later
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

bool HotkeyRegistration::change(const Hotkey& hotkey) {
    const Hotkey previous = state_.hotkey();
    // One write of the store, with whichever hotkey stays.
    const AppState::Batch batch(state_);
    state_.setHotkey(hotkey); // registers it
    if (hotkeyID_ && hotkeys_.isRegistered(*hotkeyID_)) {
        return true;
    }
    state_.setHotkey(previous);
    return false;
}

void HotkeyRegistration::unregisterHotkey() {
    if (hotkeyID_) {
        hotkeys_.unregister(*hotkeyID_);
        hotkeyID_.reset();
    }
}

} // namespace tiklo
