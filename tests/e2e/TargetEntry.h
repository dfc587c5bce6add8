// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tiklo::test {

// A rectangle on the screen: top-left origin, y growing downwards, in pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int bottom() const { return y + height; }
    int right() const { return x + width; }
};

// The application Tiklo types into: a window with one focused field, holding `initialText` with
// the caret after it, that reports its text and caret when asked.
class TargetEntry {
public:
    static constexpr const char* windowName = "tiklo-e2e-target";

    // A GTK 4 entry knows no place on screen: caretLine() and entryFrame() give nothing.
    enum class Kind { gtk3Entry, gtk3TextView, gtk4Entry };

    // `launcher` comes before the window's program (setpriv, to run it as another user).
    explicit TargetEntry(const std::string& initialText, Kind kind = Kind::gtk3Entry,
                         const std::vector<std::string>& launcher = {});

    // False when the window did not come up with the keyboard in time.
    bool ready() const { return ready_; }
    pid_t pid() const { return process_.pid(); }

    std::optional<std::string> text();
    // Replaces the text, caret at its end.
    bool setText(const std::string& text);
    // Hides the text as it is typed: a password entry from now on.
    bool makeSecret();
    // The caret's line and the entry itself, on screen.
    std::optional<ScreenRect> caretLine() { return askRect("caret"); }
    std::optional<ScreenRect> entryFrame() { return askRect("entry"); }
    // When the text last changed, on the steady clock of every process.
    std::optional<std::chrono::steady_clock::time_point> lastChange();

    // Polls until the text is `expected` or the time is up; answers the last text seen.
    std::string waitForText(const std::string& expected,
                            std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    std::optional<std::string> ask(const std::string& command);
    std::optional<ScreenRect> askRect(const std::string& command);

    ChildProcess process_;
    bool ready_ = false;
};

} // namespace tiklo::test
