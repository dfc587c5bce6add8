// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11ApplicationActivator.h"

#include "platform/linux/X11ClientMessage.h"

#include "platform/linux/X11Reply.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>

namespace tiklo {
namespace {

// EWMH source indication: a pager, whose requests window managers carry out at once
// instead of weighing them against focus stealing.
constexpr std::uint32_t sourcePager = 2;

} // namespace

X11ApplicationActivator::X11ApplicationActivator(xcb_connection_t* connection, xcb_window_t root,
                                                 Sleeper& sleeper)
    : connection_(connection), root_(root), sleeper_(sleeper) {
    constexpr std::array<std::string_view, 1> names{"_NET_ACTIVE_WINDOW"};
    activeWindowAtom_ = internAtoms(connection_, names)[0];
}

void X11ApplicationActivator::activate(const RunningApplication& application) {
    if (application.window != 0 && application.window <= std::numeric_limits<xcb_window_t>::max()) {
        requestActivation(static_cast<xcb_window_t>(application.window));
    }
}

bool X11ApplicationActivator::requestActivation(xcb_window_t window) {
    if (window == XCB_WINDOW_NONE || activeWindowAtom_ == XCB_ATOM_NONE ||
        xcb_connection_has_error(connection_) != 0) {
        return false;
    }
    // No user time is at hand here; pager requests are not judged by it.
    sendClientMessage(connection_, root_, windowManagerRequest, window, activeWindowAtom_,
                      {sourcePager, XCB_CURRENT_TIME, activeWindow(), 0, 0});
    return true;
}

bool X11ApplicationActivator::activateWindow(xcb_window_t window) {
    if (!requestActivation(window)) {
        return false;
    }
    // The active window, not the input focus: GTK gives the focus to a child window.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (activeWindow() == window) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        sleeper_.sleepMicroseconds(static_cast<std::uint32_t>(
            std::min<std::int64_t>(left.count(), std::chrono::microseconds(pollInterval).count())));
    }
}

xcb_window_t X11ApplicationActivator::activeWindow() const {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, root_, activeWindowAtom_, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return XCB_WINDOW_NONE;
    }
    xcb_window_t window = XCB_WINDOW_NONE;
    std::memcpy(&window, xcb_get_property_value(reply.get()), sizeof window);
    return window;
}

} // namespace tiklo
