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
// that a lookup compares only words of about the query's length.
class TypoIndex {
public:
    TypoIndex() = default;
    // `texts[i]`: the words of entry `i` (lower case).
    explicit TypoIndex(const std::vector<std::vector<std::string>>& texts);

    // Entry -> the fewest edits from `query` to one of its words, for every entry with a word
    // within `maxEdits`.
    std::unordered_map<std::size_t, int> within(std::u32string_view query, int maxEdits) const;

private:
    // How often each character occurs, characters folded into 32 buckets. An edit changes
    // these counts by at most 2 in all, so words whose counts differ more are farther apart
    // and need no closer look.
    using Counts = std::array<std::uint8_t, 32>;
    static Counts countsOf(std::u32string_view text);
    static int countsApart(const Counts& a, const Counts& b);

    struct Word {
        std::u32string text;
        Counts counts;
        std::vector<std::size_t> entries;
    };
    // By length in scalars.
    std::vector<std::vector<Word>> byLength_;
};

} // namespace tiklo
