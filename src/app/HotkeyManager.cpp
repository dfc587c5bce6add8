// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HotkeyManager.h"

#include "platform/Log.h"

#include <QMetaObject>

namespace tiklo {

HotkeyManager::HotkeyManager(HotkeyService& service, QObject* parent)
    : QObject(parent), service_(service) {
    service_.setPressHandler([this](std::uint32_t id) { pressed(id); });
}

std::uint32_t HotkeyManager::registerHotkey(const Hotkey& hotkey, Action action) {
    const std::uint32_t id = nextID_++;
    const Result result = service_.registerHotkey(hotkey.key, id);
    if (!result) {
        qCWarning(hotkeyLog).noquote().nospace()
            << "Tiklo: failed to register hotkey " << QString::fromStdString(hotkey.display())
            << " (status " << result.status() << ")";
        return id;
    }
    registered_.insert(id);
    handlers_[id] = std::move(action);
    return id;
}

void HotkeyManager::unregister(std::uint32_t id) {
    if (registered_.erase(id) != 0) {
        service_.unregisterHotkey(id);
    }
    handlers_.erase(id);
}

void HotkeyManager::pressed(std::uint32_t id) {
    // The press arrives inside the system's event dispatch; act on a later turn.
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            if (auto found = handlers_.find(id); found != handlers_.end() && found->second) {
                found->second();
            }
        },
        Qt::QueuedConnection);
}

} // namespace tiklo
