#include "support/ChildProcess.h"
#include "support/XvfbSession.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <gtest/gtest.h>

namespace {

QDBusMessage accessibilityBusCall(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"),
                                          QStringLiteral("/org/a11y/bus"), interface, method);
}

// at-spi-bus-launcher, started here because the private session bus activates no services,
// with accessibility switched on so that applications started later register. Nothing and
// a message on failure.
std::unique_ptr<tiklo::test::ChildProcess> startAccessibilityBus(std::string& error) {
    using tiklo::test::ChildProcess;
    auto launcher = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"},
        ChildProcess::Options{.output = ChildProcess::Stream::discard});
    QDBusConnection session = QDBusConnection::sessionBus();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!session.interface()->isServiceRegistered(QStringLiteral("org.a11y.Bus"))) {
        if (!launcher->started() || std::chrono::steady_clock::now() >= deadline) {
            error = "org.a11y.Bus did not appear on the session bus";
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    QDBusMessage enable = accessibilityBusCall(QStringLiteral("org.freedesktop.DBus.Properties"),
                                               QStringLiteral("Set"));
    enable << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
           << QVariant::fromValue(QDBusVariant(true));
    const bool enabled =
        session.call(enable, QDBus::Block, 5000).type() != QDBusMessage::ErrorMessage;
    const QDBusMessage address = session.call(
        accessibilityBusCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")),
        QDBus::Block, 5000);
    if (!enabled || address.arguments().isEmpty() ||
        address.arguments().front().toString().isEmpty()) {
        error = "the accessibility bus did not start";
        return nullptr;
    }
    return launcher;
}

} // namespace

// Every test runs against a private Xvfb with openbox, a private session bus and its own
// accessibility bus, so no application of the developer's desktop is ever asked.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // For the test applications: they must register, the Qt one whatever the bus says, and
    // none may look for a settings service the private bus does not have.
    unsetenv("NO_AT_BRIDGE");
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    const tiklo::test::XvfbSession session({.windowManager = true, .sessionBus = true});
    if (!session.ready()) {
        std::fprintf(stderr, "no test display: %s\n", session.error().c_str());
        return 1;
    }
    // Qt's D-Bus needs an application object; a core one registers no accessible tree.
    QCoreApplication application(argc, argv);
    std::string error;
    const auto accessibilityBus = startAccessibilityBus(error);
    if (!accessibilityBus) {
        std::fprintf(stderr, "no accessibility bus: %s\n", error.c_str());
        return 1;
    }
    return RUN_ALL_TESTS();
}
