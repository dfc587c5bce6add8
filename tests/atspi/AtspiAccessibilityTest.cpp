// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/AtspiAccessibility.h"
#include "support/ChildProcess.h"
#include "support/Poll.h"

#include <climits>
#include <signal.h>
#include <sstream>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace tiklo {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;

// Where the text field's caret starts, and the text around it ("tiklo| caret probe").
constexpr TextRange initialCaret{5, 0};
constexpr TextRange characterBeforeCaret{4, 1};
constexpr TextRange characterAtCaret{5, 1};

// What a test window reports once its field has focus: its client area on screen.
struct TestWindow {
    std::unique_ptr<ChildProcess> process;
    Rect frame;
};

TestWindow start(const std::vector<std::string>& arguments) {
    TestWindow window{
        std::make_unique<ChildProcess>(arguments, ChildProcess::Options{.input = true}), {}};
    const std::optional<std::string> ready = window.process->readLine(10s);
    std::istringstream words(ready.value_or(""));
    std::string word;
    words >> word >> window.frame.x >> window.frame.y >> window.frame.width >> window.frame.height;
    if (word != "ready" || words.fail()) {
        ADD_FAILURE() << "test window not ready: " << ready.value_or("(no answer)");
        window.process.reset();
    }
    return window;
}

// Applications join the accessibility bus a while after their window shows. The event loop
// runs meanwhile, as in Tiklo: libatspi handles there the replies it did not wait for.
std::unique_ptr<FocusedElement> waitForElement(AtspiAccessibility& accessibility,
                                               std::chrono::milliseconds timeout = 10s) {
    const auto lookup = [&] {
        QCoreApplication::processEvents();
        return accessibility.focusedElement();
    };
    return test::pollFor(lookup, timeout, 50ms);
}

// A GTK entry: its caret and selection, asked of the frontmost application alone when its pid
// is known, and given up within the budget while it is stopped; then a Qt line edit's caret.
TEST(AtspiAccessibilityTest, FindsCaretAndSelectionOfAFocusedGtkEntryAndQtLineEdit) {
    const TestWindow window =
        start({TIKLO_TEST_PYTHON, TIKLO_TARGET_ENTRY, "--caret", "5", "tiklo caret probe"});
    ASSERT_TRUE(window.process);
    std::optional<long> frontmost = window.process->pid();
    AtspiAccessibility accessibility([&] { return frontmost; });

    std::unique_ptr<FocusedElement> element = waitForElement(accessibility);
    ASSERT_TRUE(element);
    EXPECT_EQ(element->selectedTextRange(), initialCaret);
    const std::optional<Rect> before = element->boundsForRange(characterBeforeCaret);
    const std::optional<Rect> at = element->boundsForRange(characterAtCaret);
    ASSERT_TRUE(before && at);
    // Neighbouring characters, in order: the offsets reached the application unshifted. (Where
    // on screen is pinned by the popup's placement on the desktop road.)
    EXPECT_GT(before->width, 0);
    EXPECT_NEAR(before->maxX(), at->x, 1.0);
    // Offsets beyond what the protocol carries are refused, not wrapped around.
    EXPECT_EQ(element->boundsForRange({LONG_MAX, 1}), std::nullopt);
    EXPECT_EQ(element->boundsForRange({3, LONG_MAX}), std::nullopt);
    EXPECT_EQ(element->boundsForRange({-1, 1}), std::nullopt);

    const auto selectedAfter = [&](const std::string& command) -> std::optional<TextRange> {
        EXPECT_TRUE(window.process->writeLine(command));
        EXPECT_EQ(window.process->readLine(5s), "select ok");
        const std::unique_ptr<FocusedElement> found = accessibility.focusedElement();
        return found ? found->selectedTextRange() : std::nullopt;
    };
    EXPECT_EQ(selectedAfter("select 2 9"), (TextRange{2, 7}));
    const TextRange caret{12, 0};
    EXPECT_EQ(selectedAfter("select 12 12"), caret);

    // Without a pid every application is searched; the entry is the only focused field.
    frontmost.reset();
    element = accessibility.focusedElement();
    ASSERT_TRUE(element);
    EXPECT_EQ(element->selectedTextRange(), caret);
    // A known process that is not on the accessibility bus has no element, however focused
    // the entry elsewhere is.
    frontmost = 1;
    QElapsedTimer started;
    started.start();
    EXPECT_EQ(accessibility.focusedElement(), nullptr);
    EXPECT_LT(started.elapsed(), AtspiAccessibility::queryBudget.count());
    frontmost = window.process->pid();

    // An element answers for the query that found it, not later.
    element = accessibility.focusedElement();
    ASSERT_TRUE(element);
    std::this_thread::sleep_for(AtspiAccessibility::queryBudget + 10ms);
    EXPECT_EQ(element->selectedTextRange(), std::nullopt);

    // A stopped application is given up on within the budget.
    const auto allowed = AtspiAccessibility::queryBudget + 50ms;
    element = accessibility.focusedElement();
    ASSERT_TRUE(element);
    ASSERT_EQ(::kill(window.process->pid(), SIGSTOP), 0);
    started.restart();
    EXPECT_EQ(element->selectedTextRange(), std::nullopt);
    EXPECT_EQ(element->boundsForRange(characterBeforeCaret), std::nullopt);
    EXPECT_LT(started.elapsed(), allowed.count()) << "ms for the element's calls";

    started.restart();
    EXPECT_EQ(accessibility.focusedElement(), nullptr);
    EXPECT_LT(started.elapsed(), allowed.count()) << "ms for the lookup";

    // Nothing is held against the application once it answers again.
    ASSERT_EQ(::kill(window.process->pid(), SIGCONT), 0);
    element = waitForElement(accessibility, 5s);
    ASSERT_TRUE(element);
    EXPECT_EQ(element->selectedTextRange(), caret);

    // A Qt line edit answers alike: its caret, and a character before it left of a later one.
    const TestWindow qt = start({TIKLO_TEXT_FIELD_HELPER, "--caret-probe"});
    ASSERT_TRUE(qt.process);
    frontmost = qt.process->pid();
    element = waitForElement(accessibility);
    ASSERT_TRUE(element);
    EXPECT_EQ(element->selectedTextRange(), initialCaret);
    const std::optional<Rect> qtBefore = element->boundsForRange(characterBeforeCaret);
    const std::optional<Rect> qtAfter = element->boundsForRange({characterAtCaret.location + 2, 1});
    ASSERT_TRUE(qtBefore && qtAfter);
    EXPECT_GT(qtBefore->height, 1);
    EXPECT_TRUE(qtBefore->x >= qt.frame.x && qtBefore->y >= qt.frame.y &&
                qtBefore->maxX() <= qt.frame.maxX() && qtBefore->maxY() <= qt.frame.maxY());
    EXPECT_LT(qtBefore->x, qtAfter->x);
}

} // namespace
} // namespace tiklo
