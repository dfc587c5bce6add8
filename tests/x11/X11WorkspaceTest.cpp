#include "platform/linux/X11Workspace.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

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

} // namespace
} // namespace tiklo
