// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/XvfbSession.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace tiklo::test {

// A test program's main: every test runs against a private display with what `options` adds,
// so nothing reaches the developer's own desktop, and with an `Application` (a Qt application
// object) alive meanwhile.
template <typename Application>
int runTestsOnPrivateDisplay(int argc, char** argv, XvfbSession::Options options) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    const XvfbSession session(options);
    if (!session.ready()) {
        std::fprintf(stderr, "no test display: %s\n", session.error().c_str());
        return 1;
    }
    Application application(argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace tiklo::test
