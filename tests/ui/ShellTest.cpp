// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppState.h"
#include "app/HotkeyRegistration.h"
#include "input/EventTap.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/BackgroundPreparation.h"
#include "ui/QtKeyTranslator.h"
#include "ui/TikloApplication.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

namespace tiklo {
namespace {

using Type = PickerKeyEvent::Type;

PickerKeyEvent key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers) {
    const QKeyEvent event(type, qtKey, modifiers, 0, 0, 0);
    return QtKeyTranslator::translate(event);
}

// A keyboard whose digit row is the scan codes 10 to 18, as X numbers them.
class DigitRow : public KeyboardLayout {
public:
    std::optional<int> digitRowNumber(std::uint32_t scanCode) const override {
        return scanCode >= 10 && scanCode <= 18 ? std::optional<int>(scanCode - 9) : std::nullopt;
    }
};

// Keys by their keysym (routing itself is the picker's own test): letters by their lower
// case, F1 to F20 and nothing past them, digits with their place on the digit row unless on
// the keypad.
TEST(QtKeyTranslatorTest, KeysGetTheirKeysymsModifiersAndDigitRowPlaces) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        Key expected;
    };
    const std::vector<Case> cases{
        {Qt::Key_Return, Qt::NoModifier, Key(keysym::returnKey)},
        {Qt::Key_Enter, Qt::NoModifier, Key(keysym::keypadEnter)},
        {Qt::Key_Left, Qt::NoModifier, Key(keysym::left)},
        {Qt::Key_F1, Qt::ControlModifier, Key(keysym::f1, Modifier::ctrl)},
        {Qt::Key_F20, Qt::NoModifier, Key(keysym::f1 + keysym::functionKeyCount - 1)},
        {Qt::Key_F21, Qt::NoModifier, Key(keysym::none)},
        {Qt::Key_Insert, Qt::NoModifier, Key(keysym::none)},
        {Qt::Key_A, Qt::NoModifier, Key(keysym::letter('a'))},
        {Qt::Key_Z, Qt::ShiftModifier, Key(keysym::letter('z'), Modifier::shift)},
        {Qt::Key_3, Qt::ControlModifier, Key(keysym::digit(3), Modifier::ctrl, 3)},
        {Qt::Key_9, Qt::MetaModifier | Qt::ShiftModifier,
         Key(keysym::digit(9), Modifier::super | Modifier::shift, 9)},
        {Qt::Key_3, Qt::KeypadModifier, Key(keysym::digit(3))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(key(QEvent::KeyPress, c.qtKey, c.modifiers).key, c.expected)
            << "Qt key " << c.qtKey << ", modifiers " << c.modifiers.toInt();
    }
    // Linefeed (as xdotool types a line break) has no Qt name; X's is kept.
    const QKeyEvent linefeed(QEvent::KeyPress, 0, Qt::NoModifier, 109, keysym::linefeed, 0, "\n");
    EXPECT_EQ(QtKeyTranslator::translate(linefeed).key, Key(keysym::linefeed));
    // Keys let go tell which key it was as X numbers it, so that it can be typed again.
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_ParenRight, Qt::ShiftModifier, 19, 0, 1,
                            ")");
    const PickerKeyEvent letGo = QtKeyTranslator::translate(release);
    EXPECT_EQ(letGo.type, Type::keyUp);
    EXPECT_EQ(letGo.stroke, (KeyStroke{19, 1, false}));

    // Pressing and letting go of a modifier changes the held set whatever X reported before.
    const auto down = key(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(down.type, Type::modifiersChanged);
    EXPECT_EQ(down.key.modifiers, Modifiers(Modifier::ctrl));
    const auto up = key(QEvent::KeyRelease, Qt::Key_Super_L, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_EQ(up.type, Type::modifiersChanged);
    EXPECT_EQ(up.key.modifiers, Modifiers(Modifier::shift));
    EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_AltGr, Qt::ControlModifier).key.modifiers,
              Modifiers(Modifier::ctrl));

    // The digit row by position: a French AZERTY row types "&é\"'(-è_ç" unshifted, and Ctrl
    // with those keys still means Ctrl+1 to Ctrl+9.
    const DigitRow layout;
    constexpr std::array<int, 9> azerty{Qt::Key_Ampersand,  Qt::Key_Eacute,     Qt::Key_QuoteDbl,
                                        Qt::Key_Apostrophe, Qt::Key_ParenLeft,  Qt::Key_Minus,
                                        Qt::Key_Egrave,     Qt::Key_Underscore, Qt::Key_Ccedilla};
    for (std::size_t i = 0; i < azerty.size(); ++i) {
        const QKeyEvent press(QEvent::KeyPress, azerty[i], Qt::ControlModifier,
                              static_cast<quint32>(10 + i), 0, 0);
        EXPECT_EQ(QtKeyTranslator::translate(press, &layout).key.digitRow, static_cast<int>(i) + 1)
            << "digit " << i + 1;
        // Without the layout only the key's own symbol counts: these are no digits.
        EXPECT_EQ(QtKeyTranslator::translate(press).key.digitRow, 0);
    }
    // Keypad keys sit elsewhere, whatever their scan code says.
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier,
                           10, 0, 0);
    EXPECT_EQ(QtKeyTranslator::translate(keypad, &layout).key.digitRow, 0);
}

class ShellTest : public ::testing::Test, protected test::FakeAppEnvironment {};

TEST_F(ShellTest, StartRunsItsStepsInOrderAndTerminateUndoesHotkeyAndTap) {
    test::FakeKeyboardMonitor monitor;
    test::ManualTimerFactory timers;
    trust.trusted = true;
    EventTap tap(monitor, trust, timers, state, [](const KeyDown&) {});
    HotkeyRegistration hotkey(state, hotkeys);
    int fullPickers = 0;
    QObject::connect(&hotkey, &HotkeyRegistration::pressed, [&] { ++fullPickers; });
    std::vector<std::string> steps;
    bool onboardingComplete = false;
    TikloApplication app(hotkey, tap,
                         {[&] {
                              // The hotkey and the key observation come first.
                              EXPECT_TRUE(hotkey.hotkeyID());
                              EXPECT_TRUE(tap.isInstalled());
                              steps.push_back("updater");
                          },
                          [&] {
                              steps.push_back("onboarding?");
                              return onboardingComplete;
                          },
                          [&] { steps.push_back("welcome"); }});
    app.start();
    EXPECT_EQ(steps, (std::vector<std::string>{"updater", "onboarding?", "welcome"}));
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

    // Once onboarding is complete, later launches open no welcome window.
    steps.clear();
    onboardingComplete = true;
    app.start();
    EXPECT_EQ(steps, (std::vector<std::string>{"updater", "onboarding?"}));
    app.terminate();
}

TEST(BackgroundPreparationTest, TheMainThreadPartWaitsForAPauseInTheTyping) {
    std::mutex mutex;
    std::vector<std::string> order;
    std::thread::id offThread;
    int done = 0;
    const auto record = [&](const std::string& step) {
        std::lock_guard lock(mutex);
        order.push_back(step);
    };
    BackgroundPreparation preparation(
        [&] {
            offThread = std::this_thread::get_id();
            record("off");
        },
        [&] { record("main"); }, [&] { ++done; }, nullptr, std::chrono::milliseconds(0));
    preparation.start();
    const auto serve = [](std::chrono::milliseconds time) {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < time.count()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    };
    // Typing goes on for several quiet times: each key puts the main thread's part off.
    for (int key = 0; key < 12; ++key) {
        preparation.keyPressed();
        serve(BackgroundPreparation::quietTime / 4);
    }
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(order, std::vector<std::string>{"off"});
    }
    EXPECT_EQ(done, 0);
    serve(BackgroundPreparation::quietTime * 3);
    EXPECT_EQ(order, (std::vector<std::string>{"off", "main"}));
    EXPECT_NE(offThread, std::this_thread::get_id());
    EXPECT_EQ(done, 1);
    // Once only.
    preparation.keyPressed();
    serve(BackgroundPreparation::quietTime * 2);
    EXPECT_EQ(done, 1);
}

TEST(BackgroundPreparationTest, TheMainThreadPartWaitsForTheStartDelayToo) {
    int mainRuns = 0;
    constexpr auto delay = BackgroundPreparation::quietTime * 3;
    BackgroundPreparation preparation([] {}, [&] { ++mainRuns; }, [] {}, nullptr, delay);
    QElapsedTimer elapsed;
    elapsed.start();
    preparation.start();
    while (mainRuns == 0 && elapsed.elapsed() < (delay * 3).count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_EQ(mainRuns, 1);
    EXPECT_GE(elapsed.elapsed(), delay.count());
}

} // namespace
} // namespace tiklo
