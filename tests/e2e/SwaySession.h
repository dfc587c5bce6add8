// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "e2e/WaylandSession.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tiklo::test {

// A private Wayland desktop for tests: sway on a headless output drawn in memory (1024x768),
// windows floating at its top left corner. sway refuses to run as root, so a test run as root
// starts everything of the session as the unprivileged user "nobody", through command(). With
// XWayland, X11 programs run in it too, on xDisplay().
class SwaySession : public WaylandSession {
public:
    struct Options {
        bool xwayland = false;
    };

    explicit SwaySession(Options options);

    // XWayland's display (":1"), once sway has started it.
    const std::string& xDisplay() const { return xDisplay_; }
    // The name of the window that has the keyboard, as sway tells it.
    std::optional<std::string> focusedWindow() const;

private:
    void start(const Options& options);

    std::string xDisplay_;
    std::filesystem::path ipcSocket_;
};

} // namespace tiklo::test
