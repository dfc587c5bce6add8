// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/CaretLocator.h"

#include <algorithm>
#include <array>

namespace tiklo {

CaretLocator::CaretLocator(const AccessibilityTrust& trust, AccessibilityProvider& accessibility)
    : trust_(trust), accessibility_(accessibility) {}

std::optional<Rect> CaretLocator::caretRect() {
    return focusedField().caret;
}

FocusedField CaretLocator::focusedField() {
    if (!trust_.isTrusted()) {
        return {};
    }
    const std::unique_ptr<FocusedElement> element = accessibility_.focusedElement();
    if (!element) {
        return {};
    }
    FocusedField field;
    field.secret = element->isSecret();
    const std::optional<TextRange> selected = element->selectedTextRange();
    if (!selected) {
        return field;
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
            field.caret = bounds;
            return field;
        }
    }
    return field;
}

} // namespace tiklo
