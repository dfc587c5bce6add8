// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ReusedWindow.h"

namespace tiklo {

class AppState;

// Owns the welcome window: made on first use and shown centred and in front every time;
// closing it keeps the page the user was on. Finishing onboarding in it discards it, so the
// next showing starts again at the first page.
class OnboardingWindowController {
public:
    static constexpr QSize size{560, 520};

    OnboardingWindowController(QQmlEngine& engine, AppState& state,
                               std::chrono::milliseconds unusedLimit = WindowRelease::unusedLimit);

    void show();
    // The window, once it was first shown and until it is released.
    QQuickView* window() const { return window_.view(); }

private:
    ReusedWindow window_;
};

} // namespace tiklo
