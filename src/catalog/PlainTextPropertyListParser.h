// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/PropertyListValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tiklo {

// Reads the old plain-text (OpenStep) property-list format: `{ key = value; }`, `( a, b )`,
// quoted and unquoted strings, `<hex data>`, and the brace-less `key = value;` form of
// `.strings` files. Input is UTF-8 (an optional byte-order mark is skipped); invalid
// sequences in strings become U+FFFD. Malformed input yields nothing.
class PlainTextPropertyListParser {
public:
    // Deeper trees are rejected so hostile input cannot exhaust the stack.
    static constexpr int maxDepth = 512;

    static std::optional<PropertyListValue> parse(std::string_view utf8);

private:
    explicit PlainTextPropertyListParser(std::string_view text) : text_(text) {}

    std::optional<PropertyListValue> parseRoot();
    std::optional<PropertyListValue> parseValue(int depth);
    // Entries up to `terminator`, or up to the end of input when `terminator` is 0.
    std::optional<PropertyListValue::Dictionary> parseEntries(char terminator, int depth);
    std::optional<PropertyListValue::Array> parseArray(int depth);
    std::optional<std::string> parseString();
    std::optional<std::string> parseQuotedString();
    bool appendEscape(std::string& out);
    std::optional<char16_t> parseUtf16Escape();
    bool skipData();
    // False when a block comment never ends.
    bool skipWhiteSpaceAndComments();

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace tiklo
