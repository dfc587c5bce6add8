// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tiklo::test {

// A private Wayland desktop for tests: sway on a headless output drawn in memory (1024x768),
// windows floating at its top left corner, with a session bus of its own and a home of its own.
// sway refuses to run as root, so a test run as root starts everything of the session as the
// unprivileged user "nobody": clients go through command(), which says how. The variables of the
// session (WAYLAND_DISPLAY, the bus, HOME and the XDG folders) are set while the object lives.
// With XWayland, X11 programs run in it too, on xDisplay().
class SwaySession {
public:
    struct Options {
        bool xwayland = false;
    };

    explicit SwaySession(Options options);
    ~SwaySession();
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    bool ready() const { return error_.empty(); }
    // True when the compositor itself is missing or cannot run here, as opposed to a fault
    // after it started.
    bool unavailable() const { return unavailable_; }
    const std::string& error() const { return error_; }

    // `arguments` run as the session's user, and killed should the test die first.
    std::vector<std::string> command(const std::vector<std::string>& arguments) const;
    // What command() puts before a program's own arguments; empty when the test is not root.
    const std::vector<std::string>& launcher() const { return launcher_; }
    const std::filesystem::path& home() const { return home_.path(); }
    ScopedEnvironment& environment() { return environment_; }
    // XWayland's display (":1"), once sway has started it.
    const std::string& xDisplay() const { return xDisplay_; }

    // The folder made for the session's user; only that user can enter it if `privateToUser`.
    bool makeFolder(const std::filesystem::path& folder, bool privateToUser = false) const;
    // Makes `path`, made by the test, the session user's.
    bool handOver(const std::filesystem::path& path) const;
    // The name of the window that has the keyboard, as sway tells it.
    std::optional<std::string> focusedWindow() const;

private:
    void start(const Options& options);

    TempDir home_;
    ScopedEnvironment environment_;
    std::vector<std::string> launcher_;
    std::string xDisplay_;
    std::filesystem::path ipcSocket_;
    // In the order started; stopped in the reverse order.
    std::vector<std::unique_ptr<ChildProcess>> children_;
    bool unavailable_ = false;
    std::string error_;
};

} // namespace tiklo::test
