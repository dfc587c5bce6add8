// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "e2e/WaylandSession.h"

#include <filesystem>
#include <string>
#include <string_view>

struct _GDBusConnection;

namespace tiklo::test {

// A private GNOME desktop for tests: GNOME Shell as a headless Wayland compositor with one
// virtual 1024x768 monitor, and a fake logind on a "system" bus of its own. The shell starts
// ibus-daemon with the build's IBus engine, Tiklo's, as the input source. Keys reach the
// focused window through one remote-desktop session, the user's hands. A window started while
// the object lives opens on this desktop.
class GnomeSession : public WaylandSession {
public:
    GnomeSession();
    ~GnomeSession();

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
    void endIbusDaemon() const;

    bool shellStarted_ = false;
    _GDBusConnection* bus_ = nullptr;
    std::string remoteSession_;
};

} // namespace tiklo::test
