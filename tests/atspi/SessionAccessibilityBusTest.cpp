// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the accessibility bus is on, as the real bus launcher (at-spi2-core) reports it on
// the test's private session bus, and the permission request switching it on.
#include "platform/linux/SessionAccessibilityBus.h"
#include "platform/linux/InputMethodLinks.h"
#include "platform/linux/X11AccessibilityTrust.h"
#include "support/TempDir.h"
#include "support/X11TestEnvironment.h"

#include <vector>

#include <QDBusVariant>
#include <gtest/gtest.h>

namespace tiklo {
namespace {

using State = AccessibilityBus::State;

// As the desktop's own settings would switch it, from a connection of their own.
bool switchBus(bool on) {
    QDBusConnection settings = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                             QStringLiteral("desktop-settings"));
    QDBusMessage set = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
        << QVariant::fromValue(QDBusVariant(on));
    return settings.call(set, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
}

TEST(SessionAccessibilityBusTest, FollowsTheLauncherTheRequestSwitchesItOnAndMissingWithoutABus) {
    ASSERT_TRUE(switchBus(false));
    SessionAccessibilityBus bus;
    std::vector<State> heard;
    bus.watch([&heard](State state) { heard.push_back(state); });
    ASSERT_TRUE(test::waitUntil([&] { return !heard.empty(); }));
    EXPECT_EQ(heard, std::vector<State>{State::off});

    // Changes made by others are heard as they happen, without asking.
    ASSERT_TRUE(switchBus(true));
    EXPECT_TRUE(test::waitUntil([&] { return heard.size() == 2; }));
    ASSERT_TRUE(switchBus(false));
    EXPECT_TRUE(test::waitUntil([&] { return heard.size() == 3; }));
    EXPECT_EQ(heard, (std::vector<State>{State::off, State::on, State::off}));

    // "Grant": the permission request switches the bus on. No settings program is found on
    // this PATH, so none starts.
    const QByteArray savedPath = qgetenv("PATH");
    const test::TempDir emptyBin;
    qputenv("PATH", QByteArray::fromStdString(emptyBin.path().string()));
    X11AccessibilityTrust(nullptr).requestTrust();
    qputenv("PATH", savedPath);
    EXPECT_TRUE(test::waitUntil([&] { return heard.size() == 4; }));
    EXPECT_EQ(heard.back(), State::on);

    // Without a session bus the accessibility bus is missing, and no input method holds the
    // field.
    const QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/tiklo-test-bus"), QStringLiteral("nowhere"));
    SessionAccessibilityBus missing(nowhere);
    std::vector<State> heardThere;
    missing.watch([&heardThere](State state) { heardThere.push_back(state); });
    EXPECT_EQ(heardThere, std::vector<State>{State::missing});
    InputMethodLinks links(nowhere);
    int methods = 0;
    links.watch([&methods](InputMethodRoute::Method, InputMethodRoute::State) { ++methods; });
    EXPECT_EQ(methods, 2);
    EXPECT_FALSE(links.holdsFocusedField());
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace
} // namespace tiklo
