// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tiklo {

// Which of the catalog's data sources gave data, so that the catalog's users can tell the
// user what is missing and where to get it; the catalog itself says nothing. The defaults
// describe a catalog that lacks nothing (one made from given items).
struct CatalogSourceReport {
    // A Debian package that provides Linux data, and what it provides.
    struct Package {
        std::string_view name;
        std::string_view data;

        bool operator==(const Package&) const = default;
    };
    static constexpr Package emojiFilePackage{"unicode-data", "emoji-test.txt"};
    static constexpr Package namesPackage{"unicode-cldr-core", "CLDR names"};

    // An emoji file gave at least one emoji; without one the catalog is the built-in items.
    bool emojiFile = true;
    // A names source gave at least one name; without one, names come from Unicode's
    // character names.
    bool names = true;
    // Items left out because the display cannot draw them.
    std::size_t undrawable = 0;
    // Symbols and kaomoji left out: no installed font draws one of their characters.
    std::size_t undrawableText = 0;

    // The packages whose data was missing, emoji file first.
    std::vector<Package> missingPackages() const {
        std::vector<Package> packages;
        if (!emojiFile) {
            packages.push_back(emojiFilePackage);
        }
        if (!names) {
            packages.push_back(namesPackage);
        }
        return packages;
    }

    bool operator==(const CatalogSourceReport&) const = default;
};

} // namespace tiklo
