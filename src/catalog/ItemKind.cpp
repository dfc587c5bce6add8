// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/ItemKind.h"

#include "catalog/RawValueTable.h"

namespace tiklo {
namespace {

struct KindRow {
    ItemKind value;
    std::string_view raw;
};

constexpr std::array<KindRow, 3> kindTable{{
    {ItemKind::emoji, "emoji"},
    {ItemKind::symbol, "symbol"},
    {ItemKind::kaomoji, "kaomoji"},
}};

} // namespace

std::string_view rawValue(ItemKind kind) {
    return kindTable[static_cast<std::size_t>(kind)].raw;
}

std::optional<ItemKind> itemKindFromRaw(std::string_view raw) {
    return lookupRawValue(kindTable, raw);
}

} // namespace tiklo
