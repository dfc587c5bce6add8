// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCategory.h"
#include "catalog/ItemKind.h"
#include "catalog/SkinTone.h"

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

// One emoji, symbol or kaomoji as the catalog knows it. Texts are UTF-8.
struct EmojiItem {
    std::string emoji;     // exactly as the source gave it, never with a skin-tone modifier
    std::string name;      // display name
    std::string shortcode; // unique over the catalog; also the id
    EmojiCategory category = EmojiCategory::objects;
    std::vector<std::string> keywords; // unique, sorted ascending
    bool supportsSkinTone = false;
    ItemKind kind = ItemKind::emoji;
    // A symbol's group or a kaomoji's category (its raw value); empty for emoji, which have
    // `category`.
    std::string group = {};

    const std::string& id() const { return shortcode; }

    // Name, shortcode, category (or group) and keywords joined by single spaces, lowercased.
    std::string searchableText() const;

    // The text to show or type under `tone`: the modifier goes after the first scalar that
    // has the Emoji property, replacing a modifier already there, when that scalar can
    // take one.
    std::string displayEmoji(SkinTone tone) const;
    // What choosing the item types: `displayEmoji`, or for the alternate choice of a kaomoji,
    // its text with Markdown's marks escaped, because chat applications eat the "_" of "\_".
    std::string typedText(SkinTone tone, bool alternate) const;
    // `text` with every character that Markdown may read as markup after a backslash.
    static std::string markdownEscaped(std::string_view text);

    bool operator==(const EmojiItem&) const = default;
};

struct EmojiItemHash {
    std::size_t operator()(const EmojiItem& item) const;
};

void to_json(nlohmann::json& j, const EmojiItem& item);
// Every member of an emoji is required, and a kind other than emoji needs its group; throws
// on a missing member, a wrong type or an unknown category or kind.
void from_json(const nlohmann::json& j, EmojiItem& item);

} // namespace tiklo
