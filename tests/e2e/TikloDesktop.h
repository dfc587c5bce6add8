// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "e2e/TargetEntry.h"
#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/XvfbSession.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tiklo::test {

// One user's desktop for a test: a private Xvfb with openbox and a session bus, the
// accessibility bus unless switched off, fresh configuration and runtime folders, the
// target entry in front unless left out, and Tiklo once started. Keys and clicks go through xdotool
// as a user's would. The destructor stops every process it started and restores the environment.
class TikloDesktop {
public:
    using WindowID = std::uint32_t;

    struct Options {
        bool accessibility = true;
        // What the target entry holds at the start, caret at its end.
        std::string initialText = "note ";
        // A user who finished onboarding: no welcome window comes in front of the target.
        bool onboarded = true;
        // The target is a text view of several lines instead of a one-line entry.
        bool multiline = false;
        bool target = true;
    };

    explicit TikloDesktop(Options options);
    TikloDesktop(const TikloDesktop&) = delete;
    TikloDesktop& operator=(const TikloDesktop&) = delete;

    // False when some part did not come up; error() says which.
    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    TargetEntry& target() { return *target_; }
    std::filesystem::path defaultsFile() const {
        return home_.path() / "config" / "tiklo" / "defaults.plist";
    }

    // Writes the finished onboarding into the settings file (when onboarded) and starts Tiklo,
    // without waiting for it.
    bool launchTiklo();
    // Starts Tiklo and waits only until it listens (it holds its hotkey, and starts
    // listening to keys right after) and the target is in front: its first popup is still to
    // come.
    bool startTikloListening();
    bool tikloRunning() const;
    // The running Tiklo's process, or -1.
    pid_t tikloPid() const { return tiklo_ ? tiklo_->pid() : -1; }
    // Whether another client is refused Ctrl+Alt+E, Tiklo's hotkey. A probe that comes just
    // before Tiklo's own grab takes the key from it for good.
    static bool hotkeyHeld();
    // Everything every Tiklo of this desktop wrote so far to standard output and error.
    std::string tikloOutput() const;

    // Types the trigger into the target once it is in front; the popup once it is mapped
    // and active.
    std::optional<WindowID> trigger(std::chrono::milliseconds timeout) const;

    // Keys typed as the user types them, into whatever has the keyboard (also without a
    // Tiklo on the desktop), at xdotool's own pace of 12 ms a key; "\n" types Return.
    static bool type(const std::string& text);
    // A new entry reaches its input method some time after it has the focus; until then a
    // search is plain text. Types ";fire" Return until one inserts, and empties the entry.
    static bool waitUntilSearchServed(TargetEntry& entry);
    // Presses each of `keys` (xdotool key names and combinations: "semicolon", "ctrl+1") in
    // one go at `delay` a key; xdotool's own pace is 12 ms.
    bool keySequence(const std::vector<std::string>& keys,
                     std::chrono::milliseconds delay = std::chrono::milliseconds(12)) const;
    // The key names that type `text` (letters, digits, spaces, line breaks and the ASCII
    // punctuation of code and prose).
    static std::vector<std::string> keysFor(const std::string& text);
    static bool key(const std::string& keys);
    // Any other xdotool command ("keydown", "mousedown", "key --window").
    static ChildProcess::Exit xdotool(std::vector<std::string> arguments);
    bool movePointer(int x, int y) const;
    // A click of `button` (1 left, 3 right) at a point of the screen.
    bool click(int x, int y, int button = 1) const;

    static std::optional<WindowID> activeWindow();
    std::vector<WindowID> visiblePopups() const;
    static std::optional<ScreenRect> windowFrame(WindowID window);

    // Polls until one "Tiklo" window is mapped and active; answers it.
    std::optional<WindowID>
    waitForActivePopup(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Polls until no "Tiklo" window is mapped.
    bool waitForPopupHidden(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Polls until the target window is active.
    bool waitForTargetActive(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // The whole screen as a PNG file.
    bool screenshot(const std::filesystem::path& file) const;

private:
    // Destroyed in reverse: the applications before the buses and the display.
    ScopedEnvironment environment_;
    TempDir home_;
    std::unique_ptr<XvfbSession> session_;
    std::unique_ptr<TargetEntry> target_;
    std::unique_ptr<ChildProcess> tiklo_;
    bool onboarded_;
    std::string error_;
};

} // namespace tiklo::test
