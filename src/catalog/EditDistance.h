// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace tiklo {

// Edits between two texts, counted in Unicode scalars: an insertion, a deletion, a
// substitution, or two neighbours swapped, each one edit (optimal string alignment).
// Nothing when more than `bound` edits apart; cheap when the lengths alone tell.
std::optional<int> editDistanceWithin(std::u32string_view a, std::u32string_view b, int bound);

} // namespace tiklo
