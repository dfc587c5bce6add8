// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <string>
#include <string_view>

namespace tiklo {

// A key typed while semicolon search is open, as every front end tells keys apart: the
// program's popup and both input methods classify a key here, once, and act on the kind.
struct QueryKey {
    enum class Kind {
        text,    // types `text`, with no Ctrl, Alt or Super held
        confirm, // Return, keypad Enter or Linefeed: a line end
        tab,     // Tab, Shift+Tab or the keypad's Tab
        choose,  // Ctrl or Super, without Alt, with 1 to 9: the `choice`th result shown
        cancel,  // Escape
        erase,   // BackSpace
        up,      // Up and the others: moving through the results
        down,
        left,
        right,
        pageUp,
        pageDown,
        modifier, // Shift, Ctrl and the like alone: they choose what the next key types
        shortcut, // anything else with Ctrl, Alt or Super held: the application's
        other,    // a key that types nothing and moves nothing (Home, F1, Delete)
    };

    // With either held, a digit is a choice: desktops often keep Super+digit for themselves,
    // and Linux users reach for Ctrl. Alt with them is a desktop's shortcut (and AltGr's
    // level on some layouts), never a choice.
    static constexpr Modifiers commandKeys = Modifier::ctrl | Modifier::super;
    static constexpr Modifiers shortcutKeys = Modifier::ctrl | Modifier::alt | Modifier::super;
    // Choices go up to the ninth result of a page.
    static constexpr int choices = 9;

    Kind kind = Kind::other;
    std::string text; // UTF-8, for `text`
    int choice = 0;   // 1 to 9, for `choose`
    // Shift held with `confirm`: the alternate form of the choice (a kaomoji escaped).
    bool alternate = false;

    bool operator==(const QueryKey&) const = default;

    // `key`, which types `text` (UTF-8, as the window system or input method reports it).
    static QueryKey of(const Key& key, std::string_view text);
};

} // namespace tiklo
