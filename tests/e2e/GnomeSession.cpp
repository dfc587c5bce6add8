// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/GnomeSession.h"

#include "support/Poll.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include <gio/gio.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* remoteDesktop = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* remoteSessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";
constexpr const char* screenshotService = "org.gnome.Shell.Screenshot";
constexpr unsigned escapeKeysym = 0xff1b;
constexpr auto typingPace = 20ms;

// The reply, or nothing with the error's text in `failure`.
GVariant* call(GDBusConnection* bus, const char* service, const char* path, const char* interface,
               const char* method, GVariant* arguments, const char* replyType,
               std::string* failure = nullptr) {
    g_autoptr(GError) error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(bus, service, path, interface, method, arguments,
                                                  replyType ? G_VARIANT_TYPE(replyType) : nullptr,
                                                  G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &error);
    if (error != nullptr && failure != nullptr) {
        *failure = error->message;
    }
    return reply;
}

bool overviewShown(GDBusConnection* bus) {
    g_autoptr(GVariant) reply =
        call(bus, "org.gnome.Shell", "/org/gnome/Shell", "org.freedesktop.DBus.Properties", "Get",
             g_variant_new("(ss)", "org.gnome.Shell", "OverviewActive"), "(v)");
    if (reply == nullptr) {
        return false;
    }
    g_autoptr(GVariant) value = nullptr;
    g_variant_get(reply, "(v)", &value);
    return g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN) && g_variant_get_boolean(value);
}

// Whether `pid` is a running ibus-daemon, not a zombie or a process that took its number.
bool ibusDaemonRuns(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string fields;
    std::getline(stat, fields);
    const auto name = fields.find("(ibus-daemon) ");
    return name != std::string::npos && fields.size() > name + 14 && fields[name + 14] != 'Z';
}

constexpr std::string_view dconfKeys = "[org/gnome/desktop/notifications]\n"
                                       // A banner over the field would hide the candidates.
                                       "show-banners=false\n"
                                       "[org/gnome/desktop/input-sources]\n"
                                       "sources=[('ibus', 'tiklo'), ('xkb', 'us')]\n";

} // namespace

GnomeSession::GnomeSession() : WaylandSession(false) {
    if (!installed({"gnome-shell", "dbus-daemon", "dconf"},
                   "the GNOME test needs gnome-shell, dconf-cli and python3-dbusmock") ||
        !makeHome()) {
        return;
    }
    // ibus-daemon ends at once without its configuration service, which IBus's own folder names.
    environment_.set("IBUS_COMPONENT_PATH", TIKLO_IBUS_COMPONENT_DIR ":/usr/share/ibus/component");

    // The shell and its windows read their settings from a database of this home alone; it is
    // compiled beforehand because nothing here runs dconf's writing service.
    const std::filesystem::path profile = home() / "dconf-profile";
    const std::filesystem::path keys = home() / "dconf-keys" / "00-session";
    const std::filesystem::path database = home() / "config" / "dconf";
    std::error_code failed;
    std::filesystem::create_directories(keys.parent_path(), failed);
    std::filesystem::create_directories(database, failed);
    if (failed || !(std::ofstream(profile) << "user-db:user\n") ||
        !(std::ofstream(keys) << dconfKeys)) {
        error_ = "cannot write the session's settings";
        return;
    }
    environment_.set("DCONF_PROFILE", profile.string());
    const ChildProcess::Exit compiled = ChildProcess::run(
        {"dconf", "compile", (database / "user").string(), keys.parent_path().string()});
    if (!compiled.succeeded()) {
        error_ = "dconf could not compile the session's settings: " + compiled.errors;
        return;
    }

    // Mutter asks logind for its session and seat, on the system bus.
    if (!startBus("DBUS_SYSTEM_BUS_ADDRESS")) {
        return;
    }
    spawn({TIKLO_TEST_PYTHON, "-m", "dbusmock", "--system", "--template", "logind"});
    if (!pollFor([] { return busNameOwned("org.freedesktop.login1", {}, true); }, 10s, 50ms)) {
        unavailable_ = true;
        error_ = "no logind from python3-dbusmock, which GNOME Shell needs, on the bus";
        return;
    }
    if (!startBus("DBUS_SESSION_BUS_ADDRESS")) {
        return;
    }

    // It says much, and nobody reads a pipe of it while it runs: a file, read should it fail.
    const std::filesystem::path log = home() / "gnome-shell.log";
    const ChildProcess& shell =
        spawn({"sh", "-c", "exec \"$@\" >\"$0\" 2>&1", log.string(), "gnome-shell", "--headless",
               "--wayland", "--no-x11", "--virtual-monitor", "1024x768"});
    shellStarted_ = true;
    const bool up = pollFor(
        [&] {
            return childEnded(shell) ||
                   (std::filesystem::exists(home() / "runtime" / "wayland-0") &&
                    busNameOwned(remoteDesktop) && busNameOwned(screenshotService));
        },
        30s, 100ms);
    if (!up || childEnded(shell)) {
        unavailable_ = true;
        std::ifstream said(log);
        error_ = "GNOME Shell did not start here: " +
                 lastLine({std::istreambuf_iterator<char>(said), std::istreambuf_iterator<char>()});
        return;
    }
    environment_.set("WAYLAND_DISPLAY", "wayland-0");
    bus_ = g_dbus_connection_new_for_address_sync(
        std::getenv("DBUS_SESSION_BUS_ADDRESS"),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    if (bus_ == nullptr) {
        error_ = "cannot connect to the session bus";
        return;
    }

    // The shell takes screenshots only for the owner of this name.
    g_autoptr(GVariant) owned =
        call(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "RequestName", g_variant_new("(su)", "org.gnome.Screenshot", 4u), "(u)");
    if (owned == nullptr) {
        error_ = "cannot own org.gnome.Screenshot";
        return;
    }
    // One session for the whole test: each new one is a new keyboard, and the seat's focus can
    // go with the last.
    std::string failure;
    g_autoptr(GVariant) created = call(bus_, remoteDesktop, "/org/gnome/Mutter/RemoteDesktop",
                                       remoteDesktop, "CreateSession", nullptr, "(o)", &failure);
    if (created == nullptr) {
        error_ = "no remote-desktop session: " + failure;
        return;
    }
    const gchar* path = nullptr;
    g_variant_get(created, "(&o)", &path);
    remoteSession_ = path;
    g_autoptr(GVariant) started = call(bus_, remoteDesktop, remoteSession_.c_str(),
                                       remoteSessionInterface, "Start", nullptr, nullptr, &failure);
    if (started == nullptr) {
        error_ = "the remote-desktop session did not start: " + failure;
        return;
    }
    // The shell ends its start in the overview, which Escape leaves; and a window that opens
    // before any key of this session does not get the keyboard.
    pollFor([&] { return overviewShown(bus_); }, 10s, 50ms);
    const bool left = pollFor(
        [&] { return pressKey(escapeKeysym) && pollFor([&] { return !overviewShown(bus_); }, 1s); },
        10s, 100ms);
    if (!left) {
        error_ = "the shell's overview did not go away on Escape";
    }
}

GnomeSession::~GnomeSession() {
    if (bus_ != nullptr) {
        if (!remoteSession_.empty()) {
            g_autoptr(GVariant) stopped = call(bus_, remoteDesktop, remoteSession_.c_str(),
                                               remoteSessionInterface, "Stop", nullptr, nullptr);
        }
        g_dbus_connection_close_sync(bus_, nullptr, nullptr);
        g_object_unref(bus_);
    }
    // The shell goes first, then the ibus-daemon it started, which ends its engines.
    if (shellStarted_) {
        children_.pop_back();
        endIbusDaemon();
    }
}

bool GnomeSession::pressKey(unsigned keysym) {
    for (const bool down : {true, false}) {
        g_autoptr(GVariant) reply = call(
            bus_, remoteDesktop, remoteSession_.c_str(), remoteSessionInterface,
            "NotifyKeyboardKeysym", g_variant_new("(ub)", keysym, down ? TRUE : FALSE), nullptr);
        if (reply == nullptr) {
            return false;
        }
    }
    return true;
}

bool GnomeSession::type(std::string_view ascii) {
    return std::ranges::all_of(ascii, [this](char c) {
        std::this_thread::sleep_for(typingPace);
        return pressKey(static_cast<unsigned char>(c));
    });
}

bool GnomeSession::screenshot(const std::filesystem::path& file) {
    g_autoptr(GVariant) reply =
        call(bus_, screenshotService, "/org/gnome/Shell/Screenshot", screenshotService,
             "Screenshot", g_variant_new("(bbs)", FALSE, FALSE, file.c_str()), "(bs)");
    gboolean written = FALSE;
    if (reply != nullptr) {
        g_variant_get(reply, "(bs)", &written, nullptr);
    }
    return written != FALSE;
}

void GnomeSession::endIbusDaemon() const {
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator(home() / "config" / "ibus" / "bus", ignored)) {
        std::ifstream lines(entry.path());
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("IBUS_DAEMON_PID=")) {
                continue;
            }
            const pid_t pid = std::atoi(line.c_str() + 16);
            if (pid > 0 && ibusDaemonRuns(pid)) {
                ::kill(pid, SIGTERM);
                pollFor([&] { return !ibusDaemonRuns(pid); }, 2s, 20ms);
            }
        }
    }
}

} // namespace tiklo::test
