#include "platform/linux/X11Workspace.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <cstdlib>
#include <memory>

#include <QGuiApplication>
#include <QWindow>
#include <gtest/gtest.h>
#include <unistd.h>

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

// Square corners or round ones: a compositor, while it runs, owns the screen's selection.
TEST(X11WorkspaceTest, TellsWhetherACompositorDrawsTransparentWindows) {
    const X11Workspace workspace(test::qtConnection(), test::qtRootWindow(), "io.tiklo.Tiklo");
    EXPECT_FALSE(workspace.drawsTranslucentWindows());
    {
        test::X11TestClient compositor;
        ASSERT_TRUE(compositor.connected());
        xcb_connection_t* connection = compositor.connection();
        const xcb_window_t window = compositor.createWindow("compositor", "Compositor", 1);
        const std::string name = "_NET_WM_CM_S0";
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, name.size(), name.data()), nullptr),
            &std::free);
        ASSERT_TRUE(atom);
        xcb_set_selection_owner(connection, window, atom->atom, XCB_CURRENT_TIME);
        xcb_flush(connection);
        EXPECT_TRUE(waitUntil([&] { return workspace.drawsTranslucentWindows(); }));
    }
    // The compositor gone, its selection goes with it.
    EXPECT_TRUE(waitUntil([&] { return !workspace.drawsTranslucentWindows(); }));
}

} // namespace
} // namespace tiklo
