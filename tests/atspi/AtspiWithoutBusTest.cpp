// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/AtspiAccessibility.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// libatspi aborts the process when used without a bus; a session without accessibility
// must only mean "no caret".
TEST(AtspiWithoutBusTest, AnswersNothingWhenNoAccessibilityBusCanBeFound) {
    unsetenv("DISPLAY");
    unsetenv("AT_SPI_BUS_ADDRESS");
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tiklo-test-bus", 1);
    AtspiAccessibility accessibility([] { return std::optional<long>(); });

    EXPECT_EQ(accessibility.focusedElement(), nullptr);
    // Asked again at once, it does not look for the bus again.
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(accessibility.focusedElement(), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - started, AtspiAccessibility::callTimeout);
}

} // namespace
} // namespace tiklo
