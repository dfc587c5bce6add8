// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/HashedPostingTable.h"

#include <functional>
#include <utility>

namespace tiklo {

HashedPostingTable::HashedPostingTable(PostingTable table) : table_(std::move(table)) {
    std::size_t slotCount = 1;
    while (slotCount < 2 * table_.size()) {
        slotCount *= 2;
    }
    slots_.assign(slotCount, empty);
    for (std::size_t key = 0; key < table_.size(); ++key) {
        std::size_t slot = firstSlot(table_.text(key));
        while (slots_[slot] != empty) {
            slot = (slot + 1) & (slots_.size() - 1);
        }
        slots_[slot] = static_cast<std::uint32_t>(key);
    }
}

std::size_t HashedPostingTable::firstSlot(std::string_view text) const {
    return std::hash<std::string_view>{}(text) & (slots_.size() - 1);
}

std::span<const std::uint32_t> HashedPostingTable::find(std::string_view text) const {
    for (std::size_t slot = firstSlot(text); slots_[slot] != empty;
         slot = (slot + 1) & (slots_.size() - 1)) {
        if (table_.text(slots_[slot]) == text) {
            return table_.positions(slots_[slot]);
        }
    }
    return {};
}

} // namespace tiklo
