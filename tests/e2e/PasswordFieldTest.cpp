// Never in a password field: typing the prefix there opens nothing, and the query and the
// choice stay the password's, in a GTK entry that hides its text and in a Qt QLineEdit in
// password mode, both found over the accessibility bus.
#include "e2e/DefaultsPlist.h"
#include "e2e/TikloDesktop.h"
#include "platform/linux/AtspiAccessibility.h"
#include "support/TextFieldProcess.h"

#include <cstdlib>
#include <thread>

#include <glib.h>
#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// Long enough for a popup to have come, had there been one.
constexpr auto noPopupWithin = 1500ms;

bool popupOpens(TikloDesktop& desktop) {
    const auto deadline = std::chrono::steady_clock::now() + noPopupWithin;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!desktop.visiblePopups().empty()) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// A Qt application joins the accessibility bus some time after its window shows; until then
// nobody, Tiklo included, can tell that its field hides what is typed.
bool secretOverAccessibilityBus(std::int64_t pid) {
    AtspiAccessibility accessibility([pid] { return std::optional<long>(pid); });
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        // libatspi learns of newly registered applications in the main loop.
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        if (const std::unique_ptr<FocusedElement> element = accessibility.focusedElement();
            element && element->isSecret()) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

TEST(PasswordFieldTest, ThePrefixOpensNothingInAGtkOrQtPasswordField) {
    TikloDesktop desktop({.initialText = ""});
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    ASSERT_TRUE(desktop.waitForTargetActive());

    // The same entry with its text shown does open the popup.
    ASSERT_TRUE(desktop.type(";"));
    ASSERT_TRUE(desktop.waitForActivePopup());
    ASSERT_TRUE(desktop.key("Escape"));
    ASSERT_TRUE(desktop.waitForPopupHidden());
    ASSERT_TRUE(desktop.waitForTargetActive());
    ASSERT_TRUE(desktop.target().setText(""));

    ASSERT_TRUE(desktop.target().makeSecret());
    ASSERT_TRUE(desktop.type(";fire"));
    EXPECT_FALSE(popupOpens(desktop));
    EXPECT_EQ(desktop.target().waitForText(";fire"), ";fire");

    // A Qt application reports its accessible tree when told to at start.
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    TextFieldProcess field;
    unsetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    ASSERT_TRUE(field.ready());
    ASSERT_TRUE(field.makePassword());
    ASSERT_TRUE(secretOverAccessibilityBus(field.application().pid));
    ASSERT_TRUE(desktop.type(";fire"));
    EXPECT_FALSE(popupOpens(desktop));
    EXPECT_EQ(field.text(), ";fire");

    // Nothing was chosen, so nothing was learned.
    const std::optional<DefaultsPlist> defaults = DefaultsPlist::load(desktop.defaultsFile());
    EXPECT_FALSE(defaults && defaults->dataValue("recents") &&
                 *defaults->dataValue("recents") != "[]");
}

} // namespace
} // namespace tiklo::test
