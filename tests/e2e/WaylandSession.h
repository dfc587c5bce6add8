// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tiklo::test {

// Whether a program the test started has ended. Looked at, not reaped: its process object
// reaps it and reads what it said.
bool childEnded(const ChildProcess& child);

// Whether `name` has an owner on the session bus (or the system bus), asked through
// `launcher` (setpriv, for a bus that lets in only its own user). Asked of the bus, never of
// the name: the private buses activate nothing, and a call to a name nobody owns yet would
// fail rather than wait.
bool busNameOwned(const std::string& name, const std::vector<std::string>& launcher = {},
                  bool systemBus = false);

// What the Wayland desktops of the tests (sway, GNOME Shell) share: a home of their own with
// the XDG folders in it, private buses, the session's variables while the object lives (no X
// display; GTK on Wayland), and the processes started for it, stopped in the reverse order.
class WaylandSession {
public:
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    bool ready() const { return error_.empty(); }
    // True when the compositor or a tool it needs is missing or cannot run here, as opposed
    // to a fault after it started.
    bool unavailable() const { return unavailable_; }
    const std::string& error() const { return error_; }
    const std::filesystem::path& home() const { return home_.path(); }
    ScopedEnvironment& environment() { return environment_; }

    // `arguments` run as the session's user, and killed should the test die first.
    std::vector<std::string> command(const std::vector<std::string>& arguments) const;
    // What command() puts before a program's own arguments; empty unless the session runs
    // as another user than the test.
    const std::vector<std::string>& launcher() const { return launcher_; }
    // The folder made for the session's user; only that user can enter it if `privateToUser`.
    bool makeFolder(const std::filesystem::path& folder, bool privateToUser = false) const;
    // Makes `path`, made by the test, the session user's.
    bool handOver(const std::filesystem::path& path) const;

protected:
    // `asNobody`: a test run as root starts everything of the session as the unprivileged
    // user "nobody".
    explicit WaylandSession(bool asNobody);
    ~WaylandSession();

    // False, the session unavailable, unless each of `programs` is on PATH.
    bool installed(const std::vector<std::string>& programs, const std::string& needed);
    // The home's folders (runtime, config, data, cache), the variables that point at them,
    // and the buses' configuration.
    bool makeHome();
    // A dbus-daemon of the session; its address in `variable`.
    bool startBus(const std::string& variable);
    // Starts `arguments` as the session's user, its output discarded unless `options` say.
    ChildProcess& spawn(const std::vector<std::string>& arguments,
                        ChildProcess::Options options = {.output = ChildProcess::Stream::discard,
                                                         .errors = ChildProcess::Stream::discard});
    static std::string lastLine(std::string text);

    TempDir home_;
    ScopedEnvironment environment_;
    std::vector<std::string> launcher_;
    // In the order started; stopped in the reverse order.
    std::vector<std::unique_ptr<ChildProcess>> children_;
    bool unavailable_ = false;
    std::string error_;
};

} // namespace tiklo::test
