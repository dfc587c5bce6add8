// Pictures of the permissions page and of each welcome page, as a person sees them, saved
// under the build folder at the scale the test runs with (QT_SCALE_FACTOR).
#include "support/FakeAppEnvironment.h"
#include "ui/OnboardingWindowController.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QDir>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// The settings window's page area: the window less its sidebar.
constexpr QSize pageSize{760 - 208, 560};
// A drawn page has far more colours than this (text, symbols, cards); an empty one has one.
constexpr int minimumColours = 40;

class ScreenshotsTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    void SetUp() override {
        ThemeIconProvider::install(engine);
        trust.trusted = true;
        state.setAccessibilityGranted(true);
    }

    // Saves the window's picture as `name` with "@2x" and so on for larger scales; checks
    // that it is the window at the scale and that it is drawn.
    void save(QQuickWindow& window, const QString& name) {
        QTest::qWait(250); // symbol images, fades
        const QImage image = window.grabWindow();
        const qreal scale = window.devicePixelRatio();
        EXPECT_EQ(image.size(), window.size() * scale) << name.toStdString();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_GE(colours.size(), minimumColours) << name.toStdString() << " looks empty";
        const QString suffix = scale > 1 ? QStringLiteral("@%1x").arg(qRound(scale)) : QString();
        const QString path = QDir(TIKLO_UI_SCREENSHOT_DIR).filePath(name + suffix + ".png");
        EXPECT_TRUE(image.save(path)) << path.toStdString();
    }

    QQmlEngine engine;
};

TEST_F(ScreenshotsTest, PermissionsPage) {
    QQuickView view(&engine, nullptr);
    view.setInitialProperties({{"appState", QVariant::fromValue<QObject*>(&state)}});
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.resize(pageSize);
    view.setSource(QUrl("qrc:/qt/qml/Tiklo/Settings/PermissionsSettingsView.qml"));
    ASSERT_NE(view.rootObject(), nullptr) << "the page did not load";
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    state.setCaretTracking(view::CaretTracking::Off);
    save(view, "permissions_caret_off");
    state.setCaretTracking(view::CaretTracking::On);
    save(view, "permissions_caret_switched_on");
    state.setX11ApplicationsOnly(true);
    state.setCaretTracking(view::CaretTracking::Unavailable);
    save(view, "permissions_wayland_no_bus");
}

TEST_F(ScreenshotsTest, WelcomePages) {
    OnboardingWindowController controller(engine, state);
    controller.show();
    QQuickView* window = controller.window();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->rootObject(), nullptr) << "the view did not load";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    state.setCaretTracking(view::CaretTracking::Off);

    const char* pages[] = {"welcome_1_welcome", "welcome_2_permission", "welcome_3_done"};
    for (int step = 0; step < 3; ++step) {
        window->rootObject()->setProperty("step", step);
        save(*window, QString::fromLatin1(pages[step]));
    }
    // The permission page once the keys and the caret are both there.
    window->rootObject()->setProperty("step", 1);
    state.setCaretTracking(view::CaretTracking::On);
    save(*window, "welcome_2_permission_granted");
}

} // namespace
} // namespace tiklo
