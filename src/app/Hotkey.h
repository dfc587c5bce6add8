#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

// A global shortcut: a virtual key code (US-ANSI position) and a Carbon modifier mask.
struct Hotkey {
    static constexpr std::uint32_t commandKey = 0x100;
    static constexpr std::uint32_t shiftKey = 0x200;
    static constexpr std::uint32_t optionKey = 0x800;
    static constexpr std::uint32_t controlKey = 0x1000;
    static constexpr std::uint32_t keyCodeE = 14;

    std::uint32_t keyCode = keyCodeE;
    std::uint32_t modifiers = controlKey | optionKey;

    // Modifier symbols in the fixed order ⌃⌥⇧⌘, then the key's name, no separators.
    std::string display() const;
    // Letters, digits, Space, Return and Escape have names; every other code is "?".
    static std::string keyName(std::uint32_t keyCode);

    bool operator==(const Hotkey&) const = default;
};

void to_json(nlohmann::json& j, const Hotkey& hotkey);
// Both members are required and must be unsigned 32-bit integers.
void from_json(const nlohmann::json& j, Hotkey& hotkey);

} // namespace tiklo
