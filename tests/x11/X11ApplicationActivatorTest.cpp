// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11Workspace.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using test::qtConnection;
using test::qtRootWindow;
using test::waitUntil;

// Whether the window manager has taken the window on (it sets WM_STATE then); before that
// it ignores activation requests for it.
bool managed(xcb_window_t window) {
    xcb_connection_t* connection = qtConnection();
    constexpr std::string_view name = "WM_STATE";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, name.size(), name.data()), nullptr);
    if (atom == nullptr) {
        return false;
    }
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, atom->atom, XCB_ATOM_ANY, 0, 1),
        nullptr);
    const bool present = property != nullptr && property->format != 0;
    std::free(property);
    std::free(atom);
    return present;
}

TEST(X11ApplicationActivatorTest, ReturnsOnceTheWindowManagerNamesTheTargetActive) {
    test::X11TestClient client;
    ASSERT_TRUE(client.connected());
    const xcb_window_t first = client.createWindow("first", "First", 101);
    const xcb_window_t second = client.createWindow("second", "Second", 102);
    ThreadSleeper sleeper;
    X11ApplicationActivator activator(qtConnection(), qtRootWindow(), sleeper);
    const X11Workspace workspace(qtConnection(), qtRootWindow(), "io.tiklo.Tiklo");
    const auto activeWindow = [&] {
        const auto frontmost = workspace.frontmostApplication();
        return frontmost ? frontmost->window : 0;
    };
    // A window mapped while openbox was still starting stays unknown to it: map it again.
    // And openbox may still be busy with earlier tests' keymap changes: wait until it has
    // carried out one activation.
    const auto manage = [&](xcb_window_t window) {
        if (managed(window)) {
            return true;
        }
        xcb_unmap_window(client.connection(), window);
        xcb_map_window(client.connection(), window);
        xcb_flush(client.connection());
        return false;
    };
    ASSERT_TRUE(waitUntil(
        [&] {
            return manage(first) && manage(second) && activator.activateWindow(second) &&
                   activeWindow() == second;
        },
        std::chrono::seconds(20)));

    // activateWindow returns once the switch has happened; activate only asks for it.
    for (const xcb_window_t window : {first, second, first}) {
        EXPECT_TRUE(activator.activateWindow(window));
        EXPECT_EQ(activeWindow(), window);
    }
    activator.activate({"", 0, second});
    EXPECT_TRUE(waitUntil([&] { return activeWindow() == second; }));
    EXPECT_TRUE(activator.activateWindow(first));

    // A window the window manager will not activate (never mapped) costs the timeout and
    // no more, and nothing changes.
    const xcb_window_t hidden = xcb_generate_id(client.connection());
    xcb_create_window(client.connection(), XCB_COPY_FROM_PARENT, hidden, client.root(), 0, 0, 10,
                      10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_flush(client.connection());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(activator.activateWindow(hidden));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, X11ApplicationActivator::timeout);
    EXPECT_LT(waited, X11ApplicationActivator::timeout + std::chrono::milliseconds(250));
    EXPECT_EQ(activeWindow(), first);
}

} // namespace
} // namespace tiklo
