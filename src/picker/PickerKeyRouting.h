#pragma once

#include "catalog/PickerPresentationMode.h"

#include <cstddef>
#include <cstdint>

namespace tiklo {

// How the picker treats one key event while its window has the keyboard.
struct PickerKeyEvent {
    enum class Type { keyDown, flagsChanged };
    Type type = Type::keyDown;
    std::uint16_t keyCode = 0; // virtual key code
    std::uint64_t flags = 0;   // modifier flag bits
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
    PickerPresentationMode mode = PickerPresentationMode::full;
    bool gridLayout = false; // full presentation showing the grid
    bool queryEmpty = true;
    std::size_t resultCount = 0;
};

class PickerKeyRouting {
public:
    static constexpr int gridColumns = 8;

    static PickerKeyDecision route(const PickerKeyEvent& event, const PickerKeyContext& context);
};

} // namespace tiklo
