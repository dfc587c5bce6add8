// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11Workspace.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/X11Reply.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <array>
#include <vector>

#include <QGuiApplication>
#include <QWindow>
#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/shape.h>

namespace tiklo::test {
namespace {

// The activator switches windows under the window manager; the workspace reports the active
// one, remembers the last application other than Tiklo, and lets clicks through a window.
TEST(X11WorkspaceTest, ReportsTheActiveWindowAsTheActivatorSwitchesItAndLetsClicksThrough) {
    X11Workspace workspace(qtConnection(), qtRootWindow(), "io.tiklo.Tiklo");
    qGuiApp->installNativeEventFilter(&workspace);
    X11TestClient client;
    ASSERT_TRUE(client.connected());
    EXPECT_EQ(workspace.frontmostApplication(), std::nullopt);
    const auto activeWindow = [&] {
        const auto frontmost = workspace.frontmostApplication();
        return frontmost ? frontmost->window : 0;
    };

    const xcb_window_t terminal = client.createWindow("xterm", "XTerm", 4242);
    // The desktop-file id wins over the window class.
    const xcb_window_t editor = client.createWindow("gedit", "Gedit", 4343, "org.gnome.TextEditor");
    const RunningApplication editorApp{"org.gnome.TextEditor", 4343, editor};
    ThreadSleeper sleeper;
    X11ApplicationActivator activator(qtConnection(), qtRootWindow(), sleeper);
    // A window mapped while openbox was still starting stays unknown to it (it sets WM_STATE
    // on the windows it has taken on, and ignores activation requests for others): map it
    // again. And openbox may still be busy with earlier tests' keymap changes: wait until it
    // has carried out one activation.
    const xcb_atom_t wmState = client.atom("WM_STATE");
    const auto manage = [&](xcb_window_t window) {
        if (client.propertyLength(window, wmState, XCB_ATOM_ANY) > 0) {
            return true;
        }
        xcb_unmap_window(client.connection(), window);
        xcb_map_window(client.connection(), window);
        xcb_flush(client.connection());
        return false;
    };
    ASSERT_TRUE(waitUntil(
        [&] {
            return manage(terminal) && manage(editor) && activator.activateWindow(terminal) &&
                   activeWindow() == terminal;
        },
        std::chrono::seconds(20)));
    EXPECT_EQ(workspace.frontmostApplication(), (RunningApplication{"XTerm", 4242, terminal}));

    // What the injector uses: activate only asks for the switch.
    activator.activate({"", 0, editor});
    EXPECT_TRUE(waitUntil([&] { return activeWindow() == editor; }));
    EXPECT_EQ(workspace.frontmostApplication(), editorApp);
    EXPECT_EQ(workspace.lastOtherApplication(), editorApp);

    // Tiklo in front: by its id from another process, then by its pid with a Qt window.
    const xcb_window_t helper = client.createWindow("tiklo", "io.tiklo.Tiklo", 4444);
    ASSERT_TRUE(waitUntil([&] { return activator.activateWindow(helper); }));
    QWindow own;
    own.resize(200, 100);
    own.show();
    ASSERT_TRUE(waitUntil([&] { return own.isExposed(); }));
    // A window of this process has the keyboard from the moment the server gives it the focus,
    // whatever the window manager says is in front.
    ASSERT_TRUE(waitUntil([&] { return activator.activateWindow(editor); }));
    EXPECT_FALSE(workspace.ownWindowHasKeyboard());
    xcb_set_input_focus(client.connection(), XCB_INPUT_FOCUS_POINTER_ROOT,
                        static_cast<xcb_window_t>(own.winId()), XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(client.connection(),
                                        xcb_get_input_focus(client.connection()), nullptr));
    EXPECT_TRUE(workspace.ownWindowHasKeyboard());
    ASSERT_TRUE(activator.activateWindow(static_cast<xcb_window_t>(own.winId())));
    // Qt names its windows' class after the program, never Tiklo's id; the pid tells.
    EXPECT_EQ(workspace.frontmostApplication(),
              (RunningApplication{workspace.ownAppID(), getpid(), own.winId()}));
    EXPECT_EQ(workspace.lastOtherApplication(), editorApp);

    // The inline popup and the full picker share a window: once clicks are taken again, they
    // must reach all of it at the larger size too, not only the size it had when they were let
    // through.
    xcb_connection_t* connection = client.connection();
    // Past the window manager, so that it has no say in the window's size.
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t overrideRedirect = 1;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, client.root(), 0, 0, 420, 326, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT,
                      &overrideRedirect);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    using Rectangles = std::vector<std::array<int, 4>>; // x, y, width, height
    const auto inputArea = [&] {
        const Reply<xcb_shape_get_rectangles_reply_t> reply(xcb_shape_get_rectangles_reply(
            connection, xcb_shape_get_rectangles(connection, window, XCB_SHAPE_SK_INPUT), nullptr));
        Rectangles rectangles;
        if (reply) {
            const xcb_rectangle_t* first = xcb_shape_get_rectangles_rectangles(reply.get());
            for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply.get()); ++i) {
                rectangles.push_back({first[i].x, first[i].y, first[i].width, first[i].height});
            }
        }
        return rectangles;
    };
    // The workspace speaks on Qt's connection: a round trip there before looking from the other.
    const auto letThrough = [&](bool through) {
        workspace.letPointerThrough(window, through);
        xcb_connection_t* qt = qtConnection();
        std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
    };

    letThrough(true);
    EXPECT_EQ(inputArea(), Rectangles{});

    letThrough(false);
    const std::uint32_t larger[] = {620, 470};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         larger);
    xcb_flush(connection);
    EXPECT_EQ(inputArea(), (Rectangles{{0, 0, 620, 470}}));
}

} // namespace
} // namespace tiklo::test
