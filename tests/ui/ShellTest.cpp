#include "AppState.h"
#include "BackgroundPreparation.h"
#include "EventTap.h"
#include "FakeAppEnvironment.h"
#include "FakeInput.h"
#include "QtKeyTranslator.h"
#include "TikloApplication.h"

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

TEST_F(ShellTest, StartRunsItsStepsInOrderAndTerminateUndoesHotkeyAndTap) {
    test::FakeKeyboardMonitor monitor;
    test::ManualTimerFactory timers;
    trust.trusted = true;
    EventTap tap(monitor, trust, timers, state, [](const KeyDown&) {});
    int fullPickers = 0;
    std::vector<std::string> steps;
    bool onboardingComplete = false;
    TikloApplication app(state, tap, [&] { ++fullPickers; },
                         {[&] {
                              // The hotkey and the key observation come first.
                              EXPECT_TRUE(state.hotkeyID());
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

    // Once onboarding is complete, later launches open no welcome window.
    steps.clear();
    onboardingComplete = true;
    app.start();
    EXPECT_EQ(steps, (std::vector<std::string>{"updater", "onboarding?"}));
    app.terminate();
}

// The digit row by position: a French AZERTY row types "&é\"'(-è_ç" unshifted, and
// Ctrl with those keys still means Ctrl+1 to Ctrl+9.
TEST(QtKeyTranslatorTest, TheDigitRowCountsByPositionOnEveryLayout) {
    struct FakeLayout : KeyboardLayout {
        std::optional<int> digitRowNumber(std::uint32_t scanCode) const override {
            return scanCode >= 10 && scanCode <= 18 ? std::optional<int>(scanCode - 9)
                                                    : std::nullopt;
        }
    } layout;
    constexpr std::array<int, 9> azerty{Qt::Key_Ampersand,  Qt::Key_Eacute,     Qt::Key_QuoteDbl,
                                        Qt::Key_Apostrophe, Qt::Key_ParenLeft,  Qt::Key_Minus,
                                        Qt::Key_Egrave,     Qt::Key_Underscore, Qt::Key_Ccedilla};
    constexpr std::array<std::uint16_t, 9> digitCodes{18, 19, 20, 21, 23, 22, 26, 28, 25};
    for (std::size_t i = 0; i < azerty.size(); ++i) {
        const QKeyEvent press(QEvent::KeyPress, azerty[i], Qt::ControlModifier,
                              static_cast<quint32>(10 + i), 0, 0);
        const std::optional<PickerKeyEvent> translated = QtKeyTranslator::translate(press, &layout);
        ASSERT_TRUE(translated);
        EXPECT_EQ(translated->keyCode, digitCodes[i]) << "digit " << i + 1;
        // Without the layout only the key's own symbol counts: these are no digits.
        EXPECT_EQ(QtKeyTranslator::translate(press)->keyCode, QtKeyTranslator::otherKey);
    }
    // Keypad keys sit elsewhere, whatever their scan code says.
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier,
                           10, 0, 0);
    EXPECT_EQ(QtKeyTranslator::translate(keypad, &layout)->keyCode, QtKeyTranslator::otherKey);
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
