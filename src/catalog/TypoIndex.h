// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tiklo {

// The words a query may be a typo of, each with the entries it belongs to, kept by length so
// that a lookup compares only words of about the query's length. Built once; the words'
// texts and entries each sit in one block.
class TypoIndex {
public:
    TypoIndex() = default;
    // `texts[i]`: the words of entry `i` (lower case).
    explicit TypoIndex(const std::vector<std::vector<std::string>>& texts);

    // Entry -> the fewest edits from `query` to one of its words, for every entry with a word
    // within `maxEdits`.
    std::unordered_map<std::size_t, int> within(std::u32string_view query, int maxEdits) const;

private:
    // How often each character occurs, characters folded into 32 buckets, two 4-bit counts a
    // byte, each at most 15. An edit changes these counts by at most 2 in all, so words whose
    // counts differ more are farther apart and need no closer look; capping a count only
    // narrows a difference, so no word within reach is passed over.
    using Counts = std::array<std::uint8_t, 16>;
    static Counts countsOf(std::u32string_view text);
    static int countsApart(const Counts& a, const Counts& b);

    // The text of a word is texts_ from `text` on, as long as the words it is filed with;
    // its entries are entries_ from `entries` on, `entryCount` of them.
    struct Word {
        Counts counts;
        std::uint32_t text;
        std::uint32_t entries;
        std::uint32_t entryCount;
    };
    // By length in scalars: the words of length n are words_ from lengthStarts_[n] to
    // lengthStarts_[n + 1].
    std::vector<Word> words_;
    std::vector<std::uint32_t> lengthStarts_{0};
    std::u32string texts_;
    std::vector<std::uint32_t> entries_;
};

} // namespace tiklo
