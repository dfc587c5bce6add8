// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeAppEnvironment.h"
#include "ui/OnboardingWindowController.h"
#include "ui/SettingsWindowController.h"
#include "ui/settings/SettingsBackend.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QGuiApplication>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

class WindowControllersTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    void SetUp() override { ThemeIconProvider::install(engine); }

    static QPoint centredOrigin(QSize size) {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        return {area.x() + (area.width() - size.width()) / 2,
                area.y() + (area.height() - size.height()) / 2};
    }

    QQmlEngine engine;
    EmojiCatalog catalog{std::vector<EmojiItem>{}};
    AppExceptions exceptions{state, workspace};
    HotkeyRegistration registration{state, hotkeys};
    SettingsBackend backend{{[this]() -> const EmojiCatalog& { return catalog; }, state, history,
                             exceptions, registration}};
};

TEST_F(WindowControllersTest, SettingsWindowIsMadeOnceCentredOnceAndKeepsItsPlace) {
    SettingsWindowController controller(engine, state, backend);
    EXPECT_EQ(controller.window(), nullptr);
    controller.show();
    QQuickView* window = controller.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->position(), centredOrigin(window->size()));
    ASSERT_NE(window->rootObject(), nullptr) << "the root view did not load";

    // Choosing it again shows the one window.
    controller.show();
    EXPECT_EQ(controller.window(), window);

    // Closing only hides it, and ends a recording of the shortcut; it comes back where the
    // user left it, not centred again.
    window->setPosition(17, 29);
    backend.recorder()->start(window->rootObject());
    ASSERT_TRUE(backend.recorder()->recording());
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(backend.recorder()->recording());
    EXPECT_FALSE(window->isVisible());
    controller.show();
    EXPECT_EQ(controller.window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->position(), QPoint(17, 29));
}

// Closing only hides it and keeps the page, and it is centred again each time; finishing
// records it, and the next showing starts afresh.
TEST_F(WindowControllersTest, WelcomeWindowKeepsItsPageUntilOnboardingIsFinished) {
    OnboardingWindowController controller(engine, state);
    EXPECT_EQ(controller.window(), nullptr);
    controller.show();
    QQuickView* window = controller.window();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->rootObject(), nullptr) << "the root view did not load";
    EXPECT_EQ(window->position(), centredOrigin(window->size()));
    EXPECT_EQ(window->rootObject()->property("step").toInt(), 0);
    window->rootObject()->setProperty("step", 1);
    window->setPosition(5, 6);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    controller.show();
    ASSERT_EQ(controller.window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->position(), centredOrigin(window->size()));
    EXPECT_EQ(window->rootObject()->property("step").toInt(), 1);

    window->rootObject()->setProperty("step", 2);
    const QPointer<QQuickView> finished(window);
    ASSERT_TRUE(QMetaObject::invokeMethod(window->rootObject(), "finish"));
    EXPECT_TRUE(state.didCompleteOnboarding());
    EXPECT_EQ(defaults.boolValue("didCompleteOnboarding"), std::optional<bool>(true));
    EXPECT_EQ(controller.window(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.isNull(); }, 2000))
        << "the finished window is kept";

    controller.show();
    ASSERT_NE(controller.window(), nullptr);
    ASSERT_NE(controller.window()->rootObject(), nullptr);
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_EQ(controller.window()->rootObject()->property("step").toInt(), 0);
}

} // namespace
} // namespace tiklo
