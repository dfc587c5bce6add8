// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiItem.h"

#include <string>
#include <string_view>
#include <vector>

namespace tiklo {

// Whether a text can still grow into a search: whether it is the start of some run of words
// in a name, keyword or shortcode of the catalog ("thumbs " of "thumbs up", "+" of "+1",
// ":fi" of ":fire:"), or of an emoticon (":)"), ignoring case and diacritics. Built once,
// read from any thread.
class WordRunIndex {
public:
    explicit WordRunIndex(const std::vector<EmojiItem>& items);

    // True for the empty text.
    bool startsWordRun(std::string_view text) const;

    // A word begins after one of these (or at the start of a text).
    static bool separatesWords(char c) { return c == ' ' || c == '_' || c == '-' || c == '\n'; }

private:
    // Every text, folded, once, each on a line of its own.
    std::string lines_;
    // Texts that start only at their beginning.
    std::vector<std::string> emoticons_;
};

} // namespace tiklo
