// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tiklo {

// How a result's name is shown: its first character in upper case, and the first place
// where the query occurs in it (ignoring case and diacritics) set apart.
struct HighlightedName {
    std::string before;
    std::string match;
    std::string after;

    bool operator==(const HighlightedName&) const = default;
};

class NameHighlighter {
public:
    static std::string displayName(std::string_view name);
    // The query as typed: trimmed, colons dropped, underscores read as spaces.
    static HighlightedName highlight(std::string_view name, std::string_view query);
};

} // namespace tiklo
