// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/TikloDesktop.h"
#include "e2e/DefaultsPlist.h"
#include "e2e/WaylandSession.h"
#include "support/Poll.h"
#include "support/X11TestClient.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include <sys/stat.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* popupTitle = "^Tiklo$";

std::vector<TikloDesktop::WindowID> windowIDs(const std::string& output) {
    std::istringstream words(output);
    return {std::istream_iterator<TikloDesktop::WindowID>(words), {}};
}

// The visible windows whose names match `pattern`.
std::vector<TikloDesktop::WindowID> visibleWindows(const std::string& pattern) {
    return windowIDs(TikloDesktop::xdotool({"search", "--onlyvisible", "--name", pattern}).output);
}

// Polls until one window whose name matches `pattern` is visible, and it is the active one.
std::optional<TikloDesktop::WindowID> waitForActive(const std::string& pattern,
                                                    std::chrono::milliseconds timeout) {
    return pollFor(
        [&]() -> std::optional<TikloDesktop::WindowID> {
            const std::vector<TikloDesktop::WindowID> windows = visibleWindows(pattern);
            if (windows.size() == 1 && TikloDesktop::activeWindow() == windows.front()) {
                return windows.front();
            }
            return std::nullopt;
        },
        timeout);
}

} // namespace

TikloDesktop::TikloDesktop(Options options) : onboarded_(options.onboarded) {
    // A fresh user: no settings, no running instance. The runtime folder is private, as the
    // system's would be; the accessibility bus puts its socket there.
    const std::filesystem::path config = home_.path() / "config";
    const std::filesystem::path runtime = home_.path() / "runtime";
    std::filesystem::create_directories(config);
    std::filesystem::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    environment_.set("XDG_CONFIG_HOME", config.string());
    environment_.set("XDG_RUNTIME_DIR", runtime.string());
    // Applications must register on the accessibility bus, find it only on the private
    // session bus, and not look for a settings service that bus does not have.
    environment_.set("NO_AT_BRIDGE", std::nullopt);
    environment_.set("AT_SPI_BUS_ADDRESS", std::nullopt);
    environment_.set("GSETTINGS_BACKEND", "memory");
    session_ = std::make_unique<XvfbSession>(XvfbSession::Options{
        .windowManager = true, .sessionBus = true, .accessibilityBus = options.accessibility});
    if (!session_->ready()) {
        error_ = "no test desktop: " + session_->error();
        return;
    }
    if (options.target) {
        target_ = std::make_unique<TargetEntry>(options.initialText,
                                                options.multiline ? TargetEntry::Kind::gtk3TextView
                                                                  : TargetEntry::Kind::gtk3Entry);
        if (!target_->ready()) {
            error_ = "the target entry did not come up with the keyboard";
        }
    }
}

bool TikloDesktop::launchTiklo() {
    if (!ready()) {
        return false;
    }
    // Added to the settings file the test may have written.
    if (onboarded_ && !storeOnboarded(defaultsFile())) {
        error_ = "cannot write the settings file";
        return false;
    }
    // Through a shell only to gather both outputs of every launch in one file.
    tiklo_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/bin/sh", "-c", "exec \"$0\" >>\"$1\" 2>&1", TIKLO_EXECUTABLE,
                                 (home_.path() / "tiklo.log").string()},
        ChildProcess::Options{.output = ChildProcess::Stream::discard});
    if (!tiklo_->started()) {
        error_ = "tiklo did not start";
        return false;
    }
    return true;
}

bool TikloDesktop::startTikloListening() {
    // Whether Tiklo holds Ctrl+Alt+E is asked by trying to grab it, and a try that comes just
    // before Tiklo's own grab takes the key from it for good: such a launch is made again.
    for (int launch = 0; launch < 3; ++launch) {
        if (!launchTiklo()) {
            return false;
        }
        const bool listening = pollFor([this] { return !tikloRunning() || hotkeyHeld(); }, 15s);
        if (!tikloRunning()) {
            error_ = "tiklo exited";
            return false;
        }
        if (listening) {
            error_ = target_ && !waitForTargetActive() ? "the target is not in front" : "";
            return ready();
        }
        tiklo_.reset();
    }
    error_ = "tiklo did not take its hotkey";
    return false;
}

std::optional<TikloDesktop::WindowID>
TikloDesktop::trigger(std::chrono::milliseconds timeout) const {
    return waitForTargetActive() && type(";") ? waitForActivePopup(timeout) : std::nullopt;
}

bool TikloDesktop::tikloRunning() const {
    return tiklo_ && tiklo_->started() && !childEnded(*tiklo_);
}

bool TikloDesktop::hotkeyHeld() {
    X11TestClient probe;
    const xcb_keycode_t e = probe.keycode('e');
    return e != 0 && probe.keyHeldByAnother(e, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
}

std::string TikloDesktop::tikloOutput() const {
    std::ifstream log(home_.path() / "tiklo.log");
    return {std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
}

bool TikloDesktop::type(const std::string& text) {
    return xdotool({"type", "--", text}).succeeded();
}

bool TikloDesktop::waitUntilSearchServed(TargetEntry& entry) {
    const std::string fire = "\U0001F525";
    const bool served = pollFor(
        [&] {
            entry.setText("");
            type(";fire\n");
            return entry.waitForText(fire, 1s) == fire;
        },
        15s, 100ms);
    return served && entry.setText("");
}

bool TikloDesktop::keySequence(const std::vector<std::string>& keys,
                               std::chrono::milliseconds delay) const {
    // One xdotool run, so nothing pauses between keys but the delay; given the time it takes.
    std::vector<std::string> arguments{"xdotool", "key", "--delay", std::to_string(delay.count())};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    const auto typing = delay * static_cast<int>(keys.size());
    return !keys.empty() && ChildProcess::run(arguments, typing + 10s).succeeded();
}

std::vector<std::string> TikloDesktop::keysFor(const std::string& text) {
    // X's names for the keys that type them (xdotool adds Shift where the keymap needs it).
    static const std::map<char, std::string> named{
        {';', "semicolon"},  {' ', "space"},      {'\n', "Return"},     {'\t', "Tab"},
        {')', "parenright"}, {'(', "parenleft"},  {'-', "minus"},       {'+', "plus"},
        {'=', "equal"},      {'<', "less"},       {'>', "greater"},     {':', "colon"},
        {',', "comma"},      {'.', "period"},     {'\'', "apostrophe"}, {'"', "quotedbl"},
        {'!', "exclam"},     {'?', "question"},   {'/', "slash"},       {'*', "asterisk"},
        {'{', "braceleft"},  {'}', "braceright"}, {'[', "bracketleft"}, {']', "bracketright"},
        {'&', "ampersand"},  {'|', "bar"},        {'_', "underscore"},  {'#', "numbersign"},
    };
    std::vector<std::string> keys;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            keys.emplace_back(1, c);
        } else if (const auto name = named.find(c); name != named.end()) {
            keys.push_back(name->second);
        } else {
            return {}; // typed by no key name here: the sequence fails
        }
    }
    return keys;
}

bool TikloDesktop::key(const std::string& keys) {
    return xdotool({"key", "--", keys}).succeeded();
}

ChildProcess::Exit TikloDesktop::xdotool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "xdotool");
    return ChildProcess::run(arguments);
}

bool TikloDesktop::movePointer(int x, int y) const {
    // --sync waits for the pointer to move, which it never does when it is there already.
    int hereX = -1;
    int hereY = -1;
    std::sscanf(xdotool({"getmouselocation", "--shell"}).output.c_str(), "X=%d Y=%d", &hereX,
                &hereY);
    return (hereX == x && hereY == y) ||
           xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)}).succeeded();
}

bool TikloDesktop::click(int x, int y, int button) const {
    return movePointer(x, y) && xdotool({"click", std::to_string(button)}).succeeded();
}

std::optional<TikloDesktop::WindowID> TikloDesktop::activeWindow() {
    const std::vector<WindowID> ids = windowIDs(xdotool({"getactivewindow"}).output);
    return ids.size() == 1 ? std::optional<WindowID>(ids.front()) : std::nullopt;
}

std::vector<TikloDesktop::WindowID> TikloDesktop::visiblePopups() const {
    return visibleWindows(popupTitle);
}

std::optional<ScreenRect> TikloDesktop::windowFrame(WindowID window) {
    ScreenRect frame;
    const bool read =
        std::sscanf(
            xdotool({"getwindowgeometry", "--shell", std::to_string(window)}).output.c_str(),
            "WINDOW=%*u X=%d Y=%d WIDTH=%d HEIGHT=%d", &frame.x, &frame.y, &frame.width,
            &frame.height) == 4;
    return read ? std::optional(frame) : std::nullopt;
}

std::optional<TikloDesktop::WindowID>
TikloDesktop::waitForActivePopup(std::chrono::milliseconds timeout) const {
    return waitForActive(popupTitle, timeout);
}

bool TikloDesktop::waitForPopupHidden(std::chrono::milliseconds timeout) const {
    return pollFor([this] { return visiblePopups().empty(); }, timeout);
}

bool TikloDesktop::waitForTargetActive(std::chrono::milliseconds timeout) const {
    return waitForActive(std::string("^") + TargetEntry::windowName + "$", timeout).has_value();
}

bool TikloDesktop::screenshot(const std::filesystem::path& file) const {
    return ChildProcess::run({"import", "-window", "root", file.string()}, 20s).succeeded();
}

} // namespace tiklo::test
