#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tiklo {

// Event modifier flag bits, as the rest of the program reads them.
namespace modifierFlags {
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
} // namespace modifierFlags

// One key press as the keyboard monitor reports it.
struct KeyDown {
    std::uint16_t keyCode = 0; // virtual key code (US-ANSI position)
    std::uint64_t flags = 0;   // modifierFlags bits
    // The characters the press types with Shift applied but Control, Option and Command
    // ignored, as UTF-8; nothing for dead keys and presses that type nothing.
    std::optional<std::string> charactersIgnoringModifiers;
    // Posted by Tiklo's own injector.
    bool synthetic = false;
};

} // namespace tiklo
