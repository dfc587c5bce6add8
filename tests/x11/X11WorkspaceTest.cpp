// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11Workspace.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include <QGuiApplication>
#include <QWindow>
#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/shape.h>

namespace tiklo {
namespace {

using test::waitUntil;

TEST(X11WorkspaceTest, ReportsTheActiveWindowAndRemembersTheLastOtherApplication) {
    X11Workspace workspace(test::qtConnection(), test::qtRootWindow(), "io.tiklo.Tiklo");
    qGuiApp->installNativeEventFilter(&workspace);
    int changes = 0;
    QObject::connect(&workspace, &X11Workspace::frontmostApplicationChanged,
                     [&changes] { ++changes; });
    test::X11TestClient client;
    ASSERT_TRUE(client.connected());
    EXPECT_EQ(workspace.frontmostApplication(), std::nullopt);

    const auto activate = [&](xcb_window_t window) {
        client.activate(window);
        return waitUntil([&] {
            const auto frontmost = workspace.frontmostApplication();
            return frontmost && frontmost->window == window;
        });
    };

    const xcb_window_t terminal = client.createWindow("xterm", "XTerm", 4242);
    ASSERT_TRUE(activate(terminal));
    EXPECT_EQ(workspace.frontmostApplication(), (RunningApplication{"XTerm", 4242, terminal}));
    EXPECT_TRUE(waitUntil([&] { return changes > 0; }));

    // The desktop-file id wins over the window class.
    const xcb_window_t editor = client.createWindow("gedit", "Gedit", 4343, "org.gnome.TextEditor");
    ASSERT_TRUE(activate(editor));
    const RunningApplication editorApp{"org.gnome.TextEditor", 4343, editor};
    EXPECT_EQ(workspace.frontmostApplication(), editorApp);
    EXPECT_EQ(workspace.lastOtherApplication(), editorApp);

    // Tiklo in front: by its id from another process, then by its pid with a Qt window.
    const xcb_window_t helper = client.createWindow("tiklo", "io.tiklo.Tiklo", 4444);
    ASSERT_TRUE(activate(helper));
    QWindow own;
    own.resize(200, 100);
    own.show();
    ASSERT_TRUE(waitUntil([&] { return own.isExposed(); }));
    ASSERT_TRUE(activate(static_cast<xcb_window_t>(own.winId())));
    // Qt names its windows' class after the program, never Tiklo's id; the pid tells.
    const std::optional<RunningApplication> front = workspace.frontmostApplication();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->pid, getpid());
    EXPECT_EQ(front->appID, workspace.ownAppID());
    EXPECT_EQ(workspace.lastOtherApplication(), editorApp);
}

// The inline popup and the full picker share a window: once clicks are taken again, they must
// reach all of it at the larger size too, not only the size it had when they were let through.
TEST(X11WorkspaceTest, ClicksFallThroughAWindowThenReachAllOfItAtAnySize) {
    X11Workspace workspace(test::qtConnection(), test::qtRootWindow(), "io.tiklo.Tiklo");
    test::X11TestClient client;
    ASSERT_TRUE(client.connected());
    xcb_connection_t* connection = client.connection();
    // Past the window manager, so that it has no say in the window's size.
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t overrideRedirect = 1;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, client.root(), 0, 0, 420, 326, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT,
                      &overrideRedirect);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    const auto inputArea = [&] {
        std::unique_ptr<xcb_shape_get_rectangles_reply_t, decltype(&std::free)> reply(
            xcb_shape_get_rectangles_reply(
                connection, xcb_shape_get_rectangles(connection, window, XCB_SHAPE_SK_INPUT),
                nullptr),
            &std::free);
        std::vector<xcb_rectangle_t> rectangles;
        if (reply) {
            const xcb_rectangle_t* first = xcb_shape_get_rectangles_rectangles(reply.get());
            rectangles.assign(first,
                              first + xcb_shape_get_rectangles_rectangles_length(reply.get()));
        }
        return rectangles;
    };
    const auto resize = [&](std::uint32_t width, std::uint32_t height) {
        const std::uint32_t size[] = {width, height};
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                             size);
        xcb_flush(connection);
    };

    // The workspace speaks on Qt's connection: a round trip there before looking from the other.
    const auto letThrough = [&](bool through) {
        workspace.letPointerThrough(window, through);
        xcb_connection_t* qt = test::qtConnection();
        std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
    };

    letThrough(true);
    EXPECT_TRUE(inputArea().empty());

    letThrough(false);
    resize(620, 470);
    const std::vector<xcb_rectangle_t> area = inputArea();
    ASSERT_EQ(area.size(), 1u);
    EXPECT_EQ(area[0].x, 0);
    EXPECT_EQ(area[0].y, 0);
    EXPECT_EQ(area[0].width, 620);
    EXPECT_EQ(area[0].height, 470);
}

} // namespace
} // namespace tiklo
