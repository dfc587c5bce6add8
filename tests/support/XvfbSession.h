// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <memory>

namespace tiklo::test {

// A private X display for tests: Xvfb on a display number it picks itself, optionally a
// window manager (openbox), a session bus of its own and on it the accessibility bus. DISPLAY (and
// DBUS_SESSION_BUS_ADDRESS) point at them while the object lives; the destructor stops
// every process it started and restores the variables.
class XvfbSession {
public:
    struct Options {
        bool windowManager = false;
        // A bus without service activation: tests see only the services they start.
        bool sessionBus = false;
        // at-spi-bus-launcher on that session bus, with accessibility switched on so that
        // applications started later register. Started with the variables of the moment
        // (XDG_RUNTIME_DIR holds its socket).
        bool accessibilityBus = false;
    };

    explicit XvfbSession(Options options);
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    // False when something failed to start in time; error() says what.
    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    void startAccessibilityBus();
    // Starts a program whose output is not wanted; its line on the report pipe, if it
    // reports on one ("{fd}" in its arguments).
    std::optional<std::string> spawn(const std::vector<std::string>& arguments);

    // In the order started; stopped in the reverse order.
    std::vector<std::unique_ptr<ChildProcess>> children_;
    ScopedEnvironment environment_;
    std::optional<TempDir> busFolder_; // the session bus's configuration
    std::string error_;
};

} // namespace tiklo::test
