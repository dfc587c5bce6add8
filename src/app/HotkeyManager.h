// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Hotkey.h"
#include "platform/HotkeyService.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include <QObject>

namespace tiklo {

// Registers global shortcuts and runs their actions. Ids start at 1 and are never reused
// during a run. Main thread only.
class HotkeyManager : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void()>;

    explicit HotkeyManager(HotkeyService& service, QObject* parent = nullptr);

    // Always answers a fresh id; a shortcut the system refuses is logged and holds nothing.
    std::uint32_t registerHotkey(const Hotkey& hotkey, Action action);
    // Releases the registration with that id, if any.
    void unregister(std::uint32_t id);

    bool isRegistered(std::uint32_t id) const { return registered_.contains(id); }

private:
    void pressed(std::uint32_t id);

    HotkeyService& service_;
    std::unordered_map<std::uint32_t, Action> handlers_;
    std::unordered_set<std::uint32_t> registered_;
    std::uint32_t nextID_ = 1;
};

} // namespace tiklo
