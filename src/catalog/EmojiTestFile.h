// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCategory.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tiklo {

// Reader of Unicode's emoji-test.txt ("code points ; status # comment" lines, filed under
// "# group: NAME" headers).
class EmojiTestFile {
public:
    struct Entry {
        std::string emoji;
        // The category of the group the entry is filed under; nothing before the first
        // group header and under a group with no category ("Component", a future group).
        std::optional<EmojiCategory> category;

        bool operator==(const Entry&) const = default;
    };

    // Each of the file's groups and the category its emoji are filed under, one to one.
    static constexpr std::array<std::pair<std::string_view, EmojiCategory>, 9> groupCategories{{
        {"Smileys & Emotion", EmojiCategory::smileys},
        {"People & Body", EmojiCategory::people},
        {"Animals & Nature", EmojiCategory::animals},
        {"Food & Drink", EmojiCategory::food},
        {"Travel & Places", EmojiCategory::travel},
        {"Activities", EmojiCategory::activity},
        {"Objects", EmojiCategory::objects},
        {"Symbols", EmojiCategory::symbols},
        {"Flags", EmojiCategory::flags},
    }};

    static std::optional<EmojiCategory> categoryOfGroup(std::string_view group);

    // The fully-qualified entries as UTF-8 texts with their group's category, in file order.
    // Lines that do not parse (bad hex, a code point out of range, a surrogate) are skipped.
    static std::vector<Entry> fullyQualified(std::string_view text);
};

} // namespace tiklo
