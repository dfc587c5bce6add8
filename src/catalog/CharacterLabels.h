// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tiklo {

// CLDR's names for groups of characters in one language ("arrows" -> "Pfeile"), from the
// <characterLabels> of its main locale files.
class CharacterLabels {
public:
    // Label type -> label. Nothing when the text is not a CLDR locale file.
    static std::optional<std::unordered_map<std::string, std::string>> parse(std::string_view xml);
    // The labels of the files, most specific first: a type a file names keeps that label.
    // Missing and broken files add nothing.
    static std::unordered_map<std::string, std::string> load(const std::vector<std::string>& paths);
};

} // namespace tiklo
