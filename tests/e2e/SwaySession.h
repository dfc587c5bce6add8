// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "e2e/WaylandSession.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tiklo::test {

// A private Wayland desktop for tests: sway on a headless output drawn in memory (1024x768),
// windows floating at its top left corner. sway refuses to run as root, so a test run as root
// starts everything of the session as the unprivileged user "nobody", through command(). X11
// programs run in it too, on XWayland's xDisplay().
class SwaySession : public WaylandSession {
public:
    SwaySession();

    // XWayland's display (":1"), once sway has started it.
    const std::string& xDisplay() const { return xDisplay_; }
    // The name of the window that has the keyboard, as sway tells it.
    std::optional<std::string> focusedWindow() const;

private:
    std::string xDisplay_;
    std::filesystem::path ipcSocket_;
};

} // namespace tiklo::test
