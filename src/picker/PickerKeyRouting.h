#pragma once

#include "app/ViewEnums.h"
#include "platform/Key.h"

#include <cstddef>

namespace tiklo {

// One key event of the picker window: a key pressed, or a modifier pressed or let go (`key`
// then holds the modifiers as they are after it).
struct PickerKeyEvent {
    enum class Type { keyDown, modifiersChanged };
    Type type = Type::keyDown;
    Key key;
};

struct PickerKeyDecision {
    enum class Action {
        none,
        setCommandHeld, // argument: 1 held, 0 not
        insertAt,       // argument: result index
        beep,
        insertSelected,
        close,
        moveSelection, // argument: step
    };
    Action action = Action::none;
    int argument = 0;
    bool swallow = false;

    bool operator==(const PickerKeyDecision&) const = default;
};

struct PickerKeyContext {
    view::Presentation mode = view::Presentation::Full;
    bool gridLayout = false; // full presentation showing the grid
    bool queryEmpty = true;
    std::size_t resultCount = 0;
};

// How the picker treats one key event while its window has the keyboard.
class PickerKeyRouting {
public:
    static constexpr int gridColumns = 8;
    // With either held, a digit-row key is the picker's own shortcut: desktops often keep
    // Super+digit for themselves, and Linux users reach for Ctrl.
    static constexpr Modifiers commandKeys = Modifier::ctrl | Modifier::super;

    static PickerKeyDecision route(const PickerKeyEvent& event, const PickerKeyContext& context);
};

} // namespace tiklo
