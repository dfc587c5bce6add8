// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tiklo {

// The kaomoji the program offers: the project's own table.
struct KaomojiRow {
    std::string_view text;     // exactly as typed, NFC
    std::string_view name;     // English, lower case; what screen readers say
    std::string_view keywords; // English, lower case, separated by "|"
    std::string_view category; // one of kaomojiCategories
    std::string_view anchor;   // an emoji, fully qualified, whose names in the user's language
                               // also find this kaomoji
};

// In the order the full picker shows them.
inline constexpr std::array<std::string_view, 18> kaomojiCategories{
    "joy",    "love",  "sad",  "angry", "surprise", "shrug", "table_flip",  "greeting",    "hug",
    "sleepy", "dance", "bear", "cat",   "dog",      "smug",  "disapproval", "embarrassed", "other"};

std::span<const KaomojiRow> kaomojiRows();

} // namespace tiklo
