// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XvfbSession.h"

#include "support/Poll.h"
#include "support/PrivateBusConfig.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>

#include <unistd.h>
#include <xcb/xcb.h>

namespace tiklo::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto startTimeout = std::chrono::seconds(10);

xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.data()),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The length in bytes of a window's property of that type; 0 when it has none.
int propertyLength(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                   xcb_atom_t type) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 4), nullptr),
        &std::free);
    return reply ? xcb_get_property_value_length(reply.get()) : 0;
}

// Openbox announces itself on the root before it manages new windows reliably: a window
// mapped at once is sometimes never managed. So a probe window is mapped until openbox
// frames it (it then sets _NET_FRAME_EXTENTS on it).
bool waitUntilWindowsAreManaged(xcb_connection_t* connection, xcb_window_t root,
                                Clock::time_point deadline) {
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    bool managed = false;
    while (extents != XCB_ATOM_NONE && !managed && Clock::now() < deadline) {
        const xcb_window_t probe = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(connection, probe);
        xcb_flush(connection);
        const auto tryUntil = std::min(deadline, Clock::now() + std::chrono::milliseconds(500));
        while (!managed && Clock::now() < tryUntil) {
            managed = propertyLength(connection, probe, extents, XCB_ATOM_CARDINAL) == 16;
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
        const xcb_atom_t check = internAtom(connection, "_NET_SUPPORTING_WM_CHECK");
        const auto deadline = Clock::now() + startTimeout;
        while (check != XCB_ATOM_NONE && !running && Clock::now() < deadline) {
            running = propertyLength(connection, root, check, XCB_ATOM_WINDOW) == 4;
            if (!running) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        running =
            running && waitUntilWindowsAreManaged(connection, root, Clock::now() + startTimeout);
    }
    xcb_disconnect(connection);
    return running;
}

// Asks the session bus something with dbus-send; the printed reply.
ChildProcess::Exit sessionBusCall(const std::string& destination, const std::string& path,
                                  const std::string& method, std::vector<std::string> arguments) {
    std::vector<std::string> command{
        "dbus-send", "--session", "--print-reply", "--reply-timeout=5000", "--dest=" + destination,
        path,        method};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return ChildProcess::run(command);
}

} // namespace

XvfbSession::XvfbSession(Options options) {
    start(options);
}

std::optional<std::string> XvfbSession::spawn(const std::vector<std::string>& arguments) {
    const bool reports = std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) {
        return a.find("{fd}") != std::string::npos;
    });
    children_.push_back(std::make_unique<ChildProcess>(
        arguments, ChildProcess::Options{.output = ChildProcess::Stream::discard,
                                         .errors = ChildProcess::Stream::discard,
                                         .reportPipe = reports}));
    return reports ? children_.back()->readReportLine(startTimeout) : std::nullopt;
}

void XvfbSession::start(const Options& options) {
    const std::optional<std::string> number =
        spawn({"Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    if (!number || number->empty()) {
        error_ = "Xvfb reported no display";
        return;
    }
    display_ = ":" + *number;
    environment_.set("DISPLAY", display_);

    if (options.windowManager) {
        spawn({"openbox", "--sm-disable"});
        if (!waitForWindowManager(display_)) {
            error_ = "openbox did not start";
            return;
        }
    }
    if (options.sessionBus) {
        char path[] = "/tmp/tiklo-test-bus-XXXXXX";
        const int fd = mkstemp(path);
        const std::string busConfig = privateBusConfig("unix:tmpdir=/tmp");
        const bool written = fd >= 0 && write(fd, busConfig.data(), busConfig.size()) ==
                                            static_cast<ssize_t>(busConfig.size());
        if (fd >= 0) {
            busConfigPath_ = path;
            close(fd);
        }
        const std::optional<std::string> address =
            written ? spawn({"dbus-daemon", "--config-file=" + busConfigPath_, "--nofork",
                             "--print-address={fd}"})
                    : std::nullopt;
        if (!address || address->empty()) {
            error_ = "dbus-daemon reported no address";
            return;
        }
        environment_.set("DBUS_SESSION_BUS_ADDRESS", *address);
    }
    if (options.sessionBus && options.accessibilityBus && !startAccessibilityBus()) {
        return;
    }
}

// Started here because the private session bus activates nothing.
bool XvfbSession::startAccessibilityBus() {
    spawn({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"});
    const bool registered = pollFor(
        [] {
            return sessionBusCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                  "org.freedesktop.DBus.NameHasOwner", {"string:org.a11y.Bus"})
                       .output.find("boolean true") != std::string::npos;
        },
        startTimeout);
    if (!children_.back()->started() || !registered) {
        error_ = "org.a11y.Bus did not appear on the session bus";
        return false;
    }
    const bool enabled =
        sessionBusCall("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                       {"string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"})
            .succeeded();
    const ChildProcess::Exit address =
        sessionBusCall("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress", {});
    if (!enabled || address.output.find("unix:") == std::string::npos) {
        error_ = "the accessibility bus did not start";
        return false;
    }
    return true;
}

XvfbSession::~XvfbSession() {
    // Last started, first stopped: the window manager and bus before the display.
    while (!children_.empty()) {
        children_.pop_back();
    }
    if (!busConfigPath_.empty()) {
        unlink(busConfigPath_.c_str());
    }
}

} // namespace tiklo::test
