// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Hotkey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tiklo {

// The hotkey's stored form, which the settings file has kept since its first version: a JSON
// object with the macOS virtual key code of the key (its US-ANSI position) and the Carbon
// mask of the modifiers, {"keyCode":14,"modifiers":6144} for Ctrl+Alt+E. This is the one
// place those numbers are known.
class HotkeyCodec {
public:
    // Carbon modifier bits: Command is Super, Option is Alt. Other bits mean nothing here.
    static constexpr std::uint32_t commandBit = 0x100;
    static constexpr std::uint32_t shiftBit = 0x200;
    static constexpr std::uint32_t optionBit = 0x800;
    static constexpr std::uint32_t controlBit = 0x1000;

    // Compact JSON; nothing for a key that has no macOS key code.
    static std::optional<std::string> encode(const Hotkey& hotkey);
    // Both members are required and must be unsigned 32-bit integers. A key code with no key
    // here reads as a key without symbol (which no system grants), modifier bits other than
    // the four as nothing.
    static std::optional<Hotkey> decode(std::string_view json);

    // The table itself: the keysym of a macOS key code, and back.
    static std::optional<KeySym> keysymOf(std::uint32_t keyCode);
    static std::optional<std::uint32_t> keyCodeOf(KeySym sym);
};

} // namespace tiklo
