// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tiklo {

// Texts, sorted, each with the entry positions that hold it, in ascending order. Built once;
// the texts and the positions each sit in one block, as most texts have only one to three
// positions and a container apiece would cost more than they hold. Offsets are 32-bit: a catalog is
// far smaller.
class PostingTable {
public:
    PostingTable() = default;
    // `postings`: (text, entry position) pairs in any order; repeats count once.
    explicit PostingTable(std::vector<std::pair<std::string, std::uint32_t>> postings);

    std::size_t size() const { return textStarts_.size() - 1; }
    std::string_view text(std::size_t key) const;
    std::span<const std::uint32_t> positions(std::size_t key) const;

    // The first key whose text is not less than `text`; size() when there is none.
    std::size_t lowerBound(std::string_view text) const;
    // The positions that hold `text`; none when it is no key.
    std::span<const std::uint32_t> find(std::string_view text) const;

private:
    std::string texts_;
    // Key k: texts_ from textStarts_[k] to textStarts_[k + 1], positions_ likewise; each
    // ends with the total, so that the last key needs no case of its own.
    std::vector<std::uint32_t> textStarts_{0};
    std::vector<std::uint32_t> positionStarts_{0};
    std::vector<std::uint32_t> positions_;
};

} // namespace tiklo
