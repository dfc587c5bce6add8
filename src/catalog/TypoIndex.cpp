// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/TypoIndex.h"

#include "catalog/EditDistance.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace tiklo {

TypoIndex::TypoIndex(const std::vector<std::vector<std::string>>& texts) {
    // (word, entry), by length, then word, then entry.
    std::vector<std::pair<std::u32string, std::uint32_t>> postings;
    for (std::size_t entry = 0; entry < texts.size(); ++entry) {
        for (const std::string& text : texts[entry]) {
            postings.emplace_back(unicode::scalars(text), static_cast<std::uint32_t>(entry));
        }
    }
    std::sort(postings.begin(), postings.end(), [](const auto& a, const auto& b) {
        if (a.first.size() != b.first.size()) {
            return a.first.size() < b.first.size();
        }
        return a < b;
    });
    postings.erase(std::unique(postings.begin(), postings.end()), postings.end());
    entries_.reserve(postings.size());
    for (std::size_t i = 0; i < postings.size(); ++i) {
        const auto& [text, entry] = postings[i];
        if (i == 0 || text != postings[i - 1].first) {
            while (lengthStarts_.size() <= text.size()) {
                lengthStarts_.push_back(static_cast<std::uint32_t>(words_.size()));
            }
            words_.push_back({countsOf(text), static_cast<std::uint32_t>(texts_.size()),
                              static_cast<std::uint32_t>(entries_.size()), 0});
            texts_ += text;
        }
        entries_.push_back(entry);
        ++words_.back().entryCount;
    }
    lengthStarts_.push_back(static_cast<std::uint32_t>(words_.size()));
    words_.shrink_to_fit();
    lengthStarts_.shrink_to_fit();
    texts_.shrink_to_fit();
}

TypoIndex::Counts TypoIndex::countsOf(std::u32string_view text) {
    constexpr int bits = 4;
    constexpr int most = 15;
    std::array<int, 2 * std::tuple_size_v<Counts>> counts{};
    for (const char32_t c : text) {
        int& count = counts[c % counts.size()];
        count = std::min(count + 1, most);
    }
    Counts packed{};
    for (std::size_t i = 0; i < packed.size(); ++i) {
        packed[i] = static_cast<std::uint8_t>(counts[2 * i] | counts[2 * i + 1] << bits);
    }
    return packed;
}

int TypoIndex::countsApart(const Counts& a, const Counts& b) {
    constexpr int low = 0x0f;
    constexpr int bits = 4;
    int apart = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        apart += std::abs((a[i] & low) - (b[i] & low)) + std::abs((a[i] >> bits) - (b[i] >> bits));
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
        std::min(query.size() + static_cast<std::size_t>(maxEdits) + 1, lengthStarts_.size() - 1);
    for (std::size_t length = shortest; length < longest; ++length) {
        for (std::size_t w = lengthStarts_[length]; w < lengthStarts_[length + 1]; ++w) {
            const Word& word = words_[w];
            if (countsApart(queryCounts, word.counts) > 2 * maxEdits) {
                continue;
            }
            const std::u32string_view text = std::u32string_view(texts_).substr(word.text, length);
            const std::optional<int> edits = editDistanceWithin(query, text, maxEdits);
            if (!edits) {
                continue;
            }
            for (std::uint32_t e = word.entries; e < word.entries + word.entryCount; ++e) {
                const auto [place, inserted] = found.emplace(entries_[e], *edits);
                if (!inserted) {
                    place->second = std::min(place->second, *edits);
                }
            }
        }
    }
    return found;
}

} // namespace tiklo
