// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/ItemKind.h"

#include <algorithm>

namespace tiklo {

std::string_view rawValue(ItemKind kind) {
    switch (kind) {
    case ItemKind::emoji:
        return "emoji";
    case ItemKind::symbol:
        return "symbol";
    case ItemKind::kaomoji:
        return "kaomoji";
    }
    return "emoji";
}

std::optional<ItemKind> itemKindFromRaw(std::string_view raw) {
    const auto found =
        std::ranges::find_if(allItemKinds, [&](ItemKind kind) { return rawValue(kind) == raw; });
    return found == allItemKinds.end() ? std::nullopt : std::optional(*found);
}

} // namespace tiklo
