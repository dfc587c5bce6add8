// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/AtspiFocusedElement.h"

#include "platform/linux/ScopedGError.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>

namespace tiklo {
namespace {

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

// libatspi returns its ranges and rectangles as g_new'd copies, even when the call failed.
template <typename T> using GMemory = std::unique_ptr<T, GFree>;

// Offsets travel as 32-bit integers; a range reaching past them is no range of any element.
bool isTransferable(const TextRange& range) {
    constexpr long largest = std::numeric_limits<gint>::max();
    return range.location >= 0 && range.length >= 0 && range.location <= largest &&
           range.length <= largest - range.location;
}

} // namespace

AtspiFocusedElement::AtspiFocusedElement(GObjectRef<AtspiText> text, AtspiCallBudget budget,
                                         bool secret)
    : text_(std::move(text)), budget_(budget), secret_(secret) {}

std::optional<TextRange> AtspiFocusedElement::selectedTextRange() {
    if (const std::optional<TextRange> selection = firstSelection()) {
        return selection;
    }
    ScopedGError error;
    if (!budget_.arm()) {
        return std::nullopt;
    }
    const gint caret = atspi_text_get_caret_offset(text_.get(), error.slot());
    // A negative offset is how an element without a caret answers.
    if (error.failed() || caret < 0) {
        return std::nullopt;
    }
    return TextRange{caret, 0};
}

std::optional<TextRange> AtspiFocusedElement::firstSelection() {
    ScopedGError error;
    if (!budget_.arm()) {
        return std::nullopt;
    }
    const gint count = atspi_text_get_n_selections(text_.get(), error.slot());
    if (error.failed() || count <= 0 || !budget_.arm()) {
        return std::nullopt;
    }
    const GMemory<AtspiRange> range(atspi_text_get_selection(text_.get(), 0, error.slot()));
    if (error.failed() || !range) {
        return std::nullopt;
    }
    // Some toolkits give the ends in the order the user selected in.
    const long start = std::min(range->start_offset, range->end_offset);
    const long end = std::max(range->start_offset, range->end_offset);
    if (start < 0 || end == start) {
        return std::nullopt;
    }
    return TextRange{start, end - start};
}

std::optional<Rect> AtspiFocusedElement::boundsForRange(TextRange range) {
    if (!isTransferable(range)) {
        return std::nullopt;
    }
    // An empty range has no extent. Asking anyway makes GTK complain on its stderr and
    // answer the zero rectangle that the caller would reject.
    if (range.length == 0) {
        return Rect{};
    }
    ScopedGError error;
    if (!budget_.arm()) {
        return std::nullopt;
    }
    const GMemory<AtspiRect> extents(atspi_text_get_range_extents(
        text_.get(), static_cast<gint>(range.location),
        static_cast<gint>(range.location + range.length), ATSPI_COORD_TYPE_SCREEN, error.slot()));
    // On failure the rectangle holds whatever the reply did not overwrite.
    if (error.failed() || !extents) {
        return std::nullopt;
    }
    return Rect{static_cast<double>(extents->x), static_cast<double>(extents->y),
                static_cast<double>(extents->width), static_cast<double>(extents->height)};
}

} // namespace tiklo
