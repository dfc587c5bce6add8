// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiItem.h"
#include "catalog/SymbolGroup.h"
#include "catalog/SystemEmojiTables.h"

#include <string_view>
#include <vector>

namespace tiklo {

// The symbols beside emoji: what CLDR names that is no emoji, the emoji people expect as
// plain symbols in their text form, and the project's own common symbols. Names and keywords
// come from CLDR where it has them, in English and the user's language, else from Unicode's
// character names and the project's keywords.
class SymbolAssembler {
public:
    // `language`: the user's language code ("de"), or empty for English.
    SymbolAssembler(const SystemEmojiTables& tables, std::string_view language)
        : tables_(tables), language_(language) {}

    // In group order, each group by code point; ids are unique and never an emoji's.
    std::vector<EmojiItem> assemble() const;

    // A symbol's id.
    static std::string idOf(std::string_view text);

private:
    EmojiItem makeItem(const std::string& text, SymbolGroup group,
                       std::vector<std::string> ownKeywords) const;

    const SystemEmojiTables& tables_;
    std::string_view language_;
};

} // namespace tiklo
