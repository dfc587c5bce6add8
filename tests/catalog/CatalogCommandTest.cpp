#include "tools/catalog/CatalogCommand.h"
#include "support/TempDir.h"

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

class CatalogCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        emojiTest = dir.write("emoji-test.txt", "1F525 ; fully-qualified # fire\n"
                                                "1F9EF ; fully-qualified # extinguisher\n"
                                                "2764 FE0F ; fully-qualified # red heart\n");
        cldr = dir.write("en.xml", R"(<ldml><annotations>
<annotation cp="🔥">flame | hot</annotation><annotation cp="🔥" type="tts">fire</annotation>
<annotation cp="🧯">extinguish | fire</annotation>
<annotation cp="🧯" type="tts">fire extinguisher</annotation>
<annotation cp="❤" type="tts">red heart</annotation>
</annotations></ldml>)");
    }
    std::vector<std::string> sources() const { return {"--emoji-test", emojiTest, "--cldr", cldr}; }

    test::TempDir dir;
    std::string emojiTest;
    std::string cldr;
};

TEST_F(CatalogCommandTest, ItemsAndSearchFromNamedFiles) {
    const std::vector<std::string> files = sources();
    std::vector<std::string> args = files;
    args.insert(args.begin(), "items");
    const Result items = run(args);
    ASSERT_EQ(items.status, 0) << items.err;
    const auto itemLines = lines(items.out);
    // Three scanned items, then the fallback list without fire and heart.
    ASSERT_EQ(itemLines.size(), 3u + 10u);
    const auto first = nlohmann::json::parse(itemLines[0]);
    EXPECT_EQ(first.at("shortcode"), "fire");
    EXPECT_EQ(first.at("name"), "fire");
    EXPECT_EQ(nlohmann::json::parse(itemLines[2]).at("name"), "red heart");

    args[0] = "search";
    args.insert(args.begin() + 1, "fire");
    EXPECT_EQ(run(args).out, "\U0001F525\tfire\tfire\n\U0001F9EF\tfire_extinguisher\tfire "
                             "extinguisher\n");

    // Usage at a fixed moment lifts the extinguisher above the more common fire.
    const std::string usage =
        dir.write("usage.json",
                  R"({"🧯":{"count":2,"lastUsedAt":100.5},"❓":{"count":1,"lastUsedAt":0}})");
    args = {"search", "f", "--usage", usage, "--now", "200", "--json", "--category", "Animals"};
    args.insert(args.end(), files.begin(), files.end());
    const auto found = lines(run(args).out);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(nlohmann::json::parse(found[0]).at("emoji"), "\U0001F9EF");
    EXPECT_EQ(nlohmann::json::parse(found[1]).at("category"), "Animals");

    args = {"search", "", "--recents", "fire_extinguisher,heart", "--favorites", "thinking"};
    args.insert(args.end(), files.begin(), files.end());
    const auto ranked = lines(run(args).out);
    ASSERT_GE(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].substr(ranked[0].find('\t') + 1, 8), "thinking");
    EXPECT_EQ(ranked[1].substr(ranked[1].find('\t') + 1), "fire_extinguisher\tfire extinguisher");
}

TEST_F(CatalogCommandTest, BadInputGetsOneLineAndStatusTwo) {
    const std::string notJson = dir.write("bad.json", "{");
    const std::vector<std::vector<std::string>> bad{
        {},
        {"items", "extra"},
        {"search"},
        {"frobnicate"},
        {"items", "--emoji-test", dir.file("missing.txt")},
        {"items", "--names"},
        {"items", "--bogus"},
        {"search", "x", "--category", "smileys"},
        {"search", "x", "--now", "soon"},
        {"search", "x", "--usage", notJson},
        {"search", "x", "--usage", dir.path().string()},
        {"search", "x", "--locale"},
        {"search", "--", "a", "b"},
        {"search", "--json"},
        {"--", "--help"},
    };
    for (const auto& args : bad) {
        const Result result = run(args);
        EXPECT_EQ(result.status, CatalogCommand::usageError) << testing::PrintToString(args);
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(lines(result.err).size(), 1u) << result.err;
    }
}

TEST_F(CatalogCommandTest, OptionsEndAtTheDoubleDashAndHelpComesFirst) {
    const std::string cldrMinus = dir.write("minus.xml", R"(<ldml><annotations>
<annotation cp="🔥">-1 | --json</annotation></annotations></ldml>)");
    std::vector<std::string> args{"search", "--emoji-test", emojiTest, "--cldr", cldrMinus, "--"};
    args.push_back("-1");
    EXPECT_EQ(lines(run(args).out).at(0), "\U0001F525\tfire\tfire");
    args.back() = "--json";
    const Result query = run(args);
    EXPECT_EQ(query.status, 0);
    EXPECT_EQ(lines(query.out).at(0), "\U0001F525\tfire\tfire");
    args.back() = "--help"; // a query now, not a request for help
    EXPECT_EQ(run(args).out, "");

    for (const std::vector<std::string>& help : std::vector<std::vector<std::string>>{
             {"--help"}, {"items", "--help"}, {"frobnicate", "--emoji-test", "--help"}}) {
        const Result answer = run(help);
        EXPECT_EQ(answer.status, 0);
        EXPECT_TRUE(answer.out.starts_with("usage: tiklo-catalog items | search QUERY"));
        EXPECT_GT(lines(answer.out).size(), 10u);
        EXPECT_EQ(answer.err, "");
    }
}

TEST_F(CatalogCommandTest, FilesThatAreNotRegularFilesAreNamedAsSuch) {
    const std::string folder = dir.path().string();
    for (const char* option : {"--usage", "--emoji-test", "--cldr", "--names"}) {
        EXPECT_EQ(run({"items", option, folder}).err,
                  "tiklo-catalog: not a regular file: " + folder + "\n");
        EXPECT_EQ(run({"items", option, dir.file("missing")}).err,
                  "tiklo-catalog: no such file: " + dir.file("missing") + "\n");
    }
}

TEST_F(CatalogCommandTest, OnlyTheBuiltInFallbackGetsAWarningNamingWhatIsMissing) {
    const std::string empty = dir.write("empty.txt", "# group: Smileys & Emotion\n");
    // Names were found: only the emoji file is missing (the process test has both).
    EXPECT_EQ(run({"items", "--emoji-test", empty, "--cldr", cldr}).err,
              "tiklo-catalog: no emoji data could be read, so the catalog is only the 12 "
              "built-in emoji; install unicode-data (emoji-test.txt)\n");
    // A small file is not a fallback: its items come first, and nothing is said.
    const Result small = run({"items", "--emoji-test", emojiTest});
    EXPECT_EQ(small.err, "");
    EXPECT_EQ(lines(small.out).size(), 13u);
}

TEST_F(CatalogCommandTest, LocaleAddsTheLanguageToNamedFilesAndNoneToNothing) {
    std::vector<std::string> args = sources();
    args.insert(args.begin(), {"search", "herz"});
    EXPECT_EQ(run(args).out, "");
    args.insert(args.end(), {"--locale", "de_CH.UTF-8"});
    const Result german = run(args);
    EXPECT_EQ(german.err, "");
    EXPECT_EQ(lines(german.out).at(0), "\u2764\uFE0F\theart\tred heart");
}

} // namespace
} // namespace tiklo
