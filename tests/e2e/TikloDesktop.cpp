// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/TikloDesktop.h"
#include "e2e/DefaultsPlist.h"
#include "e2e/WaylandSession.h"
#include "support/Poll.h"
#include "support/X11TestClient.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

#include <sys/stat.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* popupTitle = "^Tiklo$";

std::vector<TikloDesktop::WindowID> windowIDs(const std::string& output) {
    std::vector<TikloDesktop::WindowID> ids;
    std::istringstream words(output);
    unsigned long id = 0;
    while (words >> id) {
        ids.push_back(static_cast<TikloDesktop::WindowID>(id));
    }
    return ids;
}

ChildProcess::Exit xdotool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "xdotool");
    return ChildProcess::run(arguments);
}

} // namespace

TikloDesktop::TikloDesktop(Options options)
    : initialText_(options.initialText), onboarded_(options.onboarded) {
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
    if (!options.target) {
        return;
    }
    target_ = std::make_unique<TargetEntry>(initialText_, options.multiline
                                                              ? TargetEntry::Kind::gtk3TextView
                                                              : TargetEntry::Kind::gtk3Entry);
    if (!target_->ready()) {
        error_ = "the target entry did not come up with the keyboard";
        return;
    }
}

TikloDesktop::~TikloDesktop() {
    // Applications before the buses and the display.
    tiklo_.reset();
    target_.reset();
    session_.reset();
}

std::filesystem::path TikloDesktop::defaultsFile() const {
    return home_.path() / "config" / "tiklo" / "defaults.plist";
}

bool TikloDesktop::launchTiklo() {
    if (!ready()) {
        return false;
    }
    if (onboarded_) {
        // Added to the settings file the test may have written.
        if (!storeOnboarded(defaultsFile())) {
            error_ = "cannot write the settings file";
            return false;
        }
    }
    // Through a shell only to gather standard error with standard output.
    tiklo_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/bin/sh", "-c", "exec \"$0\" 2>&1", TIKLO_EXECUTABLE});
    if (!tiklo_->started()) {
        error_ = "tiklo did not start";
        return false;
    }
    return true;
}

bool TikloDesktop::startTiklo() {
    if (!launchTiklo()) {
        return false;
    }
    // Tiklo announces nothing when it listens; it holds its instance lock just before, and
    // the trigger itself is the probe. A prefix typed before it listens stays in the target
    // with no popup, and is taken back before the next try.
    const std::filesystem::path lock = home_.path() / "runtime" / "tiklo.lock";
    pollFor([&] { return std::filesystem::exists(lock); }, 10s);
    const std::string withPrefix = initialText_ + ";";
    const auto deadline = Clock::now() + 30s;
    while (Clock::now() < deadline && tikloRunning()) {
        const bool answered = trigger(3s).has_value();
        if (answered && (!key("Escape") || !waitForPopupHidden() || !waitForTargetActive())) {
            break;
        }
        if (target_->waitForText(withPrefix) != withPrefix || !key("BackSpace") ||
            target_->waitForText(initialText_) != initialText_) {
            break;
        }
        if (answered) {
            return true;
        }
    }
    error_ = tikloRunning() ? "tiklo did not answer the trigger" : "tiklo exited";
    return false;
}

bool TikloDesktop::startTikloListening() {
    // Whether Tiklo holds Ctrl+Alt+E is asked by trying to grab it, and a try that comes just
    // before Tiklo's own grab takes the key from it for good: such a launch is made again.
    constexpr int launches = 3;
    for (int launch = 0; launch < launches; ++launch) {
        if (!launchTiklo()) {
            return false;
        }
        const bool listening = pollFor([this] { return !tikloRunning() || hotkeyHeld(); }, 15s);
        if (!tikloRunning()) {
            error_ = "tiklo exited";
            return false;
        }
        if (listening) {
            return true;
        }
        tiklo_.reset();
    }
    error_ = "tiklo did not take its hotkey";
    return false;
}

std::optional<TikloDesktop::WindowID>
TikloDesktop::trigger(std::chrono::milliseconds timeout) const {
    if (!waitForTargetActive() || !type(";")) {
        return std::nullopt;
    }
    return waitForActivePopup(timeout);
}

bool TikloDesktop::tikloRunning() const {
    return tiklo_ && tiklo_->started() && !childEnded(*tiklo_);
}

bool TikloDesktop::hotkeyHeld() {
    X11TestClient probe;
    const xcb_keycode_t e = probe.keycode('e');
    return e != 0 && probe.keyHeldByAnother(e, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
}

std::string TikloDesktop::drainTikloOutput() {
    while (tiklo_) {
        const std::optional<std::string> line = tiklo_->readLine(100ms);
        if (!line) {
            break;
        }
        tikloOutput_ += *line + "\n";
    }
    return tikloOutput_;
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
    // One xdotool run, so nothing pauses between keys but the delay.
    std::vector<std::string> arguments{"key", "--delay", std::to_string(delay.count())};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    return !keys.empty() && xdotool(arguments).succeeded();
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

bool TikloDesktop::keyInto(WindowID window, const std::string& keys) {
    return xdotool({"key", "--window", std::to_string(window), "--", keys}).succeeded();
}

bool TikloDesktop::keyDown(const std::string& keys) {
    return xdotool({"keydown", "--", keys}).succeeded();
}

bool TikloDesktop::keyUp(const std::string& keys) {
    return xdotool({"keyup", "--", keys}).succeeded();
}

bool TikloDesktop::movePointer(int x, int y) const {
    // --sync waits for the pointer to move, which it never does when it is there already.
    const std::string here = xdotool({"getmouselocation", "--shell"}).output;
    if (here.find("X=" + std::to_string(x) + "\n") != std::string::npos &&
        here.find("Y=" + std::to_string(y) + "\n") != std::string::npos) {
        return true;
    }
    return xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)}).succeeded();
}

bool TikloDesktop::click(int x, int y, int button) const {
    return movePointer(x, y) && xdotool({"click", std::to_string(button)}).succeeded();
}

bool TikloDesktop::pointerButton(bool down) const {
    return xdotool({down ? "mousedown" : "mouseup", "1"}).succeeded();
}

std::optional<TikloDesktop::WindowID> TikloDesktop::activeWindow() const {
    const std::vector<WindowID> ids = windowIDs(xdotool({"getactivewindow"}).output);
    return ids.size() == 1 ? std::optional<WindowID>(ids.front()) : std::nullopt;
}

std::vector<TikloDesktop::WindowID> TikloDesktop::visiblePopups() const {
    return windowIDs(xdotool({"search", "--onlyvisible", "--name", popupTitle}).output);
}

std::optional<ScreenRect> TikloDesktop::windowFrame(WindowID window) {
    const ChildProcess::Exit result =
        xdotool({"getwindowgeometry", "--shell", std::to_string(window)});
    std::map<std::string, int> values; // "X=12" and so on, a line each
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            values[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
        }
    }
    for (const char* name : {"X", "Y", "WIDTH", "HEIGHT"}) {
        if (!result.succeeded() || !values.contains(name)) {
            return std::nullopt;
        }
    }
    return ScreenRect{values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
}

std::optional<TikloDesktop::WindowID>
TikloDesktop::waitForActivePopup(std::chrono::milliseconds timeout) const {
    return pollFor(
        [this]() -> std::optional<WindowID> {
            const std::vector<WindowID> popups = visiblePopups();
            const std::optional<WindowID> active = activeWindow();
            if (popups.size() == 1 && active == popups.front()) {
                return active;
            }
            return std::nullopt;
        },
        timeout);
}

bool TikloDesktop::waitForPopupHidden(std::chrono::milliseconds timeout) const {
    return pollFor([this] { return visiblePopups().empty(); }, timeout);
}

bool TikloDesktop::waitForTargetActive(std::chrono::milliseconds timeout) const {
    const std::string name = std::string("^") + TargetEntry::windowName + "$";
    return pollFor(
        [&] {
            const std::vector<WindowID> targets =
                windowIDs(xdotool({"search", "--onlyvisible", "--name", name}).output);
            return targets.size() == 1 && activeWindow() == targets.front();
        },
        timeout);
}

bool TikloDesktop::screenshot(const std::filesystem::path& file) const {
    return ChildProcess::run({"import", "-window", "root", file.string()}, 20s).succeeded();
}

} // namespace tiklo::test
