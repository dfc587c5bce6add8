// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tiklo {

// The groups the symbols are listed in, in the order the full picker shows them.
enum class SymbolGroup {
    punctuation,
    arrows,
    math,
    currency,
    geometric,
    bulletsStars,
    letterlikeTechnical,
    music,
};

inline constexpr std::array<SymbolGroup, 8> allSymbolGroups{SymbolGroup::punctuation,
                                                            SymbolGroup::arrows,
                                                            SymbolGroup::math,
                                                            SymbolGroup::currency,
                                                            SymbolGroup::geometric,
                                                            SymbolGroup::bulletsStars,
                                                            SymbolGroup::letterlikeTechnical,
                                                            SymbolGroup::music};

// The group's id ("bullets_stars"), also its items' group.
std::string_view rawValue(SymbolGroup group);
std::optional<SymbolGroup> symbolGroupFromRaw(std::string_view raw);
// The English title ("Bullets & stars").
std::string_view title(SymbolGroup group);
// The type of CLDR's characterLabel that names the group in other languages.
std::string_view characterLabelType(SymbolGroup group);
// The group a single character falls in by its Unicode block and general category; nothing
// for a character that is none of the groups' (a letter, a digit, a CJK bracket is
// punctuation).
std::optional<SymbolGroup> symbolGroupOf(char32_t c);

} // namespace tiklo
