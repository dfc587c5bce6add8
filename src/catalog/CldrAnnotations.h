// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tiklo {

// The names ("tts" entries) and keyword lists of one CLDR annotations file, in its
// language. Entries of texts with a skin-tone modifier (most of a derived annotations
// file) are apart: toned variants are never catalog items, tones are applied on output;
// their names are kept under the emoji without its tones.
struct CldrAnnotations {
    // Emoji text -> name, in file order; a repeated key keeps its first value.
    std::vector<std::pair<std::string, std::string>> names;
    // The names of toned variants, by the emoji without its modifiers, in file order.
    std::vector<std::pair<std::string, std::string>> tonedNames;
    // Emoji text -> keywords (the " | "-separated list, trimmed), in file order.
    std::vector<std::pair<std::string, std::vector<std::string>>> keywords;

    // Nothing when the text is not well-formed XML with an <ldml> root. Placeholder
    // values such as "↑↑↑" (inherit from the parent locale) are neither names nor keywords.
    static std::optional<CldrAnnotations> parse(std::string_view xml);
};

} // namespace tiklo
