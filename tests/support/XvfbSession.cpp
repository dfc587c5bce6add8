// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XvfbSession.h"

#include "support/Poll.h"
#include "support/PrivateBusConfig.h"
#include "support/X11TestClient.h"

#include <algorithm>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;
constexpr auto startTimeout = std::chrono::seconds(20);

// Openbox announces itself on the root (EWMH) before it manages new windows reliably: a
// window mapped at once is sometimes never managed. So a probe window is mapped until openbox
// frames it (it then sets _NET_FRAME_EXTENTS on it).
bool waitForWindowManager() {
    X11TestClient client;
    const xcb_atom_t check = client.atom("_NET_SUPPORTING_WM_CHECK");
    const xcb_atom_t extents = client.atom("_NET_FRAME_EXTENTS");
    const auto announced = [&] {
        return client.propertyLength(client.root(), check, XCB_ATOM_WINDOW) == 4;
    };
    if (!client.connected() || !pollFor(announced, startTimeout)) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const xcb_window_t probe = client.createWindow("probe", "Probe", 0);
        const bool managed =
            pollFor([&] { return client.propertyLength(probe, extents, XCB_ATOM_CARDINAL) == 16; },
                    500ms, 10ms);
        xcb_destroy_window(client.connection(), probe);
        xcb_flush(client.connection());
        if (managed) {
            return true;
        }
    }
    return false;
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

std::optional<std::string> XvfbSession::spawn(const std::vector<std::string>& arguments) {
    const bool reports = std::ranges::any_of(
        arguments, [](const std::string& a) { return a.find("{fd}") != std::string::npos; });
    children_.push_back(std::make_unique<ChildProcess>(
        arguments, ChildProcess::Options{.output = ChildProcess::Stream::discard,
                                         .errors = ChildProcess::Stream::discard,
                                         .reportPipe = reports}));
    return reports ? children_.back()->readReportLine(startTimeout) : std::nullopt;
}

XvfbSession::XvfbSession(Options options) {
    const std::optional<std::string> number =
        spawn({"Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    if (!number || number->empty()) {
        error_ = "Xvfb reported no display";
        return;
    }
    environment_.set("DISPLAY", ":" + *number);

    if (options.windowManager) {
        spawn({"openbox", "--sm-disable"});
        if (!waitForWindowManager()) {
            error_ = "openbox did not start";
            return;
        }
    }
    if (options.sessionBus) {
        const std::string config =
            busFolder_.emplace().write("bus.conf", privateBusConfig("unix:tmpdir=/tmp"));
        const std::optional<std::string> address =
            spawn({"dbus-daemon", "--config-file=" + config, "--nofork", "--print-address={fd}"});
        if (!address || address->empty()) {
            error_ = "dbus-daemon reported no address";
            return;
        }
        environment_.set("DBUS_SESSION_BUS_ADDRESS", *address);
    }
    if (options.sessionBus && options.accessibilityBus) {
        startAccessibilityBus();
    }
}

// Started here because the private session bus activates nothing.
void XvfbSession::startAccessibilityBus() {
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
        return;
    }
    const bool enabled =
        sessionBusCall("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                       {"string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"})
            .succeeded();
    const ChildProcess::Exit address =
        sessionBusCall("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress", {});
    if (!enabled || address.output.find("unix:") == std::string::npos) {
        error_ = "the accessibility bus did not start";
    }
}

XvfbSession::~XvfbSession() {
    // Last started, first stopped: the window manager and bus before the display.
    while (!children_.empty()) {
        children_.pop_back();
    }
}

} // namespace tiklo::test
