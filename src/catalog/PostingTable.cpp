// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/PostingTable.h"

#include <algorithm>

namespace tiklo {

PostingTable::PostingTable(std::vector<std::pair<std::string, std::uint32_t>> postings) {
    std::sort(postings.begin(), postings.end());
    postings.erase(std::unique(postings.begin(), postings.end()), postings.end());
    positions_.reserve(postings.size());
    for (std::size_t i = 0; i < postings.size(); ++i) {
        const auto& [text, position] = postings[i];
        positions_.push_back(position);
        if (i + 1 == postings.size() || postings[i + 1].first != text) {
            texts_ += text;
            textStarts_.push_back(static_cast<std::uint32_t>(texts_.size()));
            positionStarts_.push_back(static_cast<std::uint32_t>(positions_.size()));
        }
    }
    texts_.shrink_to_fit();
    textStarts_.shrink_to_fit();
    positionStarts_.shrink_to_fit();
}

std::string_view PostingTable::text(std::size_t key) const {
    return std::string_view(texts_).substr(textStarts_[key],
                                           textStarts_[key + 1] - textStarts_[key]);
}

std::span<const std::uint32_t> PostingTable::positions(std::size_t key) const {
    return std::span(positions_)
        .subspan(positionStarts_[key], positionStarts_[key + 1] - positionStarts_[key]);
}

std::size_t PostingTable::lowerBound(std::string_view text) const {
    // By hand: clang's ranges do not take libstdc++ 12's iota view, and the sanitizer build
    // is clang's.
    std::size_t low = 0;
    std::size_t high = size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (this->text(middle) < text) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

std::span<const std::uint32_t> PostingTable::find(std::string_view text) const {
    const std::size_t key = lowerBound(text);
    if (key == size() || this->text(key) != text) {
        return {};
    }
    return positions(key);
}

} // namespace tiklo
