#pragma once

#include "platform/Key.h"

#include <string>

namespace tiklo {

// Keys and key combinations as people read them on the Linux desktop: "Ctrl+Alt+E",
// "Ctrl+Shift+Space", "Ctrl+1". Every view names keys through this.
class KeyNames {
public:
    // Letters (either case), digits, Space, Return and Esc have names; every other key is "?".
    static std::string keyName(KeySym sym);
    // The modifiers held, always in the order Ctrl, Alt, Shift, Super and each followed by
    // "+", then the key's name.
    static std::string format(const Key& key);
};

} // namespace tiklo
