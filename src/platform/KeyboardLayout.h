// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <cstdint>
#include <optional>

namespace tiklo {

// Where keys sit on the keyboard, whatever the layout prints on them.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // 1 to 9 for the keys of the digit row that type "1" to "9" on a US keyboard, the keys
    // Ctrl+digit means on any layout (French AZERTY types "&", "é"... there); nothing for
    // other keys. `scanCode` is the key's hardware code as key events report it.
    virtual std::optional<int> digitRowNumber(std::uint32_t scanCode) const = 0;
    // The key's keysym on the first level of the first layout that has one, as the keyboard
    // monitor names keys (what Shift or the layout in use make it type does not matter);
    // keysym::none when the key is unknown or the layout cannot tell.
    virtual KeySym keySymAt(std::uint32_t /*scanCode*/) const { return keysym::none; }
};

} // namespace tiklo
