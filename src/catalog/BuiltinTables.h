#pragma once

#include "catalog/EmojiItem.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace tiklo {

// Tables compiled into the program, independent of any system file. Each is built once,
// on first use, and never changes.
class BuiltinTables {
public:
    // The rank of the most common emoji; each next one is one lower.
    static constexpr int topCommonRank = 120;

    // Emoji text -> aliases; the first alias is the preferred shortcode.
    static const std::unordered_map<std::string, std::vector<std::string>>& aliasesByEmoji();
    // Emoji text -> popularity rank (absent means 0).
    static const std::unordered_map<std::string, int>& commonRankByEmoji();
    // Upper-case two-letter region code -> extra lowercase names.
    static const std::unordered_map<std::string, std::vector<std::string>>& regionAliases();
    // The catalog when the system emoji file is missing or nearly empty.
    static const std::vector<EmojiItem>& fallbackItems();
};

} // namespace tiklo
