// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <cstdint>

namespace tiklo {

// Tiklo's modifiers as X core modifier masks and back: Ctrl is Control, Alt is Mod1, Super is
// Mod4, Shift is Shift.
class X11Modifiers {
public:
    static std::uint16_t mask(Modifiers modifiers);
    // Caps Lock, Mod2, Mod3, Mod5 and the button bits are no modifiers of Tiklo's.
    static Modifiers from(std::uint16_t mask);
};

} // namespace tiklo
