#include "EmojiTestFile.h"

#include "Unicode.h"

#include <charconv>
#include <optional>

namespace tiklo {
namespace {

constexpr std::string_view fullyQualifiedStatus = "fully-qualified";
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

} // namespace

std::vector<std::string> EmojiTestFile::fullyQualified(std::string_view text) {
    std::vector<std::string> entries;
    while (!text.empty()) {
        const std::size_t newline = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(std::min(newline + 1, text.size()));

        line = line.substr(0, std::min(line.find('#'), line.size()));
        const std::size_t semicolon = line.find(';');
        if (semicolon == std::string_view::npos ||
            trim(line.substr(semicolon + 1)) != fullyQualifiedStatus) {
            continue;
        }
        if (auto entry = parseCodePoints(line.substr(0, semicolon))) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

} // namespace tiklo
