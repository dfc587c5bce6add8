// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XvfbSession.h"

#include <cstdio>
#include <cstdlib>

#include <QCoreApplication>
#include <gtest/gtest.h>

// Every test runs against a private Xvfb with openbox, a private session bus and its own
// accessibility bus, so no application of the developer's desktop is ever asked.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // For the test applications: they must register, the Qt one whatever the bus says, and
    // none may look for a settings service the private bus does not have.
    unsetenv("NO_AT_BRIDGE");
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    const tiklo::test::XvfbSession session(
        {.windowManager = true, .sessionBus = true, .accessibilityBus = true});
    if (!session.ready()) {
        std::fprintf(stderr, "no test desktop: %s\n", session.error().c_str());
        return 1;
    }
    // Qt's D-Bus needs an application object; a core one registers no accessible tree.
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
