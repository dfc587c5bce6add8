// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/SwaySession.h"

#include "support/Poll.h"
#include "support/PrivateBusConfig.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// "nobody" and "nogroup" on Debian.
constexpr uid_t sessionUser = 65534;
constexpr gid_t sessionGroup = 65534;

// No X server to fall back on. Windows float at their own size in the output's top left
// corner without borders, so a window's coordinates are the screen's, and a popup under a
// window has room on screen: under a window that fills the output, sway 1.7 left only a line
// of the input method's candidate list in sight.
constexpr std::string_view swayConfig =
    "output HEADLESS-1 resolution 1024x768\n"
    "default_border none\n"
    "for_window [title=\".*\"] floating enable, move position 0 0\n";

std::optional<std::string> waylandSocket(const std::filesystem::path& runtime) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(runtime, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("wayland-") && !name.ends_with(".lock")) {
            return name;
        }
    }
    return std::nullopt;
}

std::string lastLine(const std::string& text) {
    std::string line;
    std::istringstream lines(text);
    for (std::string next; std::getline(lines, next);) {
        if (!next.empty()) {
            line = next;
        }
    }
    return line;
}

} // namespace

SwaySession::SwaySession(Options options) {
    if (::geteuid() == 0) {
        // The death signal is set again after the change of user, which clears it.
        launcher_ = {"setpriv",
                     "--reuid=" + std::to_string(sessionUser),
                     "--regid=" + std::to_string(sessionGroup),
                     "--clear-groups",
                     "--pdeathsig=KILL",
                     "--"};
    }
    start(options);
}

SwaySession::~SwaySession() {
    while (!children_.empty()) {
        children_.pop_back();
    }
}

std::vector<std::string> SwaySession::command(const std::vector<std::string>& arguments) const {
    std::vector<std::string> full = launcher_;
    full.insert(full.end(), arguments.begin(), arguments.end());
    return full;
}

bool SwaySession::makeFolder(const std::filesystem::path& folder, bool privateToUser) const {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || (privateToUser && ::chmod(folder.c_str(), 0700) != 0)) {
        return false;
    }
    return handOver(folder);
}

bool SwaySession::handOver(const std::filesystem::path& path) const {
    return launcher_.empty() || ::chown(path.c_str(), sessionUser, sessionGroup) == 0;
}

std::optional<std::string> SwaySession::focusedWindow() const {
    const ChildProcess::Exit tree =
        ChildProcess::run(command({"swaymsg", "-s", ipcSocket_.string(), "-t", "get_tree"}));
    if (!tree.succeeded()) {
        return std::nullopt;
    }
    const nlohmann::json root = nlohmann::json::parse(tree.output, nullptr, false);
    std::optional<std::string> found;
    const std::function<void(const nlohmann::json&)> visit = [&](const nlohmann::json& node) {
        if (node.value("focused", false) && node.contains("name") && node["name"].is_string()) {
            found = node["name"].get<std::string>();
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            if (node.contains(children) && node[children].is_array()) {
                for (const nlohmann::json& child : node[children]) {
                    visit(child);
                }
            }
        }
    };
    if (root.is_object()) {
        visit(root);
    }
    return found;
}

void SwaySession::start(const Options& options) {
    std::vector<std::string> programs{"sway", "swaymsg", "wtype", "grim", "dbus-daemon", "setpriv"};
    if (options.xwayland) {
        programs.emplace_back("Xwayland");
    }
    for (const std::string& program : programs) {
        if (!ChildProcess::onPath(program)) {
            unavailable_ = true;
            error_ = program + " is not installed (the Wayland tests need sway, wtype, grim and " +
                     "Xwayland)";
            return;
        }
    }
    const std::filesystem::path runtime = home() / "runtime";
    if (!makeFolder(home(), true) || !makeFolder(runtime, true) || !makeFolder(home() / "config") ||
        !makeFolder(home() / "data") || !makeFolder(home() / "cache")) {
        error_ = "cannot make the session's folders for its user";
        return;
    }
    environment_.set("HOME", home().string());
    environment_.set("XDG_RUNTIME_DIR", runtime.string());
    environment_.set("XDG_CONFIG_HOME", (home() / "config").string());
    environment_.set("XDG_DATA_HOME", (home() / "data").string());
    environment_.set("XDG_CACHE_HOME", (home() / "cache").string());
    environment_.set("DISPLAY", std::nullopt);
    environment_.set("WAYLAND_DISPLAY", std::nullopt);
    environment_.set("WLR_BACKENDS", "headless");
    environment_.set("WLR_RENDERER", "pixman");
    environment_.set("WLR_LIBINPUT_NO_DEVICES", "1");
    environment_.set("GDK_BACKEND", "wayland");
    environment_.set("NO_AT_BRIDGE", "1");
    environment_.set("GSETTINGS_BACKEND", "memory");

    const std::string bus = privateBusConfig("unix:dir=" + runtime.string());
    const std::filesystem::path busFile = home() / "bus.conf";
    const std::filesystem::path swayFile = home() / "sway.config";
    // sway starts XWayland at once, and says its display to the programs it starts.
    const std::filesystem::path displayFile = home() / "x-display";
    const std::string xwayland =
        options.xwayland
            ? "xwayland force\nexec sh -c 'echo \"$DISPLAY\" > " + displayFile.string() + "'\n"
            : "xwayland disable\n";
    if (!(std::ofstream(busFile) << bus) || !(std::ofstream(swayFile) << xwayland << swayConfig)) {
        error_ = "cannot write the session's configuration";
        return;
    }
    ::chmod(busFile.c_str(), 0644);
    ::chmod(swayFile.c_str(), 0644);

    auto& daemon = children_.emplace_back(std::make_unique<ChildProcess>(
        command({"dbus-daemon", "--config-file=" + busFile.string(), "--nofork",
                 "--print-address={fd}"}),
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard,
                              .reportPipe = true}));
    const std::optional<std::string> address = daemon->readReportLine(10s);
    if (!address || address->empty()) {
        error_ = "dbus-daemon reported no address";
        return;
    }
    environment_.set("DBUS_SESSION_BUS_ADDRESS", *address);

    // Its complaints are read only should it fail to start; at its usual level it says little.
    auto& sway = children_.emplace_back(std::make_unique<ChildProcess>(
        command({"sway", "-c", swayFile.string()}),
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::pipe}));
    // Looked at, not reaped: the process object reaps it and reads what it said.
    const auto ended = [pid = sway->pid()] {
        siginfo_t info{};
        return ::waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
    };
    std::optional<std::string> socket;
    pollFor([&] { return (socket = waylandSocket(runtime)) || ended(); }, 10s, 50ms);
    if (!socket) {
        const ChildProcess::Exit exit = sway->finish(2s);
        unavailable_ = true;
        error_ = "sway could not start a headless output here: " + lastLine(exit.errors);
        return;
    }
    environment_.set("WAYLAND_DISPLAY", *socket);
    const std::string ipcPrefix = "sway-ipc.";
    pollFor(
        [&] {
            std::error_code error;
            for (const auto& entry : std::filesystem::directory_iterator(runtime, error)) {
                if (entry.path().filename().string().starts_with(ipcPrefix)) {
                    ipcSocket_ = entry.path();
                    return true;
                }
            }
            return false;
        },
        5s, 50ms);
    if (options.xwayland) {
        pollFor(
            [&] {
                std::getline(std::ifstream(displayFile), xDisplay_);
                return !xDisplay_.empty();
            },
            10s, 50ms);
        if (xDisplay_.empty()) {
            error_ = "sway started no XWayland";
            return;
        }
    }
}

} // namespace tiklo::test
