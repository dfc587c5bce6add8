// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tiklo {

// What a catalog item is. Each kind has its own index, so emoji results, categories and
// counts stay as they are beside the others.
enum class ItemKind {
    emoji,
    symbol,
    kaomoji,
};

// The order of the full picker's tabs.
inline constexpr std::array<ItemKind, 3> allItemKinds{ItemKind::emoji, ItemKind::symbol,
                                                      ItemKind::kaomoji};

// "emoji", "symbol", "kaomoji".
std::string_view rawValue(ItemKind kind);
std::optional<ItemKind> itemKindFromRaw(std::string_view raw);

} // namespace tiklo
