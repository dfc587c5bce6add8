// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityProvider.h"
#include "platform/linux/AtspiCallBudget.h"
#include "platform/linux/GObjectRef.h"

#include <atspi/atspi.h>

namespace tiklo {

// A focused text element found over AT-SPI. It answers within the budget of the query that
// found it: calls made after that budget is spent give nothing.
class AtspiFocusedElement : public FocusedElement {
public:
    AtspiFocusedElement(GObjectRef<AtspiText> text, AtspiCallBudget budget, bool secret);

    std::optional<TextRange> selectedTextRange() override;
    std::optional<Rect> boundsForRange(TextRange range) override;
    bool isSecret() const override { return secret_; }

private:
    std::optional<TextRange> firstSelection();

    GObjectRef<AtspiText> text_;
    AtspiCallBudget budget_;
    bool secret_;
};

} // namespace tiklo
