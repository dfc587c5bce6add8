// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tiklo {

// One key press as the keyboard monitor reports it.
struct KeyDown {
    // The key by its keysym on the first level of the keyboard's first layout (the same
    // whatever Shift, Num Lock or the layout in use make it type), with the modifiers held.
    Key key;
    // The characters the press types with Shift applied but Ctrl, Alt and Super ignored, as
    // UTF-8; nothing for dead keys and presses that type nothing.
    std::optional<std::string> charactersIgnoringModifiers;
    // Posted by Tiklo's own injector.
    bool synthetic = false;
    // The key's place and the moment of the press as the window system reports them, which
    // together tell this press from every other.
    std::uint32_t scanCode = 0;
    std::uint32_t time = 0;
};

} // namespace tiklo
