// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/NameHighlighter.h"

#include "catalog/Unicode.h"

#include <algorithm>

namespace tiklo {

std::string NameHighlighter::displayName(std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const std::vector<std::string> characters = unicode::graphemes(name);
    const std::string first = characters.empty() ? std::string() : characters.front();
    return unicode::toUpper(first) + std::string(name.substr(std::min(first.size(), name.size())));
}

HighlightedName NameHighlighter::highlight(std::string_view name, std::string_view query) {
    const std::string shown = displayName(name);
    std::string needle = unicode::trimWhiteSpace(query);
    std::erase(needle, ':');
    std::replace(needle.begin(), needle.end(), '_', ' ');
    const auto range = unicode::findIgnoringCaseAndDiacritics(shown, needle);
    if (!range) {
        return {shown, {}, {}};
    }
    return {shown.substr(0, range->first), shown.substr(range->first, range->second),
            shown.substr(range->first + range->second)};
}

} // namespace tiklo
