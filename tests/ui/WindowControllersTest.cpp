#include "support/FakeAppEnvironment.h"
#include "ui/OnboardingWindowController.h"
#include "ui/SettingsWindowController.h"
#include "ui/settings/SettingsBackend.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QGuiApplication>
#include <QPointer>
#include <QQmlComponent>
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

    // A colour of the theme, as the views see it.
    QColor themeColor(const char* name) {
        QQmlComponent component(&engine);
        component.setData(QByteArray("import QtQuick\nimport Tiklo.Theme\nQtObject {\n"
                                     "  property color value: Theme.") +
                              name + "\n}",
                          QUrl());
        std::unique_ptr<QObject> object(component.create());
        return object ? object->property("value").value<QColor>() : QColor();
    }

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
    EXPECT_EQ(window->title(), "Tiklo");
    EXPECT_EQ(window->size(), QSize(760, 560));
    EXPECT_EQ(window->minimumSize(), QSize(680, 480));
    EXPECT_GT(window->maximumSize().width(), 760);
    EXPECT_EQ(window->position(), centredOrigin(window->size()));
    ASSERT_NE(window->rootObject(), nullptr) << "the root view did not load";
    EXPECT_EQ(window->rootObject()->objectName(), "settingsRootView");
    EXPECT_EQ(window->rootObject()->property("appState").value<QObject*>(), &state);
    EXPECT_EQ(window->rootObject()->property("backend").value<QObject*>(), &backend);
    const QColor background = themeColor("bg");
    ASSERT_TRUE(background.isValid());
    EXPECT_EQ(window->rootObject()->property("color").value<QColor>(), background);

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

TEST_F(WindowControllersTest, WelcomeWindowIsFixedInSizeAndCentredEachTime) {
    OnboardingWindowController controller(engine, state);
    EXPECT_EQ(controller.window(), nullptr);
    controller.show();
    QQuickView* window = controller.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->title(), "Welcome to Tiklo");
    EXPECT_EQ(window->size(), QSize(560, 520));
    EXPECT_EQ(window->minimumSize(), QSize(560, 520));
    EXPECT_EQ(window->maximumSize(), QSize(560, 520));
    EXPECT_EQ(window->position(), centredOrigin(window->size()));
    ASSERT_NE(window->rootObject(), nullptr) << "the root view did not load";
    EXPECT_EQ(window->rootObject()->objectName(), "onboardingView");
    const QColor background = themeColor("sidebar");
    ASSERT_TRUE(background.isValid());
    EXPECT_EQ(window->rootObject()->property("color").value<QColor>(), background);

    window->setPosition(5, 6);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    controller.show();
    EXPECT_EQ(controller.window(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->position(), centredOrigin(window->size()));
}

// Closing keeps the page; finishing records it, and the next showing starts afresh.
TEST_F(WindowControllersTest, WelcomeWindowKeepsItsPageUntilOnboardingIsFinished) {
    OnboardingWindowController controller(engine, state);
    controller.show();
    QQuickView* window = controller.window();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->rootObject(), nullptr);
    EXPECT_EQ(window->rootObject()->property("step").toInt(), 0);
    window->rootObject()->setProperty("step", 1);
    EXPECT_FALSE(window->close());
    controller.show();
    ASSERT_EQ(controller.window(), window);
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
