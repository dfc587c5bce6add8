// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EditDistance.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace tiklo {

std::optional<int> editDistanceWithin(std::u32string_view a, std::u32string_view b, int bound) {
    const auto n = static_cast<int>(a.size());
    const auto m = static_cast<int>(b.size());
    if (bound < 0 || std::abs(n - m) > bound) {
        return std::nullopt;
    }
    // Three rows of the table: two back for the swap of neighbours. Words fit on the stack;
    // this runs for many words per query.
    constexpr int stackRow = 64;
    std::array<int, 3 * (stackRow + 1)> onStack{};
    std::vector<int> onHeap;
    int* rows = onStack.data();
    if (m > stackRow) {
        onHeap.resize(3 * static_cast<std::size_t>(m + 1));
        rows = onHeap.data();
    }
    int* before = rows;
    int* previous = rows + (m + 1);
    int* current = rows + 2 * (m + 1);
    for (int j = 0; j <= m; ++j) {
        previous[j] = j;
    }
    for (int i = 1; i <= n; ++i) {
        current[0] = i;
        int rowBest = current[0];
        for (int j = 1; j <= m; ++j) {
            const int substitution = a[i - 1] == b[j - 1] ? 0 : 1;
            int cost =
                std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + substitution});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                cost = std::min(cost, before[j - 2] + 1);
            }
            current[j] = cost;
            rowBest = std::min(rowBest, cost);
        }
        // Every path goes through this row: past the bound here, past it at the end.
        if (rowBest > bound) {
            return std::nullopt;
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m] <= bound ? std::optional<int>(previous[m]) : std::nullopt;
}

} // namespace tiklo
