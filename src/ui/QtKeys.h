// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <cstdint>

#include <Qt>

namespace tiklo {

// Qt's names of keys and modifiers as Tiklo's: the one translation for the picker's keys and
// the shortcut recorder's.
class QtKeys {
public:
    // Ctrl, Alt, Shift and Super (Qt's Meta).
    static Modifiers modifiersOf(Qt::KeyboardModifiers held);
    // The keysym of Qt's `key`: Qt names letters by their upper case, keysyms by the key's
    // lower case. `nativeKeysym` is the window system's own name for the key (0 when unknown),
    // for keys Qt has no name of its own for. keysym::none for a key Tiklo has no use for.
    static KeySym keysymOf(int key, std::uint32_t nativeKeysym = 0);
};

} // namespace tiklo
