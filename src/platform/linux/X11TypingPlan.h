// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/linux/X11KeyboardMapping.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tiklo {

// One round of typing: spare keycodes to map for the moment, then the keys to press and
// release, in order.
struct X11TypingBatch {
    std::vector<std::pair<xcb_keycode_t, xcb_keysym_t>> mappings;
    std::vector<xcb_keycode_t> keys;

    bool operator==(const X11TypingBatch&) const = default;
};

// How text is typed on a keymap that lacks most of its characters. Every character gets a
// spare keycode mapped to its keysym, so the modifiers the user may hold cannot change what
// it types; line breaks and tabs press the keymap's own Return and Tab keys. A character
// repeated within a batch reuses its keycode. When the text needs more keycodes than may be
// borrowed, it is typed in several batches, in order.
struct X11TypingPlan {
    std::vector<X11TypingBatch> batches;
    // Characters nothing can type (the keymap has no spare keycode).
    std::size_t untypable = 0;

    // At most `maxBorrowed` spare keycodes per batch; 0 allows all of them.
    static X11TypingPlan make(std::u32string_view text, const X11KeyboardMapping& mapping,
                              std::size_t maxBorrowed);

    // The keysym for `c`: Return for CR and LF, Tab for TAB, the Latin-1 keysym for printable
    // Latin-1, the Unicode keysym (0x01000000 + c) otherwise. Nothing for other control
    // characters, surrogates and values beyond Unicode.
    static std::optional<xcb_keysym_t> keysymFor(char32_t c);
};

} // namespace tiklo
