// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiItem.h"
#include "catalog/SearchIndex.h"
#include "catalog/SystemEmojiTables.h"

#include <vector>

namespace tiklo {

// The kaomoji as catalog items. Each is also found by what names its anchor emoji: its
// names and keywords in the user's language (English without one), as keywords, and those
// names as its names in the user's language. The name shown is always the kaomoji's own.
class KaomojiAssembler {
public:
    explicit KaomojiAssembler(const SystemEmojiTables& tables) : tables_(tables) {}

    struct Assembly {
        std::vector<EmojiItem> items; // in table order
        SearchIndex::LocalNames localNames;
    };
    Assembly assemble() const;

    // A kaomoji's id, from its name.
    static std::string idOf(std::string_view name);

private:
    // The anchor's words, without those so many anchors share that they tell nothing
    // ("face").
    std::vector<std::string> anchorWords(const std::string& anchor) const;

    const SystemEmojiTables& tables_;
};

} // namespace tiklo
