#pragma once

#include "platform/Key.h"

#include <string>

namespace tiklo {

// The global shortcut that opens the full picker. Ctrl+Alt+E unless the user chose another.
struct Hotkey {
    static constexpr Key defaultKey{keysym::letter('e'), Modifier::ctrl | Modifier::alt};

    Key key = defaultKey;

    // As people read it: "Ctrl+Alt+E".
    std::string display() const;

    bool operator==(const Hotkey&) const = default;
};

} // namespace tiklo
