// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/LearnedRanking.h"

#include "e2e/DefaultsPlist.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <optional>
#include <sstream>

#include <gtest/gtest.h>

namespace tiklo::test {

History readHistory(const std::filesystem::path& file) {
    History history;
    if (const std::optional<std::string> recents = storedData(file, "recents")) {
        history.recents = nlohmann::json::parse(*recents).get<std::vector<std::string>>();
    }
    if (const std::optional<std::string> usage = storedData(file, "emojiUsage")) {
        history.usage = nlohmann::json::parse(*usage);
    }
    return history;
}

std::vector<std::string> rankedResults(const std::string& query, const History& history,
                                       const std::string& category) {
    const TempDir folder;
    std::string recents;
    for (const std::string& id : history.recents) {
        recents += (recents.empty() ? "" : ",") + id;
    }
    const std::string usage = folder.write("usage.json", history.usage.dump());
    std::vector<std::string> arguments{TIKLO_CATALOG_TOOL, "search", query, "--recents", recents,
                                       "--usage",          usage};
    if (!category.empty()) {
        arguments.insert(arguments.end(), {"--category", category});
    }
    const ChildProcess::Exit result = ChildProcess::run(arguments);
    EXPECT_TRUE(result.succeeded()) << "tiklo-catalog search failed";
    std::vector<std::string> emoji;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        emoji.push_back(line.substr(0, line.find('\t')));
    }
    return emoji;
}

} // namespace tiklo::test
