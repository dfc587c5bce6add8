#include "platform/linux/X11AccessibilityTrust.h"
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

TEST(X11AccessibilityTrustTest, RequestSwitchesTheBusOnAndOpensTheDesktopsSettings) {
    FakeAccessibilityStatus status;
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("a11y-fake"));
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/a11y/bus"), &status,
                                   QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.a11y.Bus")));

    // Stand-ins for the settings programs record how they were started. GNOME's is
    // preferred; KDE's is the fallback.
    const QByteArray savedPath = qgetenv("PATH");
    const test::TempDir bin;
    const std::string record = bin.file("started");
    const auto install = [&](const std::string& program) {
        const std::string path =
            bin.write(program, "#!/bin/sh\necho " + program + " \"$@\" > " + record + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    };
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()));

    install("systemsettings");
    X11AccessibilityTrust trust(test::qtConnection());
    trust.requestTrust();
    EXPECT_TRUE(test::waitUntil([&] { return status.isEnabled(); }));
    EXPECT_TRUE(test::waitUntil([&] { return contents(record) == "systemsettings kcm_access\n"; }))
        << contents(record);

    install("gnome-control-center");
    trust.requestTrust();
    EXPECT_TRUE(test::waitUntil([&] {
        return contents(record) == "gnome-control-center universal-access\n";
    })) << contents(record);

    qputenv("PATH", savedPath);
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-fake"));
}

} // namespace
} // namespace tiklo

#include "X11AccessibilityTrustTest.moc"
