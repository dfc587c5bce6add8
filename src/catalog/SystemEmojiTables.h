// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CatalogSources.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace tiklo {

// The lookup tables read from the system's emoji data, keyed by emoji text exactly as the
// data gives it. A source that is missing, unreadable, unparsable or of the wrong shape
// falls through to the next candidate, and after the last leaves its table empty.
struct SystemEmojiTables {
    std::unordered_map<std::string, std::string> systemNames;
    std::unordered_map<std::string, std::vector<std::string>> equivalentByEmoji;
    // Lowercased phrases, sorted ascending, without duplicates.
    std::unordered_map<std::string, std::vector<std::string>> phraseAliasesByEmoji;
    // Names and keywords in the user's language, lowercased, sorted, without duplicates.
    std::unordered_map<std::string, std::vector<std::string>> userLanguageKeywords;
    // The names alone (a regional locale may add one), lowercased, in file order.
    std::unordered_map<std::string, std::vector<std::string>> userLanguageNames;

    static SystemEmojiTables load(const CatalogSources& sources);

    static std::unordered_map<std::string, std::string>
    loadSystemNames(const std::vector<CatalogSources::Annotations>& candidates,
                    const std::vector<std::string>& qualifiedEmoji);
    static std::unordered_map<std::string, std::vector<std::string>>
    loadEquivalences(const std::vector<std::string>& paths);
    static std::unordered_map<std::string, std::vector<std::string>>
    loadPhrases(const std::vector<CatalogSources::Annotations>& candidates,
                const std::vector<std::string>& qualifiedEmoji);
    // Every file is read; a missing or broken one adds nothing. Names and keywords together,
    // and the names alone.
    struct UserLanguage {
        std::unordered_map<std::string, std::vector<std::string>> words;
        std::unordered_map<std::string, std::vector<std::string>> names;
    };
    static UserLanguage loadUserLanguage(const std::vector<std::string>& paths,
                                         const std::vector<std::string>& qualifiedEmoji);
};

} // namespace tiklo
