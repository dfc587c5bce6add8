// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/WaylandSession.h"

#include "support/PrivateBusConfig.h"

#include <chrono>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tiklo::test {
namespace {

// "nobody" and "nogroup" on Debian.
constexpr uid_t sessionUser = 65534;
constexpr gid_t sessionGroup = 65534;

} // namespace

bool childEnded(const ChildProcess& child) {
    siginfo_t info{};
    return ::waitid(P_PID, child.pid(), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == child.pid();
}

bool busNameOwned(const std::string& name, const std::vector<std::string>& launcher,
                  bool systemBus) {
    std::vector<std::string> arguments = launcher;
    arguments.insert(arguments.end(),
                     {"dbus-send", systemBus ? "--system" : "--session", "--print-reply",
                      "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                      "org.freedesktop.DBus.NameHasOwner", "string:" + name});
    return ChildProcess::run(arguments).output.find("boolean true") != std::string::npos;
}

WaylandSession::WaylandSession(bool asNobody) {
    if (asNobody && ::geteuid() == 0) {
        // The death signal is set again after the change of user, which clears it.
        launcher_ = {"setpriv",
                     "--reuid=" + std::to_string(sessionUser),
                     "--regid=" + std::to_string(sessionGroup),
                     "--clear-groups",
                     "--pdeathsig=KILL",
                     "--"};
    }
}

WaylandSession::~WaylandSession() {
    while (!children_.empty()) {
        children_.pop_back();
    }
}

std::vector<std::string> WaylandSession::command(const std::vector<std::string>& arguments) const {
    std::vector<std::string> full = launcher_;
    full.insert(full.end(), arguments.begin(), arguments.end());
    return full;
}

bool WaylandSession::makeFolder(const std::filesystem::path& folder, bool privateToUser) const {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || (privateToUser && ::chmod(folder.c_str(), 0700) != 0)) {
        return false;
    }
    return handOver(folder);
}

bool WaylandSession::handOver(const std::filesystem::path& path) const {
    return launcher_.empty() || ::chown(path.c_str(), sessionUser, sessionGroup) == 0;
}

bool WaylandSession::installed(const std::vector<std::string>& programs,
                               const std::string& needed) {
    for (const std::string& program : programs) {
        if (!ChildProcess::onPath(program)) {
            unavailable_ = true;
            error_ = program + " is not installed (" + needed + ")";
            return false;
        }
    }
    return true;
}

bool WaylandSession::makeHome() {
    const std::filesystem::path runtime = home() / "runtime";
    if (!makeFolder(home(), true) || !makeFolder(runtime, true) || !makeFolder(home() / "config") ||
        !makeFolder(home() / "data") || !makeFolder(home() / "cache")) {
        error_ = "cannot make the session's folders for its user";
        return false;
    }
    environment_.set("HOME", home().string());
    environment_.set("XDG_RUNTIME_DIR", runtime.string());
    environment_.set("XDG_CONFIG_HOME", (home() / "config").string());
    environment_.set("XDG_DATA_HOME", (home() / "data").string());
    environment_.set("XDG_CACHE_HOME", (home() / "cache").string());
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "GTK_IM_MODULE", "QT_IM_MODULE",
                             "XMODIFIERS", "IBUS_ADDRESS", "GSETTINGS_BACKEND"}) {
        environment_.set(name, std::nullopt);
    }
    environment_.set("GDK_BACKEND", "wayland");
    environment_.set("NO_AT_BRIDGE", "1");
    // Read by the daemons, which run as the session's user.
    const std::filesystem::path bus = home() / "bus.conf";
    if (!(std::ofstream(bus) << privateBusConfig("unix:dir=" + runtime.string())) ||
        ::chmod(bus.c_str(), 0644) != 0) {
        error_ = "cannot write the buses' configuration";
        return false;
    }
    return true;
}

bool WaylandSession::startBus(const std::string& variable) {
    ChildProcess& daemon = spawn({"dbus-daemon", "--config-file=" + (home() / "bus.conf").string(),
                                  "--nofork", "--print-address={fd}"},
                                 {.output = ChildProcess::Stream::discard,
                                  .errors = ChildProcess::Stream::discard,
                                  .reportPipe = true});
    const std::optional<std::string> address = daemon.readReportLine(std::chrono::seconds(10));
    if (!address || address->empty()) {
        error_ = "dbus-daemon reported no address";
        return false;
    }
    environment_.set(variable, *address);
    return true;
}

ChildProcess& WaylandSession::spawn(const std::vector<std::string>& arguments,
                                    ChildProcess::Options options) {
    return *children_.emplace_back(std::make_unique<ChildProcess>(command(arguments), options));
}

std::string WaylandSession::lastLine(std::string text) {
    text.erase(text.find_last_not_of('\n') + 1); // all of it when it holds only line breaks
    return text.substr(text.rfind('\n') + 1);
}

} // namespace tiklo::test
