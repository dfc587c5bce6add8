// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tiklo {

// What was read from a stored form: the value, or nothing when the stored form could not be
// read at all; `droppedEntries` when a collection was read without some of its entries.
template <typename T> struct Decoded {
    std::optional<T> value;
    bool droppedEntries = false;
};

} // namespace tiklo
