#include "input/CaretLocator.h"

#include <algorithm>
#include <array>

namespace tiklo {

CaretLocator::CaretLocator(const AccessibilityTrust& trust, AccessibilityProvider& accessibility)
    : trust_(trust), accessibility_(accessibility) {}

std::optional<Rect> CaretLocator::caretRect() {
    if (!trust_.isTrusted()) {
        return std::nullopt;
    }
    const std::unique_ptr<FocusedElement> element = accessibility_.focusedElement();
    if (!element) {
        return std::nullopt;
    }
    const std::optional<TextRange> selected = element->selectedTextRange();
    if (!selected) {
        return std::nullopt;
    }
    // The selection itself, then the character before the caret, then the one at it:
    // empty fields and empty selections often answer a zero rectangle.
    const std::array<TextRange, 3> candidates{
        *selected,
        TextRange{std::max(selected->location - 1, 0L), 1},
        TextRange{selected->location, 1},
    };
    for (const TextRange& range : candidates) {
        const std::optional<Rect> bounds = element->boundsForRange(range);
        if (bounds && !bounds->isZero() && bounds->height > minimumCaretHeight) {
            return bounds;
        }
    }
    return std::nullopt;
}

} // namespace tiklo
