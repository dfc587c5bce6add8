// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tiklo {

// A parsed property-list tree. Only the shapes the catalog reads (strings, arrays,
// dictionaries) are kept; every other leaf (numbers, dates, data, booleans) becomes
// `Other`, so a consumer can still tell "wrong shape" from "missing".
class PropertyListValue {
public:
    struct Other {
        bool operator==(const Other&) const = default;
    };
    using Array = std::vector<PropertyListValue>;
    // Entries in the file's own order; a key may repeat if the file repeats it.
    using Dictionary = std::vector<std::pair<std::string, PropertyListValue>>;

    PropertyListValue() = default;
    PropertyListValue(std::string s) : value_(std::move(s)) {}
    PropertyListValue(Array a) : value_(std::move(a)) {}
    PropertyListValue(Dictionary d) : value_(std::move(d)) {}

    const std::string* asString() const { return std::get_if<std::string>(&value_); }
    const Array* asArray() const { return std::get_if<Array>(&value_); }
    const Dictionary* asDictionary() const { return std::get_if<Dictionary>(&value_); }

    bool operator==(const PropertyListValue&) const = default;

private:
    std::variant<Other, std::string, Array, Dictionary> value_;
};

} // namespace tiklo
