// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/PlainTextPropertyListParser.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <utility>

namespace tiklo {

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isUnquotedCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '+' || c == '/' || c == ':' || c == '.' || c == '-';
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void appendUtf8(std::string& out, char32_t scalar) {
    char buffer[U8_MAX_LENGTH];
    std::size_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, scalar);
    out.append(buffer, length);
}

// Quoted strings copy raw bytes, which need not be valid UTF-8.
std::string validUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t length = bytes.size();
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length;) {
        UChar32 scalar = 0;
        U8_NEXT_OR_FFFD(data, i, length, scalar);
        appendUtf8(out, static_cast<char32_t>(scalar));
    }
    return out;
}

} // namespace

std::optional<PropertyListValue> PlainTextPropertyListParser::parse(std::string_view utf8) {
    if (utf8.starts_with(utf8ByteOrderMark)) {
        utf8.remove_prefix(utf8ByteOrderMark.size());
    }
    return PlainTextPropertyListParser(utf8).parseRoot();
}

std::optional<PropertyListValue> PlainTextPropertyListParser::parseRoot() {
    if (!skipWhiteSpaceAndComments()) {
        return std::nullopt;
    }
    // A `.strings` file with no entries (or only comments) is an empty table.
    if (atEnd()) {
        return PropertyListValue(PropertyListValue::Dictionary{});
    }
    const std::size_t start = pos_;
    auto value = parseValue(1);
    if (!value || !skipWhiteSpaceAndComments()) {
        return std::nullopt;
    }
    if (atEnd()) {
        return value;
    }
    // A string followed by `=` opens the brace-less `.strings` form; reread from the top.
    if (value->asString() && peek() == '=') {
        pos_ = start;
        auto entries = parseEntries(0, 1);
        if (!entries) {
            return std::nullopt;
        }
        return PropertyListValue(std::move(*entries));
    }
    return std::nullopt;
}

std::optional<PropertyListValue> PlainTextPropertyListParser::parseValue(int depth) {
    if (!skipWhiteSpaceAndComments() || atEnd()) {
        return std::nullopt;
    }
    switch (peek()) {
    case '{': {
        if (depth > maxDepth) {
            return std::nullopt;
        }
        ++pos_;
        auto entries = parseEntries('}', depth);
        if (!entries) {
            return std::nullopt;
        }
        return PropertyListValue(std::move(*entries));
    }
    case '(': {
        if (depth > maxDepth) {
            return std::nullopt;
        }
        ++pos_;
        auto items = parseArray(depth);
        if (!items) {
            return std::nullopt;
        }
        return PropertyListValue(std::move(*items));
    }
    case '<':
        if (!skipData()) {
            return std::nullopt;
        }
        return std::optional<PropertyListValue>(std::in_place);
    default: {
        auto string = parseString();
        if (!string) {
            return std::nullopt;
        }
        return PropertyListValue(std::move(*string));
    }
    }
}

std::optional<PropertyListValue::Dictionary>
PlainTextPropertyListParser::parseEntries(char terminator, int depth) {
    PropertyListValue::Dictionary entries;
    while (true) {
        if (!skipWhiteSpaceAndComments()) {
            return std::nullopt;
        }
        if (atEnd()) {
            if (terminator != 0) {
                return std::nullopt;
            }
            return entries;
        }
        if (terminator != 0 && peek() == terminator) {
            ++pos_;
            return entries;
        }
        auto key = parseString();
        if (!key || !skipWhiteSpaceAndComments() || atEnd() || peek() != '=') {
            return std::nullopt;
        }
        ++pos_;
        auto value = parseValue(depth + 1);
        if (!value || !skipWhiteSpaceAndComments()) {
            return std::nullopt;
        }
        entries.emplace_back(std::move(*key), std::move(*value));
        if (!atEnd() && peek() == ';') {
            ++pos_;
            continue;
        }
        // Hand-edited files often drop the `;` after the last entry; tolerate that only
        // inside braces, where the closing brace still proves nothing was cut off.
        if (terminator != 0 && !atEnd() && peek() == terminator) {
            ++pos_;
            return entries;
        }
        return std::nullopt;
    }
}

std::optional<PropertyListValue::Array> PlainTextPropertyListParser::parseArray(int depth) {
    PropertyListValue::Array items;
    if (!skipWhiteSpaceAndComments()) {
        return std::nullopt;
    }
    if (!atEnd() && peek() == ')') {
        ++pos_;
        return items;
    }
    while (true) {
        auto item = parseValue(depth + 1);
        if (!item || !skipWhiteSpaceAndComments() || atEnd()) {
            return std::nullopt;
        }
        items.push_back(std::move(*item));
        if (peek() == ')') {
            ++pos_;
            return items;
        }
        if (peek() != ',') {
            return std::nullopt;
        }
        ++pos_;
        if (!skipWhiteSpaceAndComments()) {
            return std::nullopt;
        }
        if (!atEnd() && peek() == ')') {
            ++pos_;
            return items;
        }
    }
}

std::optional<std::string> PlainTextPropertyListParser::parseString() {
    if (atEnd()) {
        return std::nullopt;
    }
    if (peek() == '"' || peek() == '\'') {
        return parseQuotedString();
    }
    const std::size_t start = pos_;
    while (!atEnd() && isUnquotedCharacter(peek())) {
        ++pos_;
    }
    if (pos_ == start) {
        return std::nullopt;
    }
    return std::string(text_.substr(start, pos_ - start));
}

std::optional<std::string> PlainTextPropertyListParser::parseQuotedString() {
    const char quote = text_[pos_++];
    std::string out;
    while (!atEnd()) {
        const char c = text_[pos_++];
        if (c == quote) {
            return validUtf8(out);
        }
        if (c != '\\') {
            out.push_back(c);
        } else if (!appendEscape(out)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool PlainTextPropertyListParser::appendEscape(std::string& out) {
    if (atEnd()) {
        return false;
    }
    const char c = text_[pos_++];
    switch (c) {
    case 'a':
        out.push_back('\a');
        return true;
    case 'b':
        out.push_back('\b');
        return true;
    case 'f':
        out.push_back('\f');
        return true;
    case 'n':
        out.push_back('\n');
        return true;
    case 'r':
        out.push_back('\r');
        return true;
    case 't':
        out.push_back('\t');
        return true;
    case 'v':
        out.push_back('\v');
        return true;
    case 'U': {
        const auto unit = parseUtf16Escape();
        if (!unit) {
            return false;
        }
        char32_t scalar = *unit;
        if (U16_IS_LEAD(*unit)) {
            // The trail half of a pair arrives as the next \U escape.
            const std::size_t afterLead = pos_;
            std::optional<char16_t> trail;
            if (text_.substr(pos_, 2) == "\\U") {
                pos_ += 2;
                trail = parseUtf16Escape();
            }
            if (trail && U16_IS_TRAIL(*trail)) {
                scalar = U16_GET_SUPPLEMENTARY(*unit, *trail);
            } else {
                pos_ = afterLead;
                scalar = 0xFFFD;
            }
        } else if (U16_IS_TRAIL(*unit)) {
            scalar = 0xFFFD;
        }
        appendUtf8(out, scalar);
        return true;
    }
    default:
        break;
    }
    if (c >= '0' && c <= '7') {
        unsigned value = static_cast<unsigned>(c - '0');
        for (int digits = 1; digits < 3 && !atEnd() && peek() >= '0' && peek() <= '7'; ++digits) {
            value = value * 8 + static_cast<unsigned>(text_[pos_++] - '0');
        }
        // An octal escape names one byte; \400 and above name nothing.
        if (value > 0xFF) {
            return false;
        }
        appendUtf8(out, static_cast<char32_t>(value));
        return true;
    }
    out.push_back(c);
    return true;
}

std::optional<char16_t> PlainTextPropertyListParser::parseUtf16Escape() {
    if (text_.size() - pos_ < 4) {
        return std::nullopt;
    }
    unsigned unit = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexDigitValue(text_[pos_ + static_cast<std::size_t>(i)]);
        if (digit < 0) {
            return std::nullopt;
        }
        unit = unit * 16 + static_cast<unsigned>(digit);
    }
    pos_ += 4;
    return static_cast<char16_t>(unit);
}

bool PlainTextPropertyListParser::skipData() {
    ++pos_;
    while (true) {
        while (!atEnd() && isWhiteSpace(peek())) {
            ++pos_;
        }
        if (atEnd()) {
            return false;
        }
        if (peek() == '>') {
            ++pos_;
            return true;
        }
        if (text_.size() - pos_ < 2 || hexDigitValue(text_[pos_]) < 0 ||
            hexDigitValue(text_[pos_ + 1]) < 0) {
            return false;
        }
        pos_ += 2;
    }
}

bool PlainTextPropertyListParser::skipWhiteSpaceAndComments() {
    while (!atEnd()) {
        const char c = peek();
        const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        if (isWhiteSpace(c)) {
            ++pos_;
        } else if (c == '/' && next == '/') {
            pos_ = text_.find_first_of("\r\n", pos_ + 2);
            if (pos_ == std::string_view::npos) {
                pos_ = text_.size();
            }
        } else if (c == '/' && next == '*') {
            const std::size_t end = text_.find("*/", pos_ + 2);
            if (end == std::string_view::npos) {
                pos_ = text_.size();
                return false;
            }
            pos_ = end + 2;
        } else {
            break;
        }
    }
    return true;
}

} // namespace tiklo
