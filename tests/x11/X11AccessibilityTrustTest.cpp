// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11AccessibilityTrust.h"
#include "platform/linux/SessionAccessibilityBus.h"
#include "support/ScopedEnvironment.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

// Stands in for the accessibility bus launcher on the test's private session bus.
class FakeAccessibilityStatus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool IsEnabled READ isEnabled)
public:
    bool isEnabled() const { return true; }
};

// Trusted on Xvfb, which offers XInput and XTest. The session says whether it is Wayland's:
// its type from the login manager, or a Wayland display announced by the compositor.
TEST(X11AccessibilityTrustTest,
     TrustedOnXvfbWaylandReachesX11OnlyAndTheBusIsMissingUntilALauncher) {
    // Qt's connection has announced its own XInput version already; a fresh one has not.
    EXPECT_TRUE(X11AccessibilityTrust(qtConnection()).isTrusted());
    const X11TestClient client;
    ASSERT_TRUE(client.connected());
    const X11AccessibilityTrust trust(client.connection());
    EXPECT_TRUE(trust.isTrusted());

    ScopedEnvironment environment;
    struct Case {
        std::optional<std::string> sessionType; // nothing: unset
        std::optional<std::string> waylandDisplay;
        bool x11Only;
    };
    const Case cases[] = {
        {{}, {}, false},         {"x11", {}, false},         {"wayland", {}, true},
        {{}, "wayland-0", true}, {"x11", "wayland-0", true}, {"", "", false}};
    for (const Case& c : cases) {
        environment.set("XDG_SESSION_TYPE", c.sessionType);
        environment.set("WAYLAND_DISPLAY", c.waylandDisplay);
        EXPECT_EQ(trust.x11ApplicationsOnly(), c.x11Only)
            << c.sessionType.value_or("(unset)") << " / " << c.waylandDisplay.value_or("(unset)");
    }

    // This private session bus activates nothing: no launcher until one takes the name.
    SessionAccessibilityBus bus;
    std::vector<AccessibilityBus::State> heard;
    bus.watch([&heard](AccessibilityBus::State state) { heard.push_back(state); });
    ASSERT_TRUE(waitUntil([&] { return !heard.empty(); }));
    EXPECT_EQ(heard.back(), AccessibilityBus::State::missing);

    FakeAccessibilityStatus status;
    QDBusConnection launcher =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("a11y-late"));
    ASSERT_TRUE(launcher.registerObject(QStringLiteral("/org/a11y/bus"), &status,
                                        QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(launcher.registerService(QStringLiteral("org.a11y.Bus")));
    EXPECT_TRUE(waitUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard.back(), AccessibilityBus::State::on);
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-late"));
}

} // namespace
} // namespace tiklo::test

#include "X11AccessibilityTrustTest.moc"
