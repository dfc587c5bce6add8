// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiItem.h"

#include "catalog/Unicode.h"

#include <functional>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace tiklo {

std::string EmojiItem::searchableText() const {
    std::string text = name;
    text += ' ';
    text += shortcode;
    text += ' ';
    text += kind == ItemKind::emoji ? rawValue(category) : std::string_view(group);
    for (const std::string& keyword : keywords) {
        text += ' ';
        text += keyword;
    }
    return unicode::toLower(text);
}

std::string EmojiItem::displayEmoji(SkinTone tone) const {
    if (!supportsSkinTone) {
        return emoji;
    }
    const std::optional<char32_t> m = modifier(tone);
    if (!m) {
        return emoji;
    }
    std::u32string text = unicode::scalars(emoji);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!unicode::isEmoji(text[i])) {
            continue;
        }
        // A modifier after anything but a modifier base is no skin tone: it shows as a
        // separate colour swatch (the name rule also marks "heart" and "tears" for tones).
        if (!unicode::isEmojiModifierBase(text[i])) {
            return emoji;
        }
        if (i + 1 < text.size() && unicode::isSkinToneModifier(text[i + 1])) {
            text[i + 1] = *m;
        } else {
            text.insert(text.begin() + static_cast<std::ptrdiff_t>(i + 1), *m);
        }
        return unicode::toUtf8(text);
    }
    return emoji;
}

std::string EmojiItem::typedText(SkinTone tone, bool alternate) const {
    return alternate && kind == ItemKind::kaomoji ? markdownEscaped(emoji) : displayEmoji(tone);
}

std::string EmojiItem::markdownEscaped(std::string_view text) {
    // Emphasis, code, strike-through, tables, links, HTML and the escape itself.
    constexpr std::string_view marks = "\\`*_~|[]<>";
    std::string escaped;
    escaped.reserve(text.size() * 2);
    for (const char c : text) {
        if (marks.find(c) != std::string_view::npos) {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::size_t EmojiItemHash::operator()(const EmojiItem& item) const {
    std::size_t seed = 0;
    auto mix = [&seed](std::size_t value) {
        seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    const std::hash<std::string> hashString;
    mix(hashString(item.emoji));
    mix(hashString(item.name));
    mix(hashString(item.shortcode));
    mix(static_cast<std::size_t>(item.category));
    mix(item.keywords.size());
    for (const std::string& keyword : item.keywords) {
        mix(hashString(keyword));
    }
    mix(item.supportsSkinTone ? 1 : 0);
    mix(static_cast<std::size_t>(item.kind));
    mix(hashString(item.group));
    return seed;
}

void to_json(nlohmann::json& j, const EmojiItem& item) {
    j = nlohmann::json{{"emoji", item.emoji},         {"name", item.name},
                       {"shortcode", item.shortcode}, {"category", item.category},
                       {"keywords", item.keywords},   {"supportsSkinTone", item.supportsSkinTone}};
    // Emoji keep the form they always had.
    if (item.kind != ItemKind::emoji) {
        j["kind"] = rawValue(item.kind);
        j["group"] = item.group;
    }
}

void from_json(const nlohmann::json& j, EmojiItem& item) {
    EmojiItem decoded;
    decoded.emoji = j.at("emoji").get<std::string>();
    decoded.name = j.at("name").get<std::string>();
    decoded.shortcode = j.at("shortcode").get<std::string>();
    decoded.category = j.at("category").get<EmojiCategory>();
    decoded.keywords = j.at("keywords").get<std::vector<std::string>>();
    const nlohmann::json& tone = j.at("supportsSkinTone");
    if (!tone.is_boolean()) {
        throw std::invalid_argument("EmojiItem: supportsSkinTone must be a boolean");
    }
    decoded.supportsSkinTone = tone.get<bool>();
    if (const auto kind = j.find("kind"); kind != j.end()) {
        const std::optional<ItemKind> known = itemKindFromRaw(kind->get<std::string>());
        if (!known) {
            throw std::invalid_argument("EmojiItem: unknown kind");
        }
        decoded.kind = *known;
        if (decoded.kind != ItemKind::emoji) {
            decoded.group = j.at("group").get<std::string>();
        }
    }
    item = std::move(decoded);
}

} // namespace tiklo
