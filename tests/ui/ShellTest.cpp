#include "app/AppState.h"
#include "input/EventTap.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/QtKeyTranslator.h"
#include "ui/TikloApplication.h"
#include "ui/TrayMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Type = PickerKeyEvent::Type;

std::optional<PickerKeyEvent> key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers) {
    const QKeyEvent event(type, qtKey, modifiers);
    return QtKeyTranslator::translate(event);
}

TEST(QtKeyTranslatorTest, RoutedKeysGetTheirCodesAndCtrlOrSuperIsCommand) {
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier)->keyCode, 36);
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier)->keyCode, 76);
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier)->keyCode, 51);
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier)->keyCode, 125);
    const auto ctrl3 = key(QEvent::KeyPress, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(ctrl3->keyCode, 20);
    EXPECT_EQ(ctrl3->flags, modifierFlags::command);
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_9, Qt::MetaModifier)->flags, modifierFlags::command);
    // Keypad digits are not the digit row; ordinary keys are "other" and releases ignored.
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier)->keyCode,
              QtKeyTranslator::otherKey);
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier)->keyCode, QtKeyTranslator::otherKey);
    EXPECT_FALSE(key(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));

    // Pressing and releasing Ctrl changes the held state whatever X reported before it.
    const auto down = key(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(down->type, Type::flagsChanged);
    EXPECT_EQ(down->flags, modifierFlags::command);
    const auto up = key(QEvent::KeyRelease, Qt::Key_Super_L, Qt::MetaModifier);
    EXPECT_EQ(up->type, Type::flagsChanged);
    EXPECT_EQ(up->flags & modifierFlags::command, 0u);
}

class ShellTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
};

TEST_F(ShellTest, TrayMenuFollowsTheStore) {
    int quits = 0;
    TrayMenu tray(state, [&] { ++quits; });
    QMenu& menu = tray.menu();
    auto* enabled = menu.findChild<QAction*>("enabledAction");
    auto* grant = menu.findChild<QAction*>("grantAccessibilityAction");
    auto* quit = menu.findChild<QAction*>("quitAction");
    ASSERT_TRUE(enabled && grant && quit);
    EXPECT_EQ(enabled->text(), "Enabled");
    EXPECT_TRUE(enabled->isChecked());
    EXPECT_TRUE(grant->isVisible());
    EXPECT_EQ(quit->text(), "Quit Tiklo");

    enabled->trigger();
    EXPECT_FALSE(state.masterEnabled());
    EXPECT_EQ(defaults.boolValue("masterEnabled"), false);
    state.setMasterEnabled(true);
    EXPECT_TRUE(enabled->isChecked());

    grant->trigger();
    EXPECT_EQ(trust.requests, 1);
    state.setAccessibilityGranted(true);
    EXPECT_FALSE(grant->isVisible());
    quit->trigger();
    EXPECT_EQ(quits, 1);
}

TEST_F(ShellTest, StartRegistersTheHotkeyAndStartsTheTapAndTerminateUndoesBoth) {
    test::FakeKeyboardMonitor monitor;
    test::ManualTimerFactory timers;
    trust.trusted = true;
    EventTap tap(monitor, trust, timers, state, [](const KeyDown&) {});
    int fullPickers = 0;
    TikloApplication app(state, tap, [&] { ++fullPickers; });
    app.start();
    ASSERT_TRUE(state.hotkeyID());
    EXPECT_EQ(hotkeyService.grabbed, std::set<std::uint32_t>{*state.hotkeyID()});
    EXPECT_TRUE(tap.isInstalled());
    hotkeyService.press(*state.hotkeyID());
    QCoreApplication::processEvents();
    EXPECT_EQ(fullPickers, 1);

    app.terminate();
    EXPECT_FALSE(state.hotkeyID());
    EXPECT_TRUE(hotkeyService.grabbed.empty());
    EXPECT_FALSE(tap.isInstalled());
}

} // namespace
} // namespace tiklo
