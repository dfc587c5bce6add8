// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/SwaySession.h"

#include "support/Poll.h"

#include <chrono>
#include <fstream>

#include <nlohmann/json.hpp>
#include <sys/stat.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// No X server to fall back on. Windows float at their own size in the output's top left
// corner without borders, so a window's coordinates are the screen's, and a popup under a
// window has room on screen: under a window that fills the output, sway 1.7 left only a line
// of the input method's candidate list in sight.
constexpr std::string_view swayConfig =
    "output HEADLESS-1 resolution 1024x768\n"
    "default_border none\n"
    "for_window [title=\".*\"] floating enable, move position 0 0\n";

// The socket in `folder` whose name begins with `prefix`.
std::optional<std::filesystem::path> socketIn(const std::filesystem::path& folder,
                                              std::string_view prefix) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && !name.ends_with(".lock")) {
            return entry.path();
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> SwaySession::focusedWindow() const {
    const ChildProcess::Exit tree =
        ChildProcess::run(command({"swaymsg", "-s", ipcSocket_.string(), "-t", "get_tree"}));
    const nlohmann::json root = nlohmann::json::parse(tree.output, nullptr, false);
    if (!tree.succeeded() || !root.is_object()) {
        return std::nullopt;
    }
    // Flattened, the nested nodes are paths: the focused one's "…/focused" beside its "…/name".
    const nlohmann::json nodes = root.flatten();
    for (const auto& [path, value] : nodes.items()) {
        if (value == true && path.ends_with("/focused")) {
            const auto name = nodes.find(path.substr(0, path.size() - 7) + "name");
            if (name != nodes.end() && name->is_string()) {
                return name->get<std::string>();
            }
        }
    }
    return std::nullopt;
}

SwaySession::SwaySession() : WaylandSession(true) {
    if (!installed({"sway", "swaymsg", "wtype", "grim", "Xwayland", "dbus-daemon", "setpriv"},
                   "the Wayland tests need sway, wtype, grim and Xwayland") ||
        !makeHome()) {
        return;
    }
    environment_.set("WLR_BACKENDS", "headless");
    environment_.set("WLR_RENDERER", "pixman");
    environment_.set("WLR_LIBINPUT_NO_DEVICES", "1");
    environment_.set("GSETTINGS_BACKEND", "memory");

    const std::filesystem::path swayFile = home() / "sway.config";
    // sway starts XWayland at once, and says its display to the programs it starts.
    const std::filesystem::path displayFile = home() / "x-display";
    if (!(std::ofstream(swayFile) << "xwayland force\nexec sh -c 'echo \"$DISPLAY\" > "
                                  << displayFile.string() << "'\n"
                                  << swayConfig)) {
        error_ = "cannot write the session's configuration";
        return;
    }
    ::chmod(swayFile.c_str(), 0644);
    if (!startBus("DBUS_SESSION_BUS_ADDRESS")) {
        return;
    }

    // Its complaints are read only should it fail to start; at its usual level it says little.
    ChildProcess& sway =
        spawn({"sway", "-c", swayFile.string()},
              {.output = ChildProcess::Stream::discard, .errors = ChildProcess::Stream::pipe});
    const std::filesystem::path runtime = home() / "runtime";
    std::optional<std::filesystem::path> socket;
    pollFor([&] { return (socket = socketIn(runtime, "wayland-")) || childEnded(sway); }, 10s,
            50ms);
    if (!socket) {
        unavailable_ = true;
        error_ = "sway could not start a headless output here: " + lastLine(sway.finish(2s).errors);
        return;
    }
    environment_.set("WAYLAND_DISPLAY", socket->filename().string());
    ipcSocket_ = pollFor([&] { return socketIn(runtime, "sway-ipc."); }, 5s, 50ms).value_or("");
    pollFor(
        [&] {
            std::getline(std::ifstream(displayFile), xDisplay_);
            return !xDisplay_.empty();
        },
        10s, 50ms);
    if (xDisplay_.empty()) {
        error_ = "sway started no XWayland";
    }
}

} // namespace tiklo::test
