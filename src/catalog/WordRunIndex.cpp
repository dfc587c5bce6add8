// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/WordRunIndex.h"

#include "catalog/BuiltinTables.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <unordered_set>

namespace tiklo {

WordRunIndex::WordRunIndex(const std::vector<EmojiItem>& items) {
    std::unordered_set<std::string> seen;
    const auto add = [&](std::string_view text) {
        std::string folded = unicode::foldCaseAndDiacritics(text);
        // A line break inside a text would end its line early.
        std::replace(folded.begin(), folded.end(), '\n', ' ');
        if (!folded.empty() && seen.insert(folded).second) {
            lines_ += folded;
            lines_ += '\n';
        }
    };
    std::unordered_set<std::string_view> emoji;
    for (const EmojiItem& item : items) {
        emoji.insert(item.emoji);
        add(item.name);
        add(item.shortcode);
        // As the picker shows it, and as people write it in chat.
        add(":" + item.shortcode + ":");
        for (const std::string& keyword : item.keywords) {
            add(keyword);
        }
    }
    // An emoticon is a search too (";:)" looks for ":)"), where its emoji is in the catalog;
    // it is one word, though made of marks (the "-" of ":-)" starts nothing).
    for (const auto& [emoticon, itsEmoji] : BuiltinTables::emoticons()) {
        if (emoji.count(itsEmoji) != 0) {
            emoticons_.push_back(unicode::foldCaseAndDiacritics(emoticon));
        }
    }
    // So is a chat word, though no text of the catalog holds it ("omg").
    for (const auto& [word, itsEmoji] : BuiltinTables::chatWords()) {
        if (emoji.count(itsEmoji) != 0) {
            add(word);
        }
    }
}

bool WordRunIndex::startsWordRun(std::string_view text) const {
    const std::string folded = unicode::foldCaseAndDiacritics(text);
    if (folded.find('\n') != std::string::npos) {
        return false;
    }
    for (std::size_t at = lines_.find(folded); at != std::string::npos;
         at = lines_.find(folded, at + 1)) {
        if (at == 0 || separatesWords(lines_[at - 1])) {
            return true;
        }
    }
    return folded.empty() ||
           std::any_of(emoticons_.begin(), emoticons_.end(),
                       [&](const std::string& emoticon) { return emoticon.starts_with(folded); });
}

} // namespace tiklo
