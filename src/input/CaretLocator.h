#pragma once

#include "platform/AccessibilityProvider.h"
#include "platform/AccessibilityTrust.h"
#include "platform/Geometry.h"

#include <optional>

namespace tiklo {

// Where on screen the text caret of the focused element is; nothing when that cannot be
// told.
class CaretLocator {
public:
    // A bounds rectangle must be taller than this to be a caret.
    static constexpr double minimumCaretHeight = 1.0;

    CaretLocator(const AccessibilityTrust& trust, AccessibilityProvider& accessibility);

    std::optional<Rect> caretRect();

private:
    const AccessibilityTrust& trust_;
    AccessibilityProvider& accessibility_;
};

} // namespace tiklo
