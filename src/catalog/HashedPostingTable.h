// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/PostingTable.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tiklo {

// A PostingTable found by hashing its texts rather than by binary search, for texts looked up
// hundreds of times a search (one per history record). The hash holds only key numbers.
class HashedPostingTable {
public:
    HashedPostingTable() = default;
    explicit HashedPostingTable(PostingTable table);

    // The positions that hold `text`; none when it is no key.
    std::span<const std::uint32_t> find(std::string_view text) const;

private:
    std::size_t firstSlot(std::string_view text) const;

    static constexpr std::uint32_t empty = UINT32_MAX;
    PostingTable table_;
    // Open addressing, at most half full so that probes stay short; a power of two long.
    std::vector<std::uint32_t> slots_{empty};
};

} // namespace tiklo
