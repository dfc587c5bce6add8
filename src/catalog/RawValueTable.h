// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace tiklo {

// Shared by the enumerations with string raw values. Each keeps a table of rows with a
// `value` (the case) and a `raw` member; construction from a raw value is an exact,
// case-sensitive match and yields nothing otherwise.
template <typename Row, std::size_t N>
auto lookupRawValue(const std::array<Row, N>& table, std::string_view raw)
    -> std::optional<decltype(Row::value)> {
    for (const Row& row : table) {
        if (row.raw == raw) {
            return row.value;
        }
    }
    return std::nullopt;
}

// Decoding a JSON value that is not one of the raw values is an error.
template <typename Row, std::size_t N>
auto decodeRawValue(const std::array<Row, N>& table, const nlohmann::json& j,
                    std::string_view typeName) -> decltype(Row::value) {
    if (!j.is_string()) {
        throw std::invalid_argument(std::string(typeName) + ": expected a string");
    }
    if (auto value = lookupRawValue(table, j.get_ref<const std::string&>())) {
        return *value;
    }
    throw std::invalid_argument(std::string(typeName) + ": unknown raw value");
}

} // namespace tiklo
