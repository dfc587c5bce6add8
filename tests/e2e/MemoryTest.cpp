// SPDX-License-Identifier: GPL-3.0-or-later
// The full picker opened and closed again and again gives back what it took: the program does
// not grow with each showing. (What it costs is the memory benchmark's.)
#include "e2e/ProcessMemory.h"
#include "e2e/TikloDesktop.h"

#include <thread>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// Allocators keep some of what was freed, and caches fill: growth beyond this is a leak.
constexpr double growthLimitMegabytes = 2;
constexpr int showings = 10;

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
    const std::optional<ProcessMemory> before = ProcessMemory::of(desktop.tikloPid());
    ASSERT_TRUE(before);
    for (int showing = 0; showing < showings; ++showing) {
        showAndClose();
    }
    std::this_thread::sleep_for(1s);
    const std::optional<ProcessMemory> after = ProcessMemory::of(desktop.tikloPid());
    ASSERT_TRUE(after);
    EXPECT_LE(after->proportional - before->proportional, growthLimitMegabytes)
        << before->proportional << " MB before, " << after->proportional << " MB after";
}

} // namespace
} // namespace tiklo::test
