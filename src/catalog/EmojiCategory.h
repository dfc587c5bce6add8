// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

enum class EmojiCategory {
    smileys,
    people,
    animals,
    food,
    activity,
    travel,
    objects,
    symbols,
    flags
};

// Declaration order: the order the full picker lists them in.
inline constexpr std::array<EmojiCategory, 9> allEmojiCategories{
    EmojiCategory::smileys, EmojiCategory::people,   EmojiCategory::animals,
    EmojiCategory::food,    EmojiCategory::activity, EmojiCategory::travel,
    EmojiCategory::objects, EmojiCategory::symbols,  EmojiCategory::flags};

// The raw value, also the category's id and its title ("Smileys").
std::string_view rawValue(EmojiCategory category);
// The system symbol name shown beside the title.
std::string_view symbol(EmojiCategory category);
// Exact, case-sensitive match of a raw value.
std::optional<EmojiCategory> emojiCategoryFromRaw(std::string_view raw);

void to_json(nlohmann::json& j, EmojiCategory category);
void from_json(const nlohmann::json& j, EmojiCategory& category);

} // namespace tiklo
