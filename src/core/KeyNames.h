// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <string>

namespace tiklo {

// Keys and key combinations as people read them on the Linux desktop: "Ctrl+Alt+E",
// "Ctrl+Shift+Space", "Ctrl+1", "Ctrl+F5", "Super+Left", "Ctrl+;". Every view names keys through
// this.
class KeyNames {
public:
    // Every key a shortcut can be stored with has a name ("E", "F5", "Left", ";", "Num+5"),
    // upper-case letters too; every other key is "?".
    static std::string keyName(KeySym sym);
    // The modifiers held, always in the order Ctrl, Alt, Shift, Super and each followed by
    // "+", then the key's name.
    static std::string format(const Key& key);
};

} // namespace tiklo
