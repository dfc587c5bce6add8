// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _GDBusConnection;

namespace tiklo::test {

// A private GNOME desktop for tests: GNOME Shell as a headless Wayland compositor with one
// virtual 1024x768 monitor, a session bus and a home of its own, and a fake logind on a
// "system" bus of its own. The shell starts ibus-daemon (which reads the IBus components of
// the folders in `ibusComponents` alone, separated by ':') and selects the first of
// `inputSources` (a GVariant text such as "[('ibus', 'tiklo')]"). Keys reach the focused window
// through one remote-desktop session, the user's hands. The session's variables
// (WAYLAND_DISPLAY, the buses, HOME, the XDG folders, dconf) are set while the object lives, so
// a window started meanwhile opens on this desktop.
class GnomeSession {
public:
    struct Options {
        std::string inputSources;
        // ibus-daemon ends at once without its configuration service, which IBus's own folder
        // names.
        std::string ibusComponents;
    };

    explicit GnomeSession(const Options& options);
    ~GnomeSession();
    GnomeSession(const GnomeSession&) = delete;
    GnomeSession& operator=(const GnomeSession&) = delete;

    bool ready() const { return error_.empty(); }
    // True when the shell or a tool it needs is missing or cannot run here, as opposed to a
    // fault after it started.
    bool unavailable() const { return unavailable_; }
    const std::string& error() const { return error_; }
    const std::filesystem::path& home() const { return home_.path(); }

    // Presses and releases the key typing `keysym` (an X keysym: ASCII characters are their
    // own), with the modifiers it needs.
    bool pressKey(unsigned keysym);
    // Each character of `ascii` in turn, at a fast typist's pace: 20 ms a key. Keys typed faster
    // can reach the field out of order: GNOME Shell 43 hands on the keys IBus passes through on
    // another path than the text an engine commits, and a commit can overtake a key before it.
    bool type(std::string_view ascii);
    // The whole screen as a PNG file, written by the shell.
    bool screenshot(const std::filesystem::path& file);

private:
    void start(const Options& options);
    bool startBus(const std::filesystem::path& config, const std::string& variable);
    void endIbusDaemon() const;

    TempDir home_;
    ScopedEnvironment environment_;
    // In the order started, the shell last; stopped in the reverse order.
    std::vector<std::unique_ptr<ChildProcess>> children_;
    bool shellStarted_ = false;
    _GDBusConnection* bus_ = nullptr;
    std::string remoteSession_;
    bool unavailable_ = false;
    std::string error_;
};

} // namespace tiklo::test
