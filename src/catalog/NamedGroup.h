// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/ItemKind.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tiklo {

// A whole listing of the full picker that a search names ("arrows", "Pfeile", "kaomoji"):
// a tab, and a group within it.
struct NamedGroup {
    ItemKind kind = ItemKind::symbol;
    std::string group;  // the group's raw value; empty for the whole tab
    std::string title;  // in the user's language where the catalog has it
    std::string sample; // a character of the group, to show beside the title; may be empty

    // The title as semicolon search lists it: the ellipsis tells it from a symbol of that
    // name, as the row opens a listing.
    std::string rowLabel() const { return title + " \u2026"; }

    bool operator==(const NamedGroup&) const = default;
};

// Where semicolon search lists the row of the group its query names, among `found` results:
// last on the first page of nine (what a Ctrl+digit reaches), or after fewer results.
constexpr std::size_t namedGroupRow(std::size_t found) {
    constexpr std::size_t lastOnFirstPage = 8;
    return found < lastOnFirstPage ? found : lastOnFirstPage;
}

// Which of `found` results a row of semicolon search lists, with the group's row among the
// rows or not: none for the group's row itself, or past the last row.
constexpr std::optional<std::size_t> resultAtRow(std::size_t row, std::size_t found,
                                                 bool withGroupRow) {
    if (!withGroupRow) {
        return row < found ? std::optional(row) : std::nullopt;
    }
    const std::size_t groupRow = namedGroupRow(found);
    if (row == groupRow || row > found) {
        return std::nullopt;
    }
    return row > groupRow ? row - 1 : row;
}

} // namespace tiklo
