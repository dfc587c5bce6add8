// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiTestFile.h"

#include "catalog/Unicode.h"

#include <charconv>
#include <optional>

namespace tiklo {
namespace {

constexpr std::string_view fullyQualifiedStatus = "fully-qualified";
constexpr std::string_view groupHeader = "group:"; // "# group: Smileys & Emotion"
constexpr char32_t maxScalar = 0x10FFFF;

std::string_view trim(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<std::string> parseCodePoints(std::string_view field) {
    std::u32string text;
    while (true) {
        field = trim(field);
        if (field.empty()) {
            break;
        }
        const std::size_t end = std::min(field.find_first_of(" \t"), field.size());
        const std::string_view token = field.substr(0, end);
        unsigned long value = 0;
        const auto [ptr, error] =
            std::from_chars(token.data(), token.data() + token.size(), value, 16);
        if (error != std::errc() || ptr != token.data() + token.size() || value > maxScalar ||
            (value >= 0xD800 && value <= 0xDFFF)) {
            return std::nullopt;
        }
        text.push_back(static_cast<char32_t>(value));
        field.remove_prefix(end);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    return unicode::toUtf8(text);
}

// The group named by a "# group: NAME" line; nothing for any other line ("# subgroup: ..."
// included).
std::optional<std::string_view> groupOf(std::string_view line) {
    line = trim(line);
    if (!line.starts_with('#')) {
        return std::nullopt;
    }
    line = trim(line.substr(1));
    if (!line.starts_with(groupHeader)) {
        return std::nullopt;
    }
    return trim(line.substr(groupHeader.size()));
}

} // namespace

std::optional<EmojiCategory> EmojiTestFile::categoryOfGroup(std::string_view group) {
    for (const auto& [name, category] : groupCategories) {
        if (name == group) {
            return category;
        }
    }
    return std::nullopt;
}

std::vector<EmojiTestFile::Entry> EmojiTestFile::fullyQualified(std::string_view text) {
    std::vector<Entry> entries;
    std::optional<EmojiCategory> category;
    while (!text.empty()) {
        const std::size_t newline = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(std::min(newline + 1, text.size()));

        if (const std::optional<std::string_view> group = groupOf(line)) {
            category = categoryOfGroup(*group);
            continue;
        }
        line = line.substr(0, std::min(line.find('#'), line.size()));
        const std::size_t semicolon = line.find(';');
        if (semicolon == std::string_view::npos ||
            trim(line.substr(semicolon + 1)) != fullyQualifiedStatus) {
            continue;
        }
        if (auto entry = parseCodePoints(line.substr(0, semicolon))) {
            entries.push_back({std::move(*entry), category});
        }
    }
    return entries;
}

} // namespace tiklo
