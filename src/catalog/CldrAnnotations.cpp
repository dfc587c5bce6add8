// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CldrAnnotations.h"

#include "catalog/Unicode.h"

#include <unordered_set>

#include <pugixml.hpp>

namespace tiklo {
namespace {

constexpr std::string_view inheritMarker = "\u2191\u2191\u2191"; // "↑↑↑"
constexpr std::string_view keywordSeparator = "|";

bool isUsable(std::string_view value) {
    return !value.empty() && value != inheritMarker;
}

// The five modifiers U+1F3FB..U+1F3FF are F0 9F 8F BB..BF in UTF-8.
constexpr std::string_view modifierPrefix = "\xF0\x9F\x8F";

bool isModifierAt(std::string_view emoji, std::size_t at) {
    const std::size_t last = at + modifierPrefix.size();
    const auto byte = static_cast<unsigned char>(last < emoji.size() ? emoji[last] : 0);
    return byte >= 0xBB && byte <= 0xBF;
}

bool hasSkinTone(std::string_view emoji) {
    for (std::size_t at = emoji.find(modifierPrefix); at != std::string_view::npos;
         at = emoji.find(modifierPrefix, at + 1)) {
        if (isModifierAt(emoji, at)) {
            return true;
        }
    }
    return false;
}

std::string withoutSkinTones(std::string emoji) {
    for (std::size_t at = emoji.find(modifierPrefix); at != std::string::npos;
         at = emoji.find(modifierPrefix, at)) {
        if (isModifierAt(emoji, at)) {
            emoji.erase(at, modifierPrefix.size() + 1);
        } else {
            ++at;
        }
    }
    return emoji;
}

std::vector<std::string> splitKeywords(std::string_view list) {
    std::vector<std::string> words;
    while (true) {
        const std::size_t bar = std::min(list.find(keywordSeparator), list.size());
        std::string word = unicode::trimWhiteSpace(list.substr(0, bar));
        if (isUsable(word)) {
            words.push_back(std::move(word));
        }
        if (bar == list.size()) {
            break;
        }
        list.remove_prefix(bar + 1);
    }
    return words;
}

} // namespace

std::optional<CldrAnnotations> CldrAnnotations::parse(std::string_view xml) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        return std::nullopt;
    }
    const pugi::xml_node root = document.child("ldml");
    if (!root) {
        return std::nullopt;
    }
    CldrAnnotations result;
    std::unordered_set<std::string> named;
    for (const pugi::xml_node annotation : root.child("annotations").children("annotation")) {
        std::string emoji = unicode::sanitizeUtf8(annotation.attribute("cp").value());
        if (emoji.empty()) {
            continue;
        }
        const std::string value = unicode::trimWhiteSpace(annotation.child_value());
        const bool tts = std::string_view(annotation.attribute("type").value()) == "tts";
        if (hasSkinTone(emoji)) {
            if (tts && isUsable(value)) {
                result.tonedNames.emplace_back(withoutSkinTones(std::move(emoji)), value);
            }
            continue;
        }
        if (tts) {
            if (isUsable(value) && named.insert(emoji).second) {
                result.names.emplace_back(std::move(emoji), value);
            }
        } else if (std::vector<std::string> words = splitKeywords(value); !words.empty()) {
            result.keywords.emplace_back(std::move(emoji), std::move(words));
        }
    }
    return result;
}

} // namespace tiklo
