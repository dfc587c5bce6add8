// SPDX-License-Identifier: GPL-3.0-or-later
// The program's answers before it shows anything: its arguments, a missing display and the
// instance lock, each run as a real process. No display is needed.
#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

namespace fs = std::filesystem;

// A display number no X server of this machine listens on.
std::string displayWithoutServer() {
    int number = 4000;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
        ++number;
    }
    return ":" + std::to_string(number);
}

class TikloLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Private folders: never a real session's lock or settings. No display.
        environment_.set("XDG_RUNTIME_DIR", runtime_.path().string());
        environment_.set("XDG_CONFIG_HOME", config_.path().string());
        environment_.set("DISPLAY", std::nullopt);
    }

    static ChildProcess::Exit tiklo(std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), TIKLO_EXECUTABLE);
        return ChildProcess::run(arguments);
    }
    fs::path lockFile() const { return runtime_.path() / "tiklo.lock"; }

    static void expectNoDisplayAnswer(const ChildProcess::Exit& result) {
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(std::ranges::count(result.errors, '\n'), 1) << result.errors;
        EXPECT_NE(result.errors.find("DISPLAY"), std::string::npos) << result.errors;
        EXPECT_EQ(result.output, "");
    }

    const TempDir runtime_;
    const TempDir config_;
    ScopedEnvironment environment_;
};

// Help, version and a refused argument are answered before the display and the lock are
// looked at; an unknown argument is refused in one line naming it, whatever follows. Without a
// reachable display, one line names DISPLAY.
TEST_F(TikloLaunchTest, ArgumentsAreAnsweredWithoutADisplayOrALockAndOneLineNamesDisplay) {
    for (const char* option : {"--help", "-h"}) {
        const ChildProcess::Exit help = tiklo({option});
        EXPECT_EQ(help.status, 0) << option;
        EXPECT_NE(help.output.find("--version"), std::string::npos) << help.output;
        EXPECT_EQ(help.errors, "") << option;
    }
    for (const char* argument : {"--frobnicate", "-x", "-display", "notes.txt"}) {
        const ChildProcess::Exit result = tiklo({argument, "--help"});
        EXPECT_EQ(result.status, 2) << argument;
        EXPECT_EQ(std::ranges::count(result.errors, '\n'), 1) << result.errors;
        EXPECT_NE(result.errors.find(std::string("'") + argument + "'"), std::string::npos)
            << result.errors;
        EXPECT_EQ(result.output, "") << argument;
    }
    // Even with a display that answers nothing, and whatever follows the option.
    const std::string display = displayWithoutServer();
    environment_.set("DISPLAY", display);
    const ChildProcess::Exit version = tiklo({"--version", "--later"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "tiklo " TIKLO_EXPECTED_VERSION "\n");
    EXPECT_EQ(version.errors, "");
    EXPECT_TRUE(fs::is_empty(runtime_.path()));

    const ChildProcess::Exit result = tiklo();
    expectNoDisplayAnswer(result);
    EXPECT_NE(result.errors.find(display), std::string::npos) << result.errors;
    environment_.set("DISPLAY", "");
    expectNoDisplayAnswer(tiklo());
    environment_.set("DISPLAY", std::nullopt);
    expectNoDisplayAnswer(tiklo());
    // Nothing was stored on the way out.
    EXPECT_TRUE(fs::is_empty(config_.path()));
}

TEST_F(TikloLaunchTest, SecondLaunchIsRefusedOnlyWhileTheHolderLives) {
    // A process other than Tiklo holding an exclusive flock on the lock file until it is
    // killed (util-linux's flock, holding it while its command runs).
    ChildProcess holder({"flock", "--exclusive", "--nonblock", lockFile().string(), "sh", "-c",
                         "echo locked; exec sleep 1000"});
    ASSERT_EQ(holder.readLine(std::chrono::seconds(10)), "locked");
    // Twice: a refused launch must not take the lock with it when it exits.
    for (int launch = 0; launch < 2; ++launch) {
        const ChildProcess::Exit refused = tiklo();
        EXPECT_EQ(refused.status, 0);
        EXPECT_EQ(refused.errors, "tiklo: Tiklo is already running\n");
    }
    holder.kill(); // at once, without a chance to clean anything up
    expectNoDisplayAnswer(tiklo());

    // A lock file left by a Tiklo that ran under another host name (the same home on a
    // renamed machine), naming a process that is alive here, is no obstacle either.
    std::ofstream(lockFile()) << ::getpid() << "\nTiklo\nanother-host.invalid\n";
    expectNoDisplayAnswer(tiklo());
}

} // namespace
} // namespace tiklo::test
