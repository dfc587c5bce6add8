// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CatalogSources.h"
#include "catalog/EmojiItem.h"
#include "catalog/SystemEmojiTables.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tiklo {

// Turns the characters of the emoji file, the system tables and the built-in tables into
// catalog items: display name, unique shortcode, category, keywords, skin-tone flag.
class CatalogAssembler {
public:
    // A catalog smaller than this gets the missing built-in fallback items appended.
    static constexpr std::size_t minimumSystemItems = 100;

    explicit CatalogAssembler(const SystemEmojiTables& tables) : tables_(tables) {}

    struct Assembly {
        std::vector<EmojiItem> items;
        std::size_t scannedItems = 0; // made from the emoji file, before any fallback item
    };

    // The whole catalog from the given emoji file candidates.
    Assembly assemble(const std::vector<CatalogSources::EmojiFile>& files) const;
    std::vector<EmojiItem>
    loadSystemEmoji(const std::vector<CatalogSources::EmojiFile>& files) const {
        return assemble(files).items;
    }

    // One item for a character handed over by the scan; `used` collects the shortcodes.
    // The category is the file's group when it gives one, else the name-word rules'.
    EmojiItem makeItem(const std::string& emoji, std::unordered_set<std::string>& used,
                       std::optional<EmojiCategory> group = std::nullopt) const;

    std::string displayName(std::string_view emoji, const std::vector<std::string>& aliases) const;
    std::vector<std::string> extraKeywords(std::string_view emoji, std::string_view name,
                                           const std::vector<std::string>& aliases) const;

    static std::string slug(std::string_view text);
    static std::string hexID(std::string_view emoji);
    static std::string uniqueShortcode(std::string_view preferred, std::string_view emoji,
                                       std::unordered_set<std::string>& used);
    static bool isFlag(std::string_view emoji);
    static EmojiCategory category(std::string_view emoji, std::string_view name);
    static bool supportsSkinTone(std::string_view emoji, std::string_view name);
    static std::vector<std::string> keywords(std::string_view text);
    static std::vector<std::string> flagRegionKeywords(std::string_view emoji);

private:
    static void insertKeywords(std::set<std::string>& into, std::string_view text);

    const SystemEmojiTables& tables_;
};

} // namespace tiklo
