// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/GnomeSession.h"

#include "support/Poll.h"
#include "support/PrivateBusConfig.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <gio/gio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* remoteDesktop = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* remoteSessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";
constexpr const char* screenshotService = "org.gnome.Shell.Screenshot";
constexpr unsigned escapeKeysym = 0xff1b;
constexpr auto typingPace = 20ms;

std::string lastLine(const std::filesystem::path& file) {
    std::ifstream lines(file);
    std::string line;
    for (std::string next; std::getline(lines, next);) {
        if (!next.empty()) {
            line = next;
        }
    }
    return line;
}

GDBusConnection* connect(const std::string& address) {
    return g_dbus_connection_new_for_address_sync(
        address.c_str(),
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
}

// The reply, or nothing with the error's text in `failure`.
GVariant* call(GDBusConnection* bus, const char* service, const char* path, const char* interface,
               const char* method, GVariant* arguments, const char* replyType,
               std::string* failure = nullptr) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(bus, service, path, interface, method, arguments,
                                                  replyType ? G_VARIANT_TYPE(replyType) : nullptr,
                                                  G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &error);
    if (error != nullptr) {
        if (failure != nullptr) {
            *failure = error->message;
        }
        g_error_free(error);
    }
    return reply;
}

bool hasOwner(GDBusConnection* bus, const char* name) {
    GVariant* reply =
        call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "NameHasOwner", g_variant_new("(s)", name), "(b)");
    gboolean owned = FALSE;
    if (reply != nullptr) {
        g_variant_get(reply, "(b)", &owned);
        g_variant_unref(reply);
    }
    return owned != FALSE;
}

bool overviewShown(GDBusConnection* bus) {
    GVariant* reply =
        call(bus, "org.gnome.Shell", "/org/gnome/Shell", "org.freedesktop.DBus.Properties", "Get",
             g_variant_new("(ss)", "org.gnome.Shell", "OverviewActive"), "(v)");
    gboolean shown = FALSE;
    if (reply != nullptr) {
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        shown = g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN) && g_variant_get_boolean(value);
        g_variant_unref(value);
        g_variant_unref(reply);
    }
    return shown != FALSE;
}

// Whether `pid` is a running ibus-daemon, not a zombie or a process that took its number.
bool ibusDaemonRuns(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string fields;
    std::getline(stat, fields);
    const auto name = fields.find("(ibus-daemon) ");
    return name != std::string::npos && fields.size() > name + 14 && fields[name + 14] != 'Z';
}

// The settings of the session; the input sources follow, from the options.
constexpr std::string_view dconfKeys = "[org/gnome/desktop/notifications]\n"
                                       // A banner over the field would hide the candidates.
                                       "show-banners=false\n"
                                       "[org/gnome/desktop/input-sources]\n";

} // namespace

GnomeSession::GnomeSession(const Options& options) {
    start(options);
}

GnomeSession::~GnomeSession() {
    if (bus_ != nullptr) {
        if (!remoteSession_.empty()) {
            GVariant* reply = call(bus_, remoteDesktop, remoteSession_.c_str(),
                                   remoteSessionInterface, "Stop", nullptr, nullptr);
            if (reply != nullptr) {
                g_variant_unref(reply);
            }
        }
        g_dbus_connection_close_sync(bus_, nullptr, nullptr);
        g_object_unref(bus_);
    }
    // The shell goes first, then the ibus-daemon it started, which ends its engines.
    if (shellStarted_) {
        children_.pop_back();
        endIbusDaemon();
    }
    while (!children_.empty()) {
        children_.pop_back();
    }
}

bool GnomeSession::pressKey(unsigned keysym) {
    for (const bool down : {true, false}) {
        GVariant* reply = call(bus_, remoteDesktop, remoteSession_.c_str(), remoteSessionInterface,
                               "NotifyKeyboardKeysym",
                               g_variant_new("(ub)", keysym, down ? TRUE : FALSE), nullptr);
        if (reply == nullptr) {
            return false;
        }
        g_variant_unref(reply);
    }
    return true;
}

bool GnomeSession::type(std::string_view ascii) {
    for (const char c : ascii) {
        if (!pressKey(static_cast<unsigned char>(c))) {
            return false;
        }
        std::this_thread::sleep_for(typingPace);
    }
    return true;
}

bool GnomeSession::screenshot(const std::filesystem::path& file) {
    GVariant* reply =
        call(bus_, screenshotService, "/org/gnome/Shell/Screenshot", screenshotService,
             "Screenshot", g_variant_new("(bbs)", FALSE, FALSE, file.c_str()), "(bs)");
    gboolean written = FALSE;
    if (reply != nullptr) {
        g_variant_get(reply, "(bs)", &written, nullptr);
        g_variant_unref(reply);
    }
    return written != FALSE;
}

bool GnomeSession::startBus(const std::filesystem::path& config, const std::string& variable) {
    auto& daemon = children_.emplace_back(std::make_unique<ChildProcess>(
        std::vector<std::string>{"dbus-daemon", "--config-file=" + config.string(), "--nofork",
                                 "--print-address={fd}"},
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard,
                              .reportPipe = true}));
    const std::optional<std::string> address = daemon->readReportLine(10s);
    if (!address || address->empty()) {
        error_ = "dbus-daemon reported no address";
        return false;
    }
    environment_.set(variable, *address);
    return true;
}

void GnomeSession::start(const Options& options) {
    for (const std::string program : {"gnome-shell", "dbus-daemon", "dconf"}) {
        if (!ChildProcess::onPath(program)) {
            unavailable_ = true;
            error_ = program + " is not installed (the GNOME test needs gnome-shell, dconf-cli " +
                     "and python3-dbusmock)";
            return;
        }
    }
    if (!ChildProcess::run({TIKLO_TEST_PYTHON, "-c", "import dbusmock"}).succeeded()) {
        unavailable_ = true;
        error_ = "python3-dbusmock is not installed: GNOME Shell needs it as logind";
        return;
    }
    const std::filesystem::path runtime = home() / "runtime";
    const std::filesystem::path config = home() / "config";
    std::error_code failed;
    for (const auto& folder :
         {runtime, config / "dconf", home() / "data", home() / "cache", home() / "dconf-keys"}) {
        std::filesystem::create_directories(folder, failed);
    }
    if (failed || ::chmod(home().c_str(), 0700) != 0 || ::chmod(runtime.c_str(), 0700) != 0) {
        error_ = "cannot make the session's folders";
        return;
    }
    environment_.set("HOME", home().string());
    environment_.set("XDG_RUNTIME_DIR", runtime.string());
    environment_.set("XDG_CONFIG_HOME", config.string());
    environment_.set("XDG_DATA_HOME", (home() / "data").string());
    environment_.set("XDG_CACHE_HOME", (home() / "cache").string());
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "GTK_IM_MODULE", "QT_IM_MODULE",
                             "XMODIFIERS", "IBUS_ADDRESS", "GSETTINGS_BACKEND"}) {
        environment_.set(name, std::nullopt);
    }
    environment_.set("GDK_BACKEND", "wayland");
    environment_.set("NO_AT_BRIDGE", "1");
    environment_.set("IBUS_COMPONENT_PATH", options.ibusComponents);

    // The shell and its windows read their settings from a database of this home alone; it is
    // compiled beforehand because nothing here runs dconf's writing service.
    const std::filesystem::path profile = home() / "dconf-profile";
    const std::filesystem::path keys = home() / "dconf-keys" / "00-session";
    if (!(std::ofstream(profile) << "user-db:user\n") ||
        !(std::ofstream(keys) << dconfKeys << "sources=" << options.inputSources << "\n")) {
        error_ = "cannot write the session's settings";
        return;
    }
    environment_.set("DCONF_PROFILE", profile.string());
    const ChildProcess::Exit compiled = ChildProcess::run(
        {"dconf", "compile", (config / "dconf" / "user").string(), keys.parent_path().string()});
    if (!compiled.succeeded()) {
        error_ = "dconf could not compile the session's settings: " + compiled.errors;
        return;
    }

    const std::filesystem::path busFile = home() / "bus.conf";
    if (!(std::ofstream(busFile) << privateBusConfig("unix:dir=" + runtime.string()))) {
        error_ = "cannot write the buses' configuration";
        return;
    }
    // Mutter asks logind for its session and seat, on the system bus.
    if (!startBus(busFile, "DBUS_SYSTEM_BUS_ADDRESS")) {
        return;
    }
    children_.emplace_back(std::make_unique<ChildProcess>(
        std::vector<std::string>{TIKLO_TEST_PYTHON, "-m", "dbusmock", "--system", "--template",
                                 "logind"},
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard}));
    GDBusConnection* system = connect(std::getenv("DBUS_SYSTEM_BUS_ADDRESS"));
    const bool logind =
        system != nullptr &&
        pollFor([&] { return hasOwner(system, "org.freedesktop.login1"); }, 10s, 50ms);
    if (system != nullptr) {
        g_object_unref(system);
    }
    if (!logind) {
        unavailable_ = true;
        error_ = "dbusmock's logind did not come on the bus";
        return;
    }
    if (!startBus(busFile, "DBUS_SESSION_BUS_ADDRESS")) {
        return;
    }
    bus_ = connect(std::getenv("DBUS_SESSION_BUS_ADDRESS"));
    if (bus_ == nullptr) {
        error_ = "cannot connect to the session bus";
        return;
    }

    // It says much, and nobody reads a pipe of it while it runs: a file, read should it fail.
    const std::filesystem::path log = home() / "gnome-shell.log";
    auto& shell = children_.emplace_back(std::make_unique<ChildProcess>(
        std::vector<std::string>{"sh", "-c", "exec \"$@\" >\"$0\" 2>&1", log.string(),
                                 "gnome-shell", "--headless", "--wayland", "--no-x11",
                                 "--virtual-monitor", "1024x768"},
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard}));
    shellStarted_ = true;
    // Looked at, not reaped: the process object reaps it.
    const auto ended = [pid = shell->pid()] {
        siginfo_t info{};
        return ::waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
    };
    const bool up = pollFor(
        [&] {
            return ended() || (std::filesystem::exists(runtime / "wayland-0") &&
                               hasOwner(bus_, remoteDesktop) && hasOwner(bus_, screenshotService));
        },
        30s, 100ms);
    if (!up || ended()) {
        unavailable_ = true;
        error_ = "GNOME Shell did not start here: " + lastLine(log);
        return;
    }
    environment_.set("WAYLAND_DISPLAY", "wayland-0");

    // The shell takes screenshots only for the owner of this name.
    GVariant* owned =
        call(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "RequestName", g_variant_new("(su)", "org.gnome.Screenshot", 4u), "(u)");
    if (owned == nullptr) {
        error_ = "cannot own org.gnome.Screenshot";
        return;
    }
    g_variant_unref(owned);
    // One session for the whole test: each new one is a new keyboard, and the seat's focus can
    // go with the last.
    std::string failure;
    GVariant* created = call(bus_, remoteDesktop, "/org/gnome/Mutter/RemoteDesktop", remoteDesktop,
                             "CreateSession", nullptr, "(o)", &failure);
    if (created == nullptr) {
        error_ = "no remote-desktop session: " + failure;
        return;
    }
    const gchar* path = nullptr;
    g_variant_get(created, "(&o)", &path);
    remoteSession_ = path;
    g_variant_unref(created);
    GVariant* started = call(bus_, remoteDesktop, remoteSession_.c_str(), remoteSessionInterface,
                             "Start", nullptr, nullptr, &failure);
    if (started == nullptr) {
        error_ = "the remote-desktop session did not start: " + failure;
        return;
    }
    g_variant_unref(started);
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
