// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeyDown.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <xkbcommon/xkbcommon.h>

namespace tiklo {

// Turns X keycodes into key presses as the rest of Tiklo reads them, against an XKB keymap
// and the keyboard's current modifier and layout state. Everything that depends only on the
// keymap or the state is worked out when they change, so a key costs a table lookup and one
// symbol-to-text conversion.
class XkbKeyTranslator {
public:
    // The keyboard's state as XKB reports it: real modifier masks and layout indices.
    struct State {
        std::uint8_t baseModifiers = 0;
        std::uint8_t latchedModifiers = 0;
        std::uint8_t lockedModifiers = 0;
        std::int32_t baseLayout = 0;
        std::int32_t latchedLayout = 0;
        std::int32_t lockedLayout = 0;

        bool operator==(const State&) const = default;
    };

    XkbKeyTranslator() = default;
    ~XkbKeyTranslator();
    XkbKeyTranslator(const XkbKeyTranslator&) = delete;
    XkbKeyTranslator& operator=(const XkbKeyTranslator&) = delete;

    // Keeps its own reference. Without a keymap every key is unknown and types nothing.
    void setKeymap(xkb_keymap* keymap);
    bool hasKeymap() const { return keymap_ != nullptr; }
    void setState(const State& state);

    // The key is named by its keysym on the first level of the first layout that has one
    // (keysym::none for keys the keymap lacks). Modifiers come from the whole modifier state.
    // Characters come from Shift and the locks alone (Caps Lock, Num Lock), so Ctrl, Alt or
    // Super held down leave them as typed without; dead keys and keys that type nothing or
    // control characters have none.
    KeyDown translate(xkb_keycode_t keycode) const;

    // 1 to 9 for the digit-row keys AE01 to AE09 of the keymap (named by position, whatever
    // they type); nothing for other keys.
    std::optional<int> digitRowNumber(xkb_keycode_t keycode) const;
    // The keysym naming the key, as translate() names it.
    KeySym keySym(xkb_keycode_t keycode) const {
        return keycode < keySyms_.size() ? keySyms_[keycode] : keysym::none;
    }

private:
    void applyState();

    xkb_keymap* keymap_ = nullptr;
    // Only Shift and the locks of state_ applied: what "ignoring modifiers" types.
    xkb_state* textState_ = nullptr;
    State state_;
    Modifiers modifiers_;
    // The keysym naming each X keycode, filled when the keymap is set.
    std::vector<KeySym> keySyms_;
};

} // namespace tiklo
