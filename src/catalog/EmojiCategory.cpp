// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiCategory.h"

#include "catalog/RawValueTable.h"

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

struct CategoryInfo {
    EmojiCategory value;
    std::string_view raw;
    std::string_view symbol;
};

constexpr std::array<CategoryInfo, 9> categoryTable{{
    {EmojiCategory::smileys, "Smileys", "face.smiling"},
    {EmojiCategory::people, "People", "person.2"},
    {EmojiCategory::animals, "Animals", "leaf"},
    {EmojiCategory::food, "Food", "fork.knife"},
    {EmojiCategory::activity, "Activity", "gamecontroller"},
    {EmojiCategory::travel, "Travel", "airplane"},
    {EmojiCategory::objects, "Objects", "lightbulb"},
    {EmojiCategory::symbols, "Symbols", "heart"},
    {EmojiCategory::flags, "Flags", "flag"},
}};

const CategoryInfo& info(EmojiCategory category) {
    return categoryTable[static_cast<std::size_t>(category)];
}

} // namespace

std::string_view rawValue(EmojiCategory category) {
    return info(category).raw;
}

std::string_view symbol(EmojiCategory category) {
    return info(category).symbol;
}

std::optional<EmojiCategory> emojiCategoryFromRaw(std::string_view raw) {
    return lookupRawValue(categoryTable, raw);
}

void to_json(nlohmann::json& j, EmojiCategory category) {
    j = std::string(rawValue(category));
}

void from_json(const nlohmann::json& j, EmojiCategory& category) {
    category = decodeRawValue(categoryTable, j, "EmojiCategory");
}

} // namespace tiklo
