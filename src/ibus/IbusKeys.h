// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <string>

namespace tiklo {

// IBus's keys in Tiklo's terms, translated here once.
struct IbusKeys {
    // `keyval` (an X keysym) with the modifiers of `state`, either of IBus's Super bits
    // counting as Super, and its place on the digit row by its evdev `keycode`.
    static Key toKey(unsigned keyval, unsigned keycode, unsigned state);
    // What the key types, as UTF-8; empty for a key that types nothing or a control character.
    static std::string text(unsigned keyval);
};

} // namespace tiklo
