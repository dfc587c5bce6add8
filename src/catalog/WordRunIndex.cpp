#include "catalog/WordRunIndex.h"

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
    for (const EmojiItem& item : items) {
        add(item.name);
        add(item.shortcode);
        // As the picker shows it, and as people write it in chat.
        add(":" + item.shortcode + ":");
        for (const std::string& keyword : item.keywords) {
            add(keyword);
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
    return folded.empty();
}

} // namespace tiklo
