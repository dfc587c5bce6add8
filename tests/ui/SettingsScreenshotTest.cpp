#include "app/AppExceptions.h"
#include "app/HotkeyRegistration.h"
#include "support/FakeAppEnvironment.h"
#include "ui/settings/SettingsBackend.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QDir>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

std::vector<EmojiItem> screenshotItems() {
    using C = EmojiCategory;
    return {
        {"\U0001F600", "grinning face", "grinning", C::smileys, {}, false},
        {"\U0001F602", "face with tears of joy", "joy", C::smileys, {}, false},
        {"\U0001F60D", "smiling face with heart-eyes", "heart_eyes", C::smileys, {}, false},
        {"\U0001F914", "thinking face", "thinking", C::smileys, {}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", C::people, {}, true},
        {"\U0001F64F", "folded hands", "pray", C::people, {}, true},
        {"\U0001F44B", "waving hand", "wave", C::people, {}, true},
        {"\U0001F436", "dog face", "dog", C::animals, {}, false},
        {"\U0001F335", "cactus", "cactus", C::animals, {}, false},
        {"\U0001F355", "pizza", "pizza", C::food, {}, false},
        {"\u2615", "hot beverage", "coffee", C::food, {}, false},
        {"\u26BD", "soccer ball", "soccer", C::activity, {}, false},
        {"\U0001F680", "rocket", "rocket", C::travel, {}, false},
        {"\U0001F4A1", "light bulb", "bulb", C::objects, {}, false},
        {"\U0001F525", "fire", "fire", C::symbols, {}, false},
        {"\u2764\uFE0F", "red heart", "heart", C::symbols, {}, false},
        {"\u2728", "sparkles", "sparkles", C::symbols, {}, false},
        {"\U0001F1EB\U0001F1F7", "flag: France", "fr", C::flags, {}, false},
    };
}

// The settings window's content as people see it, saved for a look: every page at the
// scale the run has (QT_SCALE_FACTOR), with a user's favorites, recents and exceptions.
class SettingsScreenshotTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    SettingsScreenshotTest() {
        state.setAccessibilityGranted(true);
        state.setFavorites({"fire", "heart", "rocket", "sparkles", "thumbsup", "joy"});
        state.setRecents({"joy", "fire", "pizza", "wave", "coffee", "rocket", "grinning"});
        state.setEmojiUsage({{"\U0001F602", {4, 800000000.0}}, {"\U0001F525", {2, 800000000.0}}});
        state.setExcludedAppIDs({"org.gnome.Terminal", "org.vim.Vim"});
        registration.registerHotkey();
        ThemeIconProvider::install(*view.engine());
        view.setInitialProperties({{"appState", QVariant::fromValue<QObject*>(&state)},
                                   {"backend", QVariant::fromValue<QObject*>(&backend)}});
        view.setResizeMode(QQuickView::SizeRootObjectToView);
        view.resize(760, 560);
        view.setSource(QUrl("qrc:/qt/qml/Tiklo/Settings/SettingsRootView.qml"));
    }

    bool show() {
        for (const auto& error : view.errors()) {
            ADD_FAILURE() << error.toString().toStdString();
        }
        view.show();
        return view.rootObject() != nullptr && QTest::qWaitForWindowExposed(&view);
    }

    // The page's picture, saved as settings_<name>.png (settings_<name>@2x.png at scale 2).
    QImage grab(const QString& tab, const QString& name = {}) {
        view.rootObject()->setProperty("tab", tab);
        QTest::qWait(300); // icons and the mark's canvas
        const QImage image = view.grabWindow();
        const QString suffix = view.devicePixelRatio() > 1.5 ? "@2x" : "";
        const QString path =
            QDir(TIKLO_UI_SCREENSHOT_DIR)
                .filePath("settings_" + (name.isEmpty() ? tab : name) + suffix + ".png");
        EXPECT_TRUE(image.save(path)) << path.toStdString();
        return image;
    }

    EmojiCatalog catalog{screenshotItems(), [] { return 800000000.0; }};
    AppExceptions exceptions{state, workspace};
    HotkeyRegistration registration{state, hotkeys};
    SettingsBackend backend{{[this]() -> const EmojiCatalog& { return catalog; }, state, history,
                             exceptions, registration}};
    QQuickView view;
};

TEST_F(SettingsScreenshotTest, EveryPageInTheDarkWindow) {
    ASSERT_TRUE(show());
    for (const QString tab : {"library", "behavior", "exceptions", "permissions"}) {
        SCOPED_TRACE(tab.toStdString());
        EXPECT_EQ(grab(tab).size(), QSize(760, 560) * view.devicePixelRatio());
    }
    // The recorder waiting for keys.
    view.rootObject()->setProperty("tab", "behavior");
    QTest::qWait(50);
    auto* recorder = view.rootObject()->findChild<QQuickItem*>("hotkeyRecorder");
    ASSERT_NE(recorder, nullptr);
    backend.recorder()->start(recorder);
    grab("behavior", "behavior_recording");

    // A function key is recorded and shown as the desktop writes it.
    auto* text = recorder->findChild<QQuickItem*>("hotkeyRecorderText");
    QTest::keyClick(&view, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(text->property("text").toString(), "Ctrl+F5");
    grab("behavior", "behavior_ctrl_f5");

    // One another program holds: the old shortcut stays, and the row says why.
    hotkeyService.heldElsewhere.push_back(Key{keysym::letter('t'), Modifier::ctrl | Modifier::alt});
    backend.recorder()->start(recorder);
    QTest::keyClick(&view, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(text->property("text").toString(), "Ctrl+F5");
    auto* row = view.rootObject()->findChild<QQuickItem*>("pickerShortcutRow");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->findChild<QQuickItem*>("settingRowSubtitle")->property("text").toString(),
              "Ctrl+Alt+T is taken by another program");
    grab("behavior", "behavior_refused");
}

} // namespace
} // namespace tiklo
