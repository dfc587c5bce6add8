// SPDX-License-Identifier: GPL-3.0-or-later
// The full picker opened and closed again and again gives back what it took: the program does
// not grow with each showing. (What it costs is the memory benchmark's.)
#include "e2e/TikloDesktop.h"

#include <fstream>
#include <thread>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// Allocators keep some of what was freed, and caches fill: growth beyond this is a leak.
constexpr double growthLimitMegabytes = 2;
constexpr int showings = 10;

// The proportional set size of a process in megabytes (shared pages counted in part), or -1.
double proportionalMegabytes(pid_t pid) {
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(rollup, line);) {
        if (line.starts_with("Pss:")) {
            return std::stod(line.substr(4)) / 1024.0;
        }
    }
    return -1;
}

TEST(MemoryTest, TheFullPickerOpenedAndClosedTenTimesLeavesNoGrowth) {
    TikloDesktop desktop({});
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    const auto showAndClose = [&] {
        ASSERT_TRUE(TikloDesktop::key("ctrl+alt+e"));
        ASSERT_TRUE(desktop.waitForActivePopup());
        // Its rows drawn, scrolled through, as a person looks.
        ASSERT_TRUE(TikloDesktop::key("Page_Down"));
        std::this_thread::sleep_for(300ms);
        ASSERT_TRUE(TikloDesktop::key("Escape"));
        ASSERT_TRUE(desktop.waitForPopupHidden());
        ASSERT_TRUE(desktop.waitForTargetActive());
    };
    // The first showing fills the caches for good.
    showAndClose();
    std::this_thread::sleep_for(1s);
    const double before = proportionalMegabytes(desktop.tikloPid());
    ASSERT_GT(before, 0);
    for (int showing = 0; showing < showings; ++showing) {
        showAndClose();
    }
    std::this_thread::sleep_for(1s);
    const double after = proportionalMegabytes(desktop.tikloPid());
    EXPECT_LE(after - before, growthLimitMegabytes)
        << before << " MB before, " << after << " MB after";
}

} // namespace
} // namespace tiklo::test
