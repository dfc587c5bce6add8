// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11AccessibilityTrust.h"
#include "platform/linux/SessionAccessibilityBus.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/X11TestClient.h"
#include "support/X11TestEnvironment.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QDBusConnection>
#include <gtest/gtest.h>

namespace tiklo {
namespace {

// Stands in for the accessibility bus launcher on the test's private session bus.
class FakeAccessibilityStatus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool IsEnabled READ isEnabled WRITE setEnabled)
public:
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    bool enabled_ = false;
};

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(X11AccessibilityTrustTest, XvfbOffersXInputAndXTest) {
    // Qt's connection has announced its own XInput version already; a fresh one has not.
    EXPECT_TRUE(X11AccessibilityTrust(test::qtConnection()).isTrusted());
    const test::X11TestClient client;
    ASSERT_TRUE(client.connected());
    EXPECT_TRUE(X11AccessibilityTrust(client.connection()).isTrusted());
}

// That the request switches the bus on is tested against the real bus launcher.
TEST(X11AccessibilityTrustTest, RequestOpensTheDesktopsSettings) {
    // Stand-ins for the settings programs record how they were started. GNOME's is
    // preferred; KDE's is the fallback.
    test::ScopedEnvironment environment;
    const test::TempDir bin;
    const std::string record = bin.file("started");
    const auto install = [&](const std::string& program) {
        const std::string path =
            bin.write(program, "#!/bin/sh\necho " + program + " \"$@\" > " + record + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    };
    environment.set("PATH", bin.path().string());

    install("systemsettings");
    X11AccessibilityTrust trust(test::qtConnection());
    trust.requestTrust();
    EXPECT_TRUE(test::waitUntil([&] { return contents(record) == "systemsettings kcm_access\n"; }))
        << contents(record);

    install("gnome-control-center");
    trust.requestTrust();
    EXPECT_TRUE(test::waitUntil([&] {
        return contents(record) == "gnome-control-center universal-access\n";
    })) << contents(record);
}

// The session says whether it is Wayland's: its type from the login manager, or a Wayland
// display announced by the compositor.
TEST(X11AccessibilityTrustTest, WaylandSessionsReachX11ApplicationsOnly) {
    struct Case {
        std::optional<std::string> sessionType; // nothing: unset
        std::optional<std::string> waylandDisplay;
        bool x11Only;
    };
    const Case cases[] = {{{}, {}, false},         {"x11", {}, false},
                          {"tty", {}, false},      {"wayland", {}, true},
                          {{}, "wayland-0", true}, {"x11", "wayland-0", true},
                          {"", "", false}};
    test::ScopedEnvironment environment;
    const X11AccessibilityTrust trust(test::qtConnection());
    for (const Case& c : cases) {
        environment.set("XDG_SESSION_TYPE", c.sessionType);
        environment.set("WAYLAND_DISPLAY", c.waylandDisplay);
        EXPECT_EQ(trust.x11ApplicationsOnly(), c.x11Only)
            << c.sessionType.value_or("(unset)") << " / " << c.waylandDisplay.value_or("(unset)");
    }
}

// This private session bus activates nothing: no launcher until one takes the name.
TEST(X11AccessibilityTrustTest, AccessibilityBusIsMissingUntilALauncherAppears) {
    SessionAccessibilityBus bus;
    std::vector<AccessibilityBus::State> heard;
    bus.watch([&heard](AccessibilityBus::State state) { heard.push_back(state); });
    ASSERT_TRUE(test::waitUntil([&] { return !heard.empty(); }));
    EXPECT_EQ(heard.back(), AccessibilityBus::State::missing);

    FakeAccessibilityStatus status;
    status.setEnabled(true);
    QDBusConnection launcher =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("a11y-late"));
    ASSERT_TRUE(launcher.registerObject(QStringLiteral("/org/a11y/bus"), &status,
                                        QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(launcher.registerService(QStringLiteral("org.a11y.Bus")));
    EXPECT_TRUE(test::waitUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard.back(), AccessibilityBus::State::on);

    // The launcher goes away: missing again.
    launcher.unregisterService(QStringLiteral("org.a11y.Bus"));
    EXPECT_TRUE(test::waitUntil([&] { return heard.size() == 3; }));
    EXPECT_EQ(heard.back(), AccessibilityBus::State::missing);
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-late"));
}

} // namespace
} // namespace tiklo

#include "X11AccessibilityTrustTest.moc"
