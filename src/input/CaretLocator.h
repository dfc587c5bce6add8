#pragma once

#include "AccessibilityProvider.h"
#include "AccessibilityTrust.h"
#include "Geometry.h"
#include "Screens.h"

#include <optional>
#include <vector>

namespace tiklo {

// What the picker needs to know of the field the user types in.
struct FocusedField {
    std::optional<Rect> caret; // global bottom-left coordinates; nothing when unknown
    bool secret = false;       // a password field
};

// Where on screen the text caret of the focused element is, in global bottom-left
// coordinates; nothing when that cannot be told.
class CaretLocator {
public:
    // A bounds rectangle must be taller than this to be a caret.
    static constexpr double minimumCaretHeight = 1.0;

    CaretLocator(const AccessibilityTrust& trust, AccessibilityProvider& accessibility,
                 const Screens& screens);

    std::optional<Rect> caretRect();
    // The caret and whether the field hides its text, from one look at the focused element.
    FocusedField focusedField();

    // From top-left-origin screen coordinates to bottom-left ones, against the primary
    // screen (the first frame); unchanged without screens.
    static Rect flipToCocoa(const Rect& rect, const std::vector<Rect>& screenFrames);

private:
    const AccessibilityTrust& trust_;
    AccessibilityProvider& accessibility_;
    const Screens& screens_;
};

} // namespace tiklo
