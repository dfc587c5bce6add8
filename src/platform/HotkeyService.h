#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <functional>

namespace tiklo {

// The system's global hot keys. Key codes are virtual key codes (US-ANSI positions) and
// modifiers the Carbon mask (0x100 Command, 0x200 Shift, 0x800 Option, 0x1000 Control).
class HotkeyService {
public:
    using PressHandler = std::function<void(std::uint32_t id)>;

    virtual ~HotkeyService() = default;

    // Claims the combination for `id`. A refusal carries the system's status (never 0).
    virtual Result registerHotkey(std::uint32_t keyCode, std::uint32_t modifiers,
                                  std::uint32_t id) = 0;
    // Releases the claim of `id`; unknown ids are ignored.
    virtual void unregisterHotkey(std::uint32_t id) = 0;
    // Called on the main thread, inside the system's event dispatch, for each press.
    virtual void setPressHandler(PressHandler handler) = 0;
};

} // namespace tiklo
