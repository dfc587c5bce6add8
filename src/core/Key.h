// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tiklo {

// Keys are named by X keysyms throughout Tiklo: the numbering of the X protocol, which
// xkbcommon and every X client share. The ones Tiklo refers to by name (the X layer checks
// them against X's own definitions):
using KeySym = std::uint32_t;

namespace keysym {
inline constexpr KeySym none = 0; // no symbol
inline constexpr KeySym space = 0x0020;
inline constexpr KeySym backSpace = 0xff08;
inline constexpr KeySym tab = 0xff09;
inline constexpr KeySym isoLeftTab = 0xfe20; // what Shift+Tab types
inline constexpr KeySym linefeed = 0xff0a;   // ends a line as Return does (xdotool types "\n" so)
inline constexpr KeySym returnKey = 0xff0d;
inline constexpr KeySym escape = 0xff1b;
inline constexpr KeySym left = 0xff51;
inline constexpr KeySym up = 0xff52;
inline constexpr KeySym right = 0xff53;
inline constexpr KeySym down = 0xff54;
inline constexpr KeySym keypadEnter = 0xff8d;
inline constexpr KeySym keypadTab = 0xff89;
inline constexpr KeySym keypadLeft = 0xff96;
inline constexpr KeySym keypadUp = 0xff97;
inline constexpr KeySym keypadRight = 0xff98;
inline constexpr KeySym keypadDown = 0xff99;
inline constexpr KeySym keypadPageUp = 0xff9a;
inline constexpr KeySym keypadPageDown = 0xff9b;
inline constexpr KeySym numLock = 0xff7f;
inline constexpr KeySym keypadMultiply = 0xffaa;
inline constexpr KeySym keypadAdd = 0xffab;
inline constexpr KeySym keypadSubtract = 0xffad;
inline constexpr KeySym keypadDecimal = 0xffae;
inline constexpr KeySym keypadDivide = 0xffaf;
inline constexpr KeySym keypadEqual = 0xffbd;
inline constexpr KeySym home = 0xff50;
inline constexpr KeySym pageUp = 0xff55;
inline constexpr KeySym pageDown = 0xff56;
inline constexpr KeySym end = 0xff57;
inline constexpr KeySym del = 0xffff; // Delete: the character after the caret
// F1 to F20 follow one another from here.
inline constexpr KeySym f1 = 0xffbe;
inline constexpr int functionKeyCount = 20;

// The keys that type the digits and the lower-case Latin letters: their keysyms are the
// characters' own codes.
constexpr KeySym digit(int value) {
    return static_cast<KeySym>('0' + value);
}
constexpr KeySym letter(char lowerCase) {
    return static_cast<KeySym>(lowerCase);
}
// The keypad's digits and the function keys follow one another.
constexpr KeySym keypadDigit(int value) {
    constexpr KeySym keypadZero = 0xffb0;
    return keypadZero + static_cast<KeySym>(value);
}
constexpr KeySym function(int number) {
    return f1 + static_cast<KeySym>(number - 1);
}
// Shift, Control, Caps Lock, Meta, Alt, Super, Hyper, and the ISO level and group shifts:
// keys that change what others type but type nothing themselves.
constexpr bool isModifier(KeySym sym) {
    constexpr KeySym firstModifier = 0xffe1; // Shift_L
    constexpr KeySym lastModifier = 0xffee;  // Hyper_R
    constexpr KeySym firstIsoShift = 0xfe01; // ISO_Lock
    constexpr KeySym lastIsoShift = 0xfe0f;  // ISO_Last_Group_Lock
    return (sym >= firstModifier && sym <= lastModifier) ||
           (sym >= firstIsoShift && sym <= lastIsoShift);
}
// Accents and the like that combine with the next key: the start of a letter.
constexpr bool isDeadKey(KeySym sym) {
    constexpr KeySym firstDead = 0xfe50; // dead_grave
    constexpr KeySym lastDead = 0xfe93;  // dead_longsolidusoverlay
    return sym >= firstDead && sym <= lastDead;
}
} // namespace keysym

enum class Modifier : std::uint8_t {
    ctrl = 1 << 0,
    alt = 1 << 1,
    shift = 1 << 2,
    super = 1 << 3,
};

// A set of modifiers.
class Modifiers {
public:
    constexpr Modifiers() = default;
    constexpr Modifiers(Modifier modifier) : bits_(static_cast<std::uint8_t>(modifier)) {}

    constexpr bool has(Modifier modifier) const {
        return (bits_ & static_cast<std::uint8_t>(modifier)) != 0;
    }
    // Whether the set holds any of `others`.
    constexpr bool any(Modifiers others) const { return (bits_ & others.bits_) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr Modifiers with(Modifiers others) const { return fromBits(bits_ | others.bits_); }
    constexpr Modifiers without(Modifiers others) const { return fromBits(bits_ & ~others.bits_); }
    constexpr Modifiers operator|(Modifiers others) const { return with(others); }
    constexpr bool operator==(const Modifiers&) const = default;

private:
    static constexpr Modifiers fromBits(unsigned bits) {
        Modifiers modifiers;
        modifiers.bits_ = static_cast<std::uint8_t>(bits);
        return modifiers;
    }

    std::uint8_t bits_ = 0;
};

constexpr Modifiers operator|(Modifier first, Modifier second) {
    return Modifiers(first) | second;
}

// A key as Tiklo reads it, whatever reported it: its keysym, the modifiers held with it, and
// for the digit row its place there.
struct Key {
    constexpr Key() = default;
    constexpr Key(KeySym sym, Modifiers modifiers = {}, int digitRow = 0)
        : sym(sym), modifiers(modifiers), digitRow(digitRow) {}

    KeySym sym = keysym::none;
    Modifiers modifiers;
    // The key's place on the digit row, whatever the layout puts there (Ctrl+digit means the
    // place): 1 to 9 for the keys that type "1" to "9" on a US keyboard, 10 for its "0"; 0
    // for every other key.
    int digitRow = 0;

    bool operator==(const Key&) const = default;
};

} // namespace tiklo
