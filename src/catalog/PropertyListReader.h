// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/PropertyListValue.h"

#include <optional>
#include <string_view>

namespace tiklo {

// Reads a property list from raw bytes in any of the three formats the system writes:
// binary ("bplist00"), XML, and the old plain-text format of `.strings` files (which may
// be UTF-8 or UTF-16 with a byte-order mark). Returns nothing when the bytes parse as
// none of them. Never throws; survives any input.
class PropertyListReader {
public:
    static std::optional<PropertyListValue> parse(std::string_view bytes);
};

} // namespace tiklo
