// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tiklo::test {

// What Tiklo has learned, as its settings file holds it.
struct History {
    std::vector<std::string> recents;
    nlohmann::json usage = nlohmann::json::object();

    bool operator==(const History&) const = default;
};

History readHistory(const std::filesystem::path& file);

// The emoji of the ranked results for `query` under `history`, in `category` when one is
// named ("Food"), as the catalog tool ranks them from the same system sources.
std::vector<std::string> rankedResults(const std::string& query, const History& history,
                                       const std::string& category = {});

} // namespace tiklo::test
