// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XvfbSession.h"

#include <cstdio>

#include <QGuiApplication>
#include <gtest/gtest.h>

// Every test runs against a private Xvfb with openbox and a private session bus, so nothing
// reaches the developer's own desktop.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    const tiklo::test::XvfbSession session({.windowManager = true, .sessionBus = true});
    if (!session.ready()) {
        std::fprintf(stderr, "no test display: %s\n", session.error().c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        QGuiApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
