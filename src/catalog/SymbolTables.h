// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/SymbolGroup.h"

#include <span>
#include <string_view>

namespace tiklo {

// The project's own symbol data, beside what CLDR names.
class SymbolTables {
public:
    // A common symbol that CLDR does not name. Its English name comes from Unicode's
    // character names; keywords are lower case, separated by "|".
    struct Curated {
        std::string_view text;
        SymbolGroup group;
        std::string_view english;
        std::string_view german;
        std::string_view french;
    };
    static std::span<const Curated> curated();

    // Names people already type for a symbol: LaTeX commands ("rightarrow", "pm") and HTML
    // entities ("rarr", "deg"), separated by "|", without "\" or "&;".
    struct Aliases {
        std::string_view text;
        std::string_view names;
    };
    static std::span<const Aliases> aliases();

    // Characters Unicode counts as emoji that people expect as plain symbols (© ™ ↔ ♠ ✔),
    // without U+FE0F: they are offered as symbols too, in text style. CLDR names them.
    struct TextStyle {
        std::string_view text;
        SymbolGroup group;
    };
    static std::span<const TextStyle> textStyle();
};

} // namespace tiklo
