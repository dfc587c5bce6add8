// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityProvider.h"
#include "platform/AccessibilityTrust.h"
#include "platform/Geometry.h"

#include <optional>

namespace tiklo {

// What the picker needs to know of the field the user types in.
struct FocusedField {
    std::optional<Rect> caret; // top-left screen coordinates; nothing when unknown
    bool secret = false;       // a password field
};

// Where on screen the text caret of the focused element is; nothing when that cannot be
// told.
class CaretLocator {
public:
    // A bounds rectangle must be taller than this to be a caret.
    static constexpr double minimumCaretHeight = 1.0;

    CaretLocator(const AccessibilityTrust& trust, AccessibilityProvider& accessibility);

    std::optional<Rect> caretRect();
    // The caret and whether the field hides its text, from one look at the focused element.
    FocusedField focusedField();

private:
    const AccessibilityTrust& trust_;
    AccessibilityProvider& accessibility_;
};

} // namespace tiklo
