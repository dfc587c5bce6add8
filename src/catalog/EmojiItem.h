// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCategory.h"
#include "catalog/SkinTone.h"

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

// One emoji as the catalog knows it. Texts are UTF-8.
struct EmojiItem {
    std::string emoji;     // exactly as the source gave it, never with a skin-tone modifier
    std::string name;      // display name
    std::string shortcode; // unique over the catalog; also the id
    EmojiCategory category = EmojiCategory::objects;
    std::vector<std::string> keywords; // unique, sorted ascending
    bool supportsSkinTone = false;

    const std::string& id() const { return shortcode; }

    // Name, shortcode, category and keywords joined by single spaces, lowercased.
    std::string searchableText() const;

    // The text to show or type under `tone`: the modifier goes after the first scalar that
    // has the Emoji property, replacing a modifier already there, when that scalar can
    // take one.
    std::string displayEmoji(SkinTone tone) const;

    bool operator==(const EmojiItem&) const = default;
};

struct EmojiItemHash {
    std::size_t operator()(const EmojiItem& item) const;
};

void to_json(nlohmann::json& j, const EmojiItem& item);
// Every member is required; throws on a missing member, a wrong type or an unknown category.
void from_json(const nlohmann::json& j, EmojiItem& item);

} // namespace tiklo
