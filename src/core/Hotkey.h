// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <string>

namespace tiklo {

// The global shortcut that opens the full picker. Ctrl+Alt+E unless the user chose another.
struct Hotkey {
    static constexpr Key defaultKey{keysym::letter('e'), Modifier::ctrl | Modifier::alt};

    Key key = defaultKey;

    // As people read it: "Ctrl+Alt+E".
    std::string display() const;

    // Whether `typed` (a key as an input method reports it, with every modifier held) is this
    // shortcut. A digit is the digit row's key, whatever the layout or Shift types there
    // (Ctrl+Shift+1 types "!", AZERTY's 1 "&"); a letter is either case.
    bool isTypedAs(const Key& typed) const;

    bool operator==(const Hotkey&) const = default;
};

} // namespace tiklo
