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
