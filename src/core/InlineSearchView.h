// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/NamedGroup.h"

#include <chrono>
#include <optional>
#include <string>

namespace tiklo {

// What semicolon search asks of the front end it runs in (an input method's field): to show
// where the search stands, to put text into the field, and to open the full picker.
class InlineSearchView {
public:
    virtual ~InlineSearchView() = default;

    // The search changed: show its preedit (underlined, in the field where it can be) and,
    // once the session says the candidates are shown, its candidates with the cursor.
    virtual void showSearch() = 0;
    // Calls the session's pauseEnded() after `pause`, unless the search ends first; a pause
    // asked for again starts anew.
    virtual void awaitPause(std::chrono::milliseconds pause) = 0;
    // Only the cursor moved among the candidates.
    virtual void showCursor() = 0;
    // The search is over: no preedit, no candidates.
    virtual void hideSearch() = 0;
    // Puts `text` into the field, in place of the preedit (hidden before).
    virtual void commit(const std::string& text) = 0;
    // The full picker's shortcut was typed, or a row naming a group chosen: ask the program for
    // the picker for this field, at that group if there is one.
    virtual void openPicker(const std::optional<NamedGroup>& group) = 0;
};

} // namespace tiklo
