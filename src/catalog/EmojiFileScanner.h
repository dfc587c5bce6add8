// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CatalogSources.h"
#include "catalog/EmojiCategory.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tiklo {

// Finds the emoji characters of the system emoji file: candidates are tried in order
// until one yields at least one character.
class EmojiFileScanner {
public:
    // `group` is the category the file files the emoji under, when the format has groups.
    using Accept =
        std::function<void(const std::string& emoji, std::optional<EmojiCategory> group)>;

    // Hands every accepted, not yet seen character to `accept`, in order of first
    // appearance. `seen` lives across the candidates.
    static void scan(const std::vector<CatalogSources::EmojiFile>& candidates,
                     std::unordered_set<std::string>& seen, const Accept& accept);

    // One file's characters, with the same rules (used by scan for each candidate).
    static void scanBytes(std::string_view bytes, CatalogSources::EmojiFileFormat format,
                          std::unordered_set<std::string>& seen, const Accept& accept);

    static bool isEmojiCandidate(std::string_view text);
};

} // namespace tiklo
