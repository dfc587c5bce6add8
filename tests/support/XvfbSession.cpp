#include "support/XvfbSession.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace tiklo::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto startTimeout = std::chrono::seconds(10);

constexpr std::string_view busConfig =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// Starts `arguments` with output discarded and `reportFd` left open for it to write to.
// The child is killed should the test process die first.
pid_t spawn(const std::vector<std::string>& arguments, int reportFd) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    // Only async-signal-safe calls from here on.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) {
        _exit(127);
    }
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    if (reportFd >= 0) {
        fcntl(reportFd, F_SETFD, 0);
    }
    execvp(argv[0], argv.data());
    _exit(127);
}

// The first line written to `fd`, or nothing by the deadline or end of file.
std::optional<std::string> readLine(int fd, Clock::time_point deadline) {
    std::string line;
    while (Clock::now() < deadline) {
        pollfd entry{fd, POLLIN, 0};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (poll(&entry, 1, static_cast<int>(left.count()) + 1) <= 0) {
            continue;
        }
        char c = 0;
        if (read(fd, &c, 1) != 1) {
            return std::nullopt;
        }
        if (c == '\n') {
            return line;
        }
        line += c;
    }
    return std::nullopt;
}

// Runs `arguments` and returns the line it reports on the descriptor whose number
// `arguments` names as "{fd}".
std::optional<std::string> spawnAndRead(std::vector<std::string> arguments,
                                        std::vector<pid_t>& children) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    for (std::string& argument : arguments) {
        if (const auto at = argument.find("{fd}"); at != std::string::npos) {
            argument.replace(at, 4, std::to_string(fds[1]));
        }
    }
    const pid_t pid = spawn(arguments, fds[1]);
    close(fds[1]);
    if (pid > 0) {
        children.push_back(pid);
    }
    std::optional<std::string> line =
        pid > 0 ? readLine(fds[0], Clock::now() + startTimeout) : std::nullopt;
    close(fds[0]);
    return line;
}

bool windowManagerRunning(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t check) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1),
                               nullptr),
        &std::free);
    return reply && xcb_get_property_value_length(reply.get()) == 4;
}

// Openbox announces itself on the root before it manages new windows reliably: a window
// mapped at once is sometimes never managed. So a probe window is mapped until openbox
// frames it (it then sets _NET_FRAME_EXTENTS on it).
bool waitUntilWindowsAreManaged(xcb_connection_t* connection, xcb_window_t root,
                                Clock::time_point deadline) {
    constexpr std::string_view name = "_NET_FRAME_EXTENTS";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.data()),
                              nullptr),
        &std::free);
    if (!atom) {
        return false;
    }
    bool managed = false;
    while (!managed && Clock::now() < deadline) {
        const xcb_window_t probe = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(connection, probe);
        xcb_flush(connection);
        const auto tryUntil = std::min(deadline, Clock::now() + std::chrono::milliseconds(500));
        while (!managed && Clock::now() < tryUntil) {
            std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
                xcb_get_property_reply(
                    connection,
                    xcb_get_property(connection, 0, probe, atom->atom, XCB_ATOM_CARDINAL, 0, 4),
                    nullptr),
                &std::free);
            managed = reply && xcb_get_property_value_length(reply.get()) == 16;
            if (!managed) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        xcb_destroy_window(connection, probe);
        xcb_flush(connection);
    }
    return managed;
}

// Openbox announces itself on the root (EWMH), then frames windows.
bool waitForWindowManager(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    bool running = false;
    if (xcb_connection_has_error(connection) == 0) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        constexpr std::string_view name = "_NET_SUPPORTING_WM_CHECK";
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, name.size(), name.data()), nullptr),
            &std::free);
        const auto deadline = Clock::now() + startTimeout;
        while (atom && !running && Clock::now() < deadline) {
            running = windowManagerRunning(connection, root, atom->atom);
            if (!running) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    }
    if (running) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        running = waitUntilWindowsAreManaged(connection, root, Clock::now() + startTimeout);
    }
    xcb_disconnect(connection);
    return running;
}

} // namespace

XvfbSession::XvfbSession(Options options) {
    start(options);
}

void XvfbSession::start(const Options& options) {
    const std::optional<std::string> number = spawnAndRead(
        {"Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x800x24", "-nolisten", "tcp"},
        children_);
    if (!number || number->empty()) {
        error_ = "Xvfb reported no display";
        return;
    }
    display_ = ":" + *number;
    setEnvironment("DISPLAY", display_);

    if (options.windowManager) {
        if (const pid_t pid = spawn({"openbox", "--sm-disable"}, -1); pid > 0) {
            children_.push_back(pid);
        }
        if (!waitForWindowManager(display_)) {
            error_ = "openbox did not start";
            return;
        }
    }
    if (options.sessionBus) {
        char path[] = "/tmp/tiklo-test-bus-XXXXXX";
        const int fd = mkstemp(path);
        const bool written = fd >= 0 && write(fd, busConfig.data(), busConfig.size()) ==
                                            static_cast<ssize_t>(busConfig.size());
        if (fd >= 0) {
            busConfigPath_ = path;
            close(fd);
        }
        const std::optional<std::string> address =
            written ? spawnAndRead({"dbus-daemon", "--config-file=" + busConfigPath_, "--nofork",
                                    "--print-address={fd}"},
                                   children_)
                    : std::nullopt;
        if (!address || address->empty()) {
            error_ = "dbus-daemon reported no address";
            return;
        }
        setEnvironment("DBUS_SESSION_BUS_ADDRESS", *address);
    }
}

XvfbSession::~XvfbSession() {
    // Last started, first stopped: the window manager and bus before the display.
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        kill(*child, SIGTERM);
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (waitpid(*child, nullptr, WNOHANG) == 0) {
            if (Clock::now() >= deadline) {
                kill(*child, SIGKILL);
                waitpid(*child, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (!busConfigPath_.empty()) {
        unlink(busConfigPath_.c_str());
    }
    for (auto saved = savedEnvironment_.rbegin(); saved != savedEnvironment_.rend(); ++saved) {
        if (saved->second) {
            setenv(saved->first.c_str(), saved->second->c_str(), 1);
        } else {
            unsetenv(saved->first.c_str());
        }
    }
}

void XvfbSession::setEnvironment(const char* name, const std::string& value) {
    const char* previous = std::getenv(name);
    savedEnvironment_.emplace_back(name, previous != nullptr ? std::optional<std::string>(previous)
                                                             : std::nullopt);
    setenv(name, value.c_str(), 1);
}

} // namespace tiklo::test
