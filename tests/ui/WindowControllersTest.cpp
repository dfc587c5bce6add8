// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeAppEnvironment.h"
#include "ui/OnboardingWindowController.h"
#include "ui/SettingsWindowController.h"
#include "ui/Translations.h"
#include "ui/UpdateDialogs.h"
#include "ui/settings/SettingsBackend.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QDir>
#include <QQuickView>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

std::vector<EmojiItem> items() {
    using C = EmojiCategory;
    return {
        {"\U0001F600", "grinning face", "grinning", C::smileys, {}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", C::people, {}, true},
        {"\U0001F355", "pizza", "pizza", C::food, {}, false},
        {"\U0001F354", "hamburger", "hamburger", C::food, {}, false},
        {"\U0001F34E", "red apple", "apple", C::food, {}, false},
        {"\U0001F680", "rocket", "rocket", C::travel, {}, false},
    };
}

// What a window shows as text: every visible item's text, title, subtitle, label and
// placeholder, depth first along the drawing tree (where repeaters put their items).
void collectTexts(QQuickItem* item, QStringList& into) {
    if (!item->isVisible()) {
        return;
    }
    for (const char* name : {"text", "title", "subtitle", "label", "placeholderText"}) {
        const QVariant value = item->property(name);
        if (value.typeId() == QMetaType::QString && !value.toString().isEmpty()) {
            into.append(value.toString());
        }
    }
    for (QQuickItem* child : item->childItems()) {
        collectTexts(child, into);
    }
}

void expectShown(QQuickWindow& window, const QString& text) {
    QTest::qWait(50); // bindings of items made on showing
    QStringList shown;
    collectTexts(window.contentItem(), shown);
    EXPECT_TRUE(shown.contains(text))
        << text.toStdString() << " is not among " << shown.join(" | ").toStdString();
}

class WindowControllersTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    void SetUp() override { ThemeIconProvider::install(engine); }

    QQmlEngine engine;
    EmojiCatalog catalog{items(), [] { return 800000000.0; }};
    AppExceptions exceptions{state, workspace};
    HotkeyRegistration registration{state, hotkeys};
    SettingsBackend backend{{[this]() -> const EmojiCatalog& { return catalog; }, state, history,
                             exceptions, registration}};
};

TEST_F(WindowControllersTest, SettingsWindowIsMadeOnceTheWelcomeWindowKeepsItsPageUntilFinished) {
    SettingsWindowController controller(engine, state, backend);
    controller.show();
    QQuickView* window = controller.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_NE(window->rootObject(), nullptr) << "the root view did not load";

    // Closing only hides it, and ends a recording of the shortcut, which holds the keyboard.
    backend.recorder()->start(window->rootObject());
    ASSERT_TRUE(backend.recorder()->recording());
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(backend.recorder()->recording());
    EXPECT_FALSE(window->isVisible());
    // Choosing it again shows the one window.
    controller.show();
    EXPECT_EQ(controller.window(), window);
    EXPECT_TRUE(window->isVisible());

    // Closing only hides it and keeps the page; finishing lets the window go (what it records is
    // the view test's and the tray's desktop test's), and the next showing starts afresh.
    OnboardingWindowController welcome(engine, state);
    welcome.show();
    QQuickView* guide = welcome.window();
    ASSERT_NE(guide, nullptr);
    ASSERT_NE(guide->rootObject(), nullptr) << "the root view did not load";
    EXPECT_EQ(guide->rootObject()->property("step").toInt(), 0);
    guide->rootObject()->setProperty("step", 1);
    EXPECT_FALSE(guide->close());
    EXPECT_FALSE(guide->isVisible());
    welcome.show();
    ASSERT_EQ(welcome.window(), guide);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->rootObject()->property("step").toInt(), 1);

    guide->rootObject()->setProperty("step", 2);
    const QPointer<QQuickView> finished(guide);
    ASSERT_TRUE(QMetaObject::invokeMethod(guide->rootObject(), "finish"));
    EXPECT_EQ(welcome.window(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished.isNull(); }, 2000))
        << "the finished guide is kept";
    // Opened again from the tray, the guide starts afresh.
    welcome.show();
    ASSERT_NE(welcome.window(), nullptr);
    ASSERT_NE(welcome.window()->rootObject(), nullptr);
    EXPECT_EQ(welcome.window()->rootObject()->property("step").toInt(), 0);
}

// A window unused for a while lets its view go; shown again, it is made where it was, on the
// page it was on, and a guide made again still ends when finished.
TEST_F(WindowControllersTest, WindowsUnusedForAWhileAreMadeAgainWhereTheyWere) {
    constexpr std::chrono::milliseconds unused{100};
    const auto released = [](auto& controller) {
        return QTest::qWaitFor([&] { return controller.window() == nullptr; }, 2000);
    };
    SettingsWindowController settings(engine, state, backend, unused);
    settings.show();
    ASSERT_NE(settings.window(), nullptr);
    settings.window()->rootObject()->setProperty("tab", "exceptions");
    settings.window()->setPosition(40, 30);
    const QPointer<QQuickView> first(settings.window());
    settings.window()->close();
    ASSERT_TRUE(released(settings));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    settings.show();
    ASSERT_NE(settings.window(), nullptr);
    EXPECT_EQ(settings.window()->rootObject()->property("tab").toString(), "exceptions");
    EXPECT_EQ(settings.window()->position(), QPoint(40, 30));
    // Shown, it is never let go.
    QTest::qWait(3 * unused.count());
    EXPECT_NE(settings.window(), nullptr);

    OnboardingWindowController welcome(engine, state, unused);
    welcome.show();
    welcome.window()->rootObject()->setProperty("step", 1);
    welcome.window()->close();
    ASSERT_TRUE(released(welcome));
    welcome.show();
    ASSERT_NE(welcome.window(), nullptr);
    EXPECT_EQ(welcome.window()->rootObject()->property("step").toInt(), 1);
    ASSERT_TRUE(QMetaObject::invokeMethod(welcome.window()->rootObject(), "finish"));
    EXPECT_EQ(welcome.window(), nullptr) << "the guide made again did not end";
}

// Every window takes the German table: one text each is enough to see the table reached it
// (the tables' completeness is TranslationTablesTest's; the picker's views share the settings
// window's engine). The counts take their plural forms.
// Also run at scale 2, where the settings window's picture is the README's.
TEST_F(WindowControllersTest, EveryWindowSpeaksGermanInAGermanSession) {
    const Translations german(Translations::localeFor("de_DE.UTF-8"));
    ASSERT_TRUE(german.translated());
    state.setAccessibilityGranted(false);
    state.setRecents({"pizza", "rocket"});
    state.setFavorites({"thumbsup"});

    // The widgets' texts (here a dialog's) and Qt's own.
    UpdateDialogs dialogs;
    dialogs.askForAutomaticChecks([](bool) {});
    ASSERT_NE(dialogs.current(), nullptr);
    EXPECT_EQ(dialogs.current()->text(), "Automatisch nach Updates suchen?");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");

    SettingsWindowController settings(engine, state, backend);
    settings.show();
    ASSERT_NE(settings.window(), nullptr);
    QQuickView& window = *settings.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    expectShown(window, "3 Emojis");
    expectShown(window, "1 Emoji");
    // The picture of the library page, for the README.
    window.rootObject()->setProperty("tab", "library");
    QTest::qWait(300); // icons and the mark's canvas
    const QString suffix = window.devicePixelRatio() > 1.5 ? "@2x" : "";
    const QString path = QDir(TIKLO_UI_SCREENSHOT_DIR).filePath("settings_de" + suffix + ".png");
    EXPECT_TRUE(window.grabWindow().save(path)) << path.toStdString();

    OnboardingWindowController welcome(engine, state);
    welcome.show();
    ASSERT_NE(welcome.window(), nullptr);
    EXPECT_EQ(welcome.window()->title(), "Willkommen bei Tiklo");
}

} // namespace
} // namespace tiklo
