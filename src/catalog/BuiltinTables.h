// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiItem.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
    // Emoji or symbol text -> popularity rank (absent means 0).
    static const std::unordered_map<std::string, int>& commonRankByEmoji();
    // Upper-case two-letter region code -> extra lowercase names.
    static const std::unordered_map<std::string, std::vector<std::string>>& regionAliases();
    // Emoticons as people type them -> the emoji they stand for, in table order. None begins
    // with ";": after the trigger prefix that would be the prefix typed twice.
    static const std::vector<std::pair<std::string, std::string>>& emoticons();
    // Words of chat ("lol", "idk") -> the emoji they stand for, in table order.
    static const std::vector<std::pair<std::string, std::string>>& chatWords();
    // The winks (";)"), apart: they begin with the trigger prefix, so they name their emoji in
    // a search field but never make a search after the prefix, where ";;)" is C's "for (;;)".
    static const std::vector<std::pair<std::string, std::string>>& winks();
    // The emoji of `text` when it is one of the emoticons, winks or chat words, letter case
    // aside; else nothing.
    static const std::string* emojiNamedBy(std::string_view text);
    // The catalog when the system emoji file is missing or nearly empty.
    static const std::vector<EmojiItem>& fallbackItems();
};

} // namespace tiklo
