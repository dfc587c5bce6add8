// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tiklo {

// A key pressed or let go, as the window system reported it: enough to type it again exactly
// as it was typed, modifiers and all.
struct KeyStroke {
    std::uint32_t scanCode = 0;
    std::uint32_t nativeModifiers = 0;
    bool press = true;

    bool operator==(const KeyStroke&) const = default;
};

} // namespace tiklo
