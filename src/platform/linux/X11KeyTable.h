#pragma once

#include <cstdint>
#include <optional>

namespace tiklo {

// Translates Tiklo's virtual key codes (US-ANSI positions) and Carbon modifier masks to
// their X11 counterparts, keysyms and core modifier masks, and back.
class X11KeyTable {
public:
    // The keysym of the key's unshifted symbol (lower-case for letters); none for codes
    // Tiklo does not know.
    static std::optional<std::uint32_t> keysymForKeyCode(std::uint32_t keyCode);
    // The virtual key code producing `keysym`; an upper-case letter maps to its key.
    static std::optional<std::uint32_t> keyCodeForKeysym(std::uint32_t keysym);

    // Carbon mask to X core mask; bits without an X counterpart are dropped.
    static std::uint16_t xModifiers(std::uint32_t carbonModifiers);
    // X core mask to Carbon mask; lock, Mod2, Mod3, Mod5 and button bits are dropped.
    static std::uint32_t carbonModifiers(std::uint16_t xModifiers);
    // Whether every bit of the Carbon mask has an X counterpart.
    static bool translatesModifiers(std::uint32_t carbonModifiers);
    // X core mask to key event flags (modifierFlags bits); locks and the rest are dropped.
    static std::uint64_t eventFlags(std::uint16_t xModifiers);
};

} // namespace tiklo
