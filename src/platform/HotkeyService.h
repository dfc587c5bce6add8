// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"
#include "core/Result.h"

#include <cstdint>
#include <functional>

namespace tiklo {

// The system's global hot keys.
class HotkeyService {
public:
    using PressHandler = std::function<void(std::uint32_t id)>;

    virtual ~HotkeyService() = default;

    // Claims the key with its modifiers for `id`. A refusal carries the system's status
    // (never 0).
    virtual Result registerHotkey(const Key& key, std::uint32_t id) = 0;
    // Releases the claim of `id`; unknown ids are ignored.
    virtual void unregisterHotkey(std::uint32_t id) = 0;
    // Called on the main thread, inside the system's event dispatch, for each press.
    virtual void setPressHandler(PressHandler handler) = 0;
};

} // namespace tiklo
