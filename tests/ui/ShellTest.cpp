#include "app/AppState.h"
#include "app/HotkeyRegistration.h"
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

std::optional<PickerKeyEvent> key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers,
                                  const KeyboardLayout* layout = nullptr) {
    const QKeyEvent event(type, qtKey, modifiers, 0, 0, 0);
    return QtKeyTranslator::translate(event, layout);
}

// A keyboard whose digit row is the scan codes 10 to 18, as X numbers them.
class DigitRow : public KeyboardLayout {
public:
    std::optional<int> digitRowNumber(std::uint32_t scanCode) const override {
        return scanCode >= 10 && scanCode <= 18 ? std::optional<int>(scanCode - 9) : std::nullopt;
    }
};

TEST(QtKeyTranslatorTest, RoutedKeysGetTheirKeysymsModifiersAndDigitRowPlaces) {
    // The routed keys by what the routing makes of them: in the full picker's grid, and in the
    // popup with an empty query.
    const auto routed = [&](int qtKey, PickerPresentationMode mode) {
        const PickerKeyContext context{mode, mode == PickerPresentationMode::full, true, 20};
        return PickerKeyRouting::route(*key(QEvent::KeyPress, qtKey, Qt::NoModifier), context);
    };
    using Action = PickerKeyDecision::Action;
    constexpr auto grid = PickerPresentationMode::full;
    constexpr auto popup = PickerPresentationMode::inlinePopup;
    EXPECT_EQ(routed(Qt::Key_Return, grid).action, Action::insertSelected);
    EXPECT_EQ(routed(Qt::Key_Enter, grid).action, Action::insertSelected);
    EXPECT_EQ(routed(Qt::Key_Escape, grid).action, Action::close);
    EXPECT_EQ(routed(Qt::Key_Backspace, popup).action, Action::close);
    EXPECT_EQ(routed(Qt::Key_Down, grid), (PickerKeyDecision{Action::moveSelection, 8, true}));
    EXPECT_EQ(routed(Qt::Key_Up, grid), (PickerKeyDecision{Action::moveSelection, -8, true}));
    EXPECT_EQ(routed(Qt::Key_Left, grid), (PickerKeyDecision{Action::moveSelection, -1, true}));
    EXPECT_EQ(routed(Qt::Key_Right, grid), (PickerKeyDecision{Action::moveSelection, 1, true}));
    // Other keys keep their keysyms (Latin-1 letters by their lower case) and pass.
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier)->key, Key(keysym::letter('a')));
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier)->key, Key(keysym::space));
    EXPECT_FALSE(routed(Qt::Key_Space, popup).swallow);
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_3, Qt::ControlModifier)->key,
              (Key{keysym::digit(3), Modifier::ctrl, 3}));
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_9, Qt::MetaModifier | Qt::ShiftModifier)->key,
              (Key{keysym::digit(9), Modifier::super | Modifier::shift, 9}));
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_0, Qt::AltModifier)->key,
              (Key{keysym::digit(0), Modifier::alt, 0}));
    // Keypad digits are not the digit row; releases of ordinary keys are ignored.
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier)->key.digitRow, 0);
    EXPECT_FALSE(key(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));

    // With the keyboard's layout, the place counts, whatever the key types (AZERTY's third
    // key types '"'); a key off the row that types a digit still counts by its digit.
    const DigitRow layout;
    const auto placed = [&](int qtKey, std::uint32_t scanCode, Qt::KeyboardModifiers held) {
        const QKeyEvent event(QEvent::KeyPress, qtKey, held, scanCode, 0, 0);
        return QtKeyTranslator::translate(event, &layout)->key.digitRow;
    };
    EXPECT_EQ(placed(Qt::Key_QuoteDbl, 12, Qt::ControlModifier), 3);
    EXPECT_EQ(placed(Qt::Key_Ampersand, 10, Qt::ControlModifier), 1);
    EXPECT_EQ(placed(Qt::Key_4, 40, Qt::ControlModifier), 4);
    EXPECT_EQ(placed(Qt::Key_A, 38, Qt::ControlModifier), 0);
    EXPECT_EQ(placed(Qt::Key_3, 12, Qt::KeypadModifier), 0);

    // Pressing and letting go of a modifier changes the held set whatever X reported before.
    const auto down = key(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(down->type, Type::modifiersChanged);
    EXPECT_EQ(down->key.modifiers, Modifiers(Modifier::ctrl));
    const auto up = key(QEvent::KeyRelease, Qt::Key_Super_L, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_EQ(up->type, Type::modifiersChanged);
    EXPECT_EQ(up->key.modifiers, Modifiers(Modifier::shift));
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_AltGr, Qt::ControlModifier)->key.modifiers,
              Modifiers(Modifier::ctrl));
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
    HotkeyRegistration hotkey(state, hotkeys);
    int fullPickers = 0;
    QObject::connect(&hotkey, &HotkeyRegistration::pressed, [&] { ++fullPickers; });
    TikloApplication app(hotkey, tap);
    app.start();
    ASSERT_TRUE(hotkey.hotkeyID());
    EXPECT_EQ(hotkeyService.grabbed, std::set<std::uint32_t>{*hotkey.hotkeyID()});
    EXPECT_TRUE(tap.isInstalled());
    hotkeyService.press(*hotkey.hotkeyID());
    QCoreApplication::processEvents();
    EXPECT_EQ(fullPickers, 1);

    app.terminate();
    EXPECT_FALSE(hotkey.hotkeyID());
    EXPECT_TRUE(hotkeyService.grabbed.empty());
    EXPECT_FALSE(tap.isInstalled());
}

} // namespace
} // namespace tiklo
