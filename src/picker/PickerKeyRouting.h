// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ViewEnums.h"
#include "catalog/WordRunIndex.h"
#include "core/Key.h"
#include "core/QueryKey.h"
#include "platform/KeyStroke.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace tiklo {

// One key event of the picker window: a key pressed or let go, or a modifier pressed or let
// go (`key` then holds the modifiers as they are after it).
struct PickerKeyEvent {
    enum class Type { keyDown, keyUp, modifiersChanged };

    PickerKeyEvent() = default;
    PickerKeyEvent(Type type, Key key, std::string text = {}, KeyStroke stroke = {})
        : type(type), key(key), text(std::move(text)), stroke(stroke) {}

    Type type = Type::keyDown;
    Key key;
    // What the key types, as UTF-8 (control characters for Return, Tab and the like).
    std::string text;
    // The event as the window system reported it.
    KeyStroke stroke;
};

struct PickerKeyDecision {
    enum class Action {
        none,
        setCommandHeld, // argument: 1 held, 0 not
        insertAt,       // argument: result index
        beep,
        insertSelected, // argument: 1 for the alternate form
        close,
        moveSelection, // argument: step
        // The popup makes way for the application: what was typed after the prefix goes
        // there, and this key after it unless swallowed (Escape, which has done its work).
        giveWay,
    };
    Action action = Action::none;
    int argument = 0;
    bool swallow = false;

    bool operator==(const PickerKeyDecision&) const = default;
};

struct PickerKeyContext {
    view::Presentation mode = view::Presentation::Full;
    bool gridLayout = false; // full presentation showing the grid
    std::string_view query;
    std::size_t resultCount = 0;
    // The catalog's texts, for the inline popup to tell a search from punctuation; without
    // them it never gives way.
    const WordRunIndex* wordRuns = nullptr;
    // No key has come since the prefix.
    bool firstKey = false;
    // Tiles per row of the grid.
    int gridColumns = 8;
};

// How the picker treats one key event while its window has the keyboard.
class PickerKeyRouting {
public:
    // `key` is the event's key as QueryKey::of classifies it (unused for all but a press).
    static PickerKeyDecision route(const PickerKeyEvent& event, const QueryKey& key,
                                   const PickerKeyContext& context);
};

} // namespace tiklo
