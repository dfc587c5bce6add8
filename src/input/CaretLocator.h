#pragma once

#include "platform/AccessibilityProvider.h"
#include "platform/AccessibilityTrust.h"
#include "platform/Geometry.h"
#include "platform/Screens.h"

#include <optional>
#include <vector>

namespace tiklo {

// Where on screen the text caret of the focused element is, in global bottom-left
// coordinates; nothing when that cannot be told.
class CaretLocator {
public:
    // A bounds rectangle must be taller than this to be a caret.
    static constexpr double minimumCaretHeight = 1.0;

    CaretLocator(const AccessibilityTrust& trust, AccessibilityProvider& accessibility,
                 const Screens& screens);

    std::optional<Rect> caretRect();

    // From top-left-origin screen coordinates to bottom-left ones, against the primary
    // screen (the first frame); unchanged without screens.
    static Rect flipToCocoa(const Rect& rect, const std::vector<Rect>& screenFrames);

private:
    const AccessibilityTrust& trust_;
    AccessibilityProvider& accessibility_;
    const Screens& screens_;
};

} // namespace tiklo
