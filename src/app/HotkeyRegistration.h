// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppState.h"
#include "app/HotkeyManager.h"

#include <cstdint>
#include <optional>

#include <QObject>

namespace tiklo {

// Keeps the store's hotkey registered: at start-up, again after every change of it, and
// released at termination. Main thread only.
class HotkeyRegistration : public QObject {
    Q_OBJECT
public:
    HotkeyRegistration(AppState& state, HotkeyManager& hotkeys, QObject* parent = nullptr);

    // Registers the hotkey (again) and keeps its id, even when the system refused it:
    // unregistering it later is harmless.
    void registerHotkey();
    void unregisterHotkey();
    // Makes `hotkey` the store's and registers it. When the system refuses it (another
    // program holds it), the previous hotkey is put back and registered again, so what is
    // stored and shown is what works; false then.
    bool change(const Hotkey& hotkey);
    std::optional<std::uint32_t> hotkeyID() const { return hotkeyID_; }

signals:
    // The hotkey was pressed, on a later turn of the main thread.
    void pressed();

private:
    AppState& state_;
    HotkeyManager& hotkeys_;
    std::optional<std::uint32_t> hotkeyID_;
};

} // namespace tiklo
