// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ReusedWindow.h"

namespace tiklo {

class AppState;
class SettingsBackend;

// Owns the settings window: made on first use, centred once, and after that shown where
// the user left it, with the page it was on.
class SettingsWindowController {
public:
    static constexpr QSize size{760, 560};
    static constexpr QSize minimumSize{680, 480};

    SettingsWindowController(QQmlEngine& engine, AppState& state, SettingsBackend& backend,
                             std::chrono::milliseconds unusedLimit = WindowRelease::unusedLimit);

    // At `page` (a page's raw value), or at the page it was on.
    void show(const QString& page = {});
    // The window, once it was first shown and until it is released.
    QQuickView* window() const { return window_.view(); }

private:
    AppState& state_;
    ReusedWindow window_;
};

} // namespace tiklo
