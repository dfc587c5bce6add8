// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/catalog/CatalogCommand.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = CatalogCommand::run(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

TEST(CatalogCommandTest, ItemsAndSearchFromNamedFilesAndBadInputGetsOneLineAndStatusTwo) {
    const test::TempDir dir;
    const std::string emojiTest =
        dir.write("emoji-test.txt", "1F525 ; fully-qualified # fire\n"
                                    "1F9EF ; fully-qualified # extinguisher\n"
                                    "2764 FE0F ; fully-qualified # red heart\n");
    const std::string cldr = dir.write("en.xml", R"(<ldml><annotations>
<annotation cp="🔥">flame | hot</annotation><annotation cp="🔥" type="tts">fire</annotation>
<annotation cp="🧯">extinguish | fire</annotation>
<annotation cp="🧯" type="tts">fire extinguisher</annotation>
<annotation cp="❤" type="tts">red heart</annotation>
<annotation cp="→" type="tts">rightwards arrow</annotation>
</annotations></ldml>)");
    // `args`, reading the two files above.
    const auto runOnFiles = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--emoji-test", emojiTest, "--cldr", cldr});
        return run(args);
    };
    const Result items = runOnFiles({"items", "--kind", "emoji"});
    ASSERT_EQ(items.status, 0) << items.err;
    const auto itemLines = lines(items.out);
    // Three scanned items, then the fallback list without fire and heart.
    ASSERT_EQ(itemLines.size(), 3u + 10u);
    const auto first = nlohmann::json::parse(itemLines[0]);
    EXPECT_EQ(first.at("shortcode"), "fire");
    EXPECT_EQ(first.at("name"), "fire");
    EXPECT_EQ(nlohmann::json::parse(itemLines[2]).at("name"), "red heart");

    EXPECT_EQ(runOnFiles({"search", "fire"}).out,
              "\U0001F525\tfire\tfire\temoji\n\U0001F9EF\tfire_extinguisher\tfire "
              "extinguisher\temoji\n");
    // The symbol is in its own kind: not among the emoji, found inline by its whole name.
    const std::string arrow = "\u2192\tsymbol_2192\trightwards arrow\tsymbol";
    EXPECT_EQ(lines(runOnFiles({"search", "rightwards arrow", "--kind", "symbol"}).out).at(0),
              arrow);
    EXPECT_EQ(runOnFiles({"search", "rightwards arrow"}).out, "");
    EXPECT_EQ(lines(runOnFiles({"search", "rightwards arrow", "--inline"}).out).at(0), arrow);
    // A query naming its group adds the popup's row that opens the group, after few results.
    EXPECT_EQ(runOnFiles({"search", "arrows", "--inline"}).out,
              "\u2192\tsymbol:arrows\tArrows\tgroup\n");
    EXPECT_EQ(runOnFiles({"search", "arrows", "--inline", "--json"}).out,
              R"({"group":"arrows","opens":"symbol","title":"Arrows"})"
              "\n");

    const auto ranked = lines(runOnFiles({"search", "", "--recents", "fire_extinguisher,heart",
                                          "--favorites", "thinking"})
                                  .out);
    ASSERT_GE(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].substr(ranked[0].find('\t') + 1, 8), "thinking");
    EXPECT_EQ(ranked[1].substr(ranked[1].find('\t') + 1),
              "fire_extinguisher\tfire extinguisher\temoji");

    // Bad input gets one line and status two.
    const std::string notJson = dir.write("bad.json", "{");
    const std::vector<std::vector<std::string>> bad{
        {},
        {"search"},
        {"frobnicate"},
        {"items", "--emoji-test", dir.file("missing.txt")},
        {"items", "--bogus"},
        {"search", "x", "--category", "smileys"},
        {"search", "x", "--now", "soon"},
        {"search", "x", "--usage", notJson},
        {"search", "x", "--usage", dir.path().string()},
        {"search", "x", "--locale"},
        {"search", "x", "--kind", "emojis"},
        {"search", "x", "--inline", "--kind", "symbol"},
        {"search", "x", "--kind", "symbol", "--category", "Symbols"},
        {"--", "--help"},
    };
    for (const auto& args : bad) {
        const Result result = run(args);
        EXPECT_EQ(result.status, CatalogCommand::usageError) << testing::PrintToString(args);
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(lines(result.err).size(), 1u) << result.err;
    }
    // After "--" an option's spelling is a query.
    const Result query = run({"search", "--emoji-test", emojiTest, "--cldr", cldr, "--", "--json"});
    EXPECT_EQ(query.status, 0) << query.err;
}

// tiklo-catalog as the user runs it, with only `environment` (none of this process's).
test::ChildProcess::Exit runTool(const std::vector<std::string>& args,
                                 const std::vector<std::string>& environment) {
    std::vector<std::string> command{"env", "-i"};
    command.insert(command.end(), environment.begin(), environment.end());
    command.push_back(TIKLO_CATALOG_TOOL);
    command.insert(command.end(), args.begin(), args.end());
    return test::ChildProcess::run(command);
}

TEST(CatalogToolProcessTest, LanguageComesFromTheEnvironmentAndMissingDataIsOneWarningLine) {
    const std::string heart = "\u2764\uFE0F";
    const auto herz = [](std::vector<std::string> environment,
                         std::vector<std::string> options = {}) {
        std::vector<std::string> args{"search", "herz"};
        args.insert(args.end(), options.begin(), options.end());
        const test::ChildProcess::Exit run = runTool(args, environment);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.errors, "") << "no word to the user about the language";
        return run.output.substr(0, run.output.find('\t'));
    };
    // Which variable wins is the locale test's; here that the tool reads them at all.
    EXPECT_EQ(herz({"LANG=de_DE.UTF-8"}), heart);
    EXPECT_NE(herz({"LANG=de_DE.UTF-8"}, {"--locale", "none"}), heart);
    EXPECT_EQ(herz({"LANG=C"}, {"--locale", "de"}), heart);

    // Missing emoji data is one warning line naming the packages.
    const test::TempDir dir;
    const auto run =
        runTool({"items", "--kind", "emoji", "--emoji-test", dir.write("empty.txt", "")}, {});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 12);
    EXPECT_EQ(run.errors,
              "tiklo-catalog: no emoji data could be read, so the catalog is only the 12 "
              "built-in emoji; install unicode-data (emoji-test.txt) and "
              "unicode-cldr-core (CLDR names)\n");
}

} // namespace
} // namespace tiklo
