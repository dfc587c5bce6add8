// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/TypoIndex.h"

#include "catalog/EditDistance.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <cstdlib>

namespace tiklo {

TypoIndex::TypoIndex(const std::vector<std::vector<std::string>>& texts) {
    std::unordered_map<std::u32string, std::vector<std::size_t>> entriesByWord;
    for (std::size_t entry = 0; entry < texts.size(); ++entry) {
        for (const std::string& text : texts[entry]) {
            std::vector<std::size_t>& entries = entriesByWord[unicode::scalars(text)];
            if (entries.empty() || entries.back() != entry) {
                entries.push_back(entry);
            }
        }
    }
    for (auto& [text, entries] : entriesByWord) {
        if (byLength_.size() <= text.size()) {
            byLength_.resize(text.size() + 1);
        }
        byLength_[text.size()].push_back({text, countsOf(text), std::move(entries)});
    }
}

TypoIndex::Counts TypoIndex::countsOf(std::u32string_view text) {
    constexpr std::uint8_t most = 255;
    Counts counts{};
    for (const char32_t c : text) {
        std::uint8_t& count = counts[c % counts.size()];
        count = count == most ? most : static_cast<std::uint8_t>(count + 1);
    }
    return counts;
}

int TypoIndex::countsApart(const Counts& a, const Counts& b) {
    int apart = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        apart += std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i]));
    }
    return apart;
}

std::unordered_map<std::size_t, int> TypoIndex::within(std::u32string_view query,
                                                       int maxEdits) const {
    std::unordered_map<std::size_t, int> found;
    const Counts queryCounts = countsOf(query);
    const std::size_t shortest = query.size() > static_cast<std::size_t>(maxEdits)
                                     ? query.size() - static_cast<std::size_t>(maxEdits)
                                     : 0;
    const std::size_t longest =
        std::min(query.size() + static_cast<std::size_t>(maxEdits) + 1, byLength_.size());
    for (std::size_t length = shortest; length < longest; ++length) {
        for (const Word& word : byLength_[length]) {
            if (countsApart(queryCounts, word.counts) > 2 * maxEdits) {
                continue;
            }
            const std::optional<int> edits = editDistanceWithin(query, word.text, maxEdits);
            if (!edits) {
                continue;
            }
            for (const std::size_t entry : word.entries) {
                const auto [place, inserted] = found.emplace(entry, *edits);
                if (!inserted) {
                    place->second = std::min(place->second, *edits);
                }
            }
        }
    }
    return found;
}

} // namespace tiklo
