// SPDX-License-Identifier: GPL-3.0-or-later
// tiklo-catalog as the user runs it: a process with its own environment, its standard
// output and error, and its exit status.
#include "catalog/FileReading.h"
#include "support/TempDir.h"

#include <algorithm>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool with exactly `environment` (no variable of this process leaks in).
ToolRun runTool(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
    const test::TempDir dir;
    const std::string out = dir.file("out");
    const std::string err = dir.file("err");
    std::vector<std::string> strings{TIKLO_CATALOG_TOOL};
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : strings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment;
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ToolRun run;
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    run.out = readWholeFile(out).value_or("");
    run.err = readWholeFile(err).value_or("");
    return run;
}

std::string firstEmoji(const ToolRun& run) {
    return run.out.substr(0, run.out.find('\t'));
}

TEST(CatalogToolProcessTest, LanguageComesFromTheEnvironmentUnlessGiven) {
    const std::string heart = "\u2764\uFE0F";
    const auto herz = [](std::vector<std::string> environment,
                         std::vector<std::string> options = {}) {
        std::vector<std::string> args{"search", "herz"};
        args.insert(args.end(), options.begin(), options.end());
        const ToolRun run = runTool(args, environment);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "") << "no word to the user about the language";
        return firstEmoji(run);
    };
    // Which variable wins is the locale test's; here that the tool reads them at all.
    EXPECT_EQ(herz({"LANG=de_DE.UTF-8"}), heart);
    EXPECT_NE(herz({"LC_ALL=C.UTF-8", "LANG=de_DE.UTF-8"}), heart);
    EXPECT_NE(herz({"LANG=de_DE.UTF-8"}, {"--locale", "none"}), heart);
    EXPECT_EQ(herz({"LANG=C"}, {"--locale", "de"}), heart);
}

TEST(CatalogToolProcessTest, MissingEmojiDataIsOneWarningLineNamingThePackages) {
    const test::TempDir dir;
    const ToolRun run = runTool({"items", "--emoji-test", dir.write("empty.txt", "")}, {});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 12);
    EXPECT_EQ(run.err, "tiklo-catalog: no emoji data could be read, so the catalog is only the 12 "
                       "built-in emoji; install unicode-data (emoji-test.txt) and "
                       "unicode-cldr-core (CLDR names)\n");
}

} // namespace
} // namespace tiklo
