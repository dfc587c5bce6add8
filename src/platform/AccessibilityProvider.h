// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <optional>

namespace tiklo {

// A range of an element's text, in the element's own text units.
struct TextRange {
    long location = 0;
    long length = 0;
    bool operator==(const TextRange&) const = default;
};

// The element that has keyboard focus in the frontmost application.
class FocusedElement {
public:
    virtual ~FocusedElement() = default;
    // Nothing when the element has no text or does not answer.
    virtual std::optional<TextRange> selectedTextRange() = 0;
    // Screen rectangle of the range, origin at the top left, y growing downwards.
    virtual std::optional<Rect> boundsForRange(TextRange range) = 0;
    // A field whose text is hidden as it is typed: a password.
    virtual bool isSecret() const { return false; }
};

// Other applications' accessibility data. Every call is bounded in time: an application
// that hangs or does not answer gives nothing.
class AccessibilityProvider {
public:
    virtual ~AccessibilityProvider() = default;
    virtual std::unique_ptr<FocusedElement> focusedElement() = 0;
};

} // namespace tiklo
