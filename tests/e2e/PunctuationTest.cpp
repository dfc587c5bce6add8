// SPDX-License-Identifier: GPL-3.0-or-later
// A ";" typed as punctuation stays punctuation: prose, winks, code and shell lines reach the
// field exactly as typed, and no popup comes on screen for a ";" that gives way; into a one-line
// entry and a text view, with and without the accessibility bus, at xdotool's own pace and
// slower, from the first popup after start on. Searches still insert.
#include "e2e/LearnedRanking.h"
#include "e2e/TikloDesktop.h"
#include "e2e/TikloWindowWatch.h"

#include <set>
#include <thread>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";
const std::string thumbsUp = "\U0001F44D";

struct Desk {
    bool multiline = false;
    bool accessibility = true;
    std::chrono::milliseconds pace{12};
};

// Also the test's name.
void PrintTo(const Desk& desk, std::ostream* out) {
    *out << (desk.multiline ? "TextView" : "Entry")
         << (desk.accessibility ? "" : "WithoutAccessibility") << "At" << desk.pace.count() << "ms";
}

class PunctuationTest : public ::testing::TestWithParam<Desk> {};

TEST_P(PunctuationTest, ProseWinksCodeAndShellLinesStayAsTypedAndSearchesStillInsert) {
    const Desk desk = GetParam();
    // Tiklo listening with its first popup still to come, an empty field in front.
    TikloDesktop desktop(
        {.accessibility = desk.accessibility, .initialText = "", .multiline = desk.multiline});
    // From before start on: the popup's unseen first showing counts for nothing.
    const TikloWindowWatch windows;
    ASSERT_TRUE(windows.connected());
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    // Types `keys` at the desk's pace into an empty field; what the field then holds, once no
    // popup is left and nothing more arrives.
    const auto typed = [&](const std::vector<std::string>& keys, const std::string& expected) {
        EXPECT_TRUE(desktop.waitForPopupHidden());
        EXPECT_TRUE(desktop.waitForTargetActive());
        EXPECT_TRUE(desktop.target().setText(""));
        EXPECT_EQ(desktop.target().waitForText(""), "");
        EXPECT_FALSE(keys.empty());
        EXPECT_TRUE(desktop.keySequence(keys, desk.pace));
        desktop.target().waitForText(expected, 5s);
        EXPECT_TRUE(desktop.waitForPopupHidden(2s)) << "a popup stayed open";
        // Late keys, or an emoji, would show by now.
        std::this_thread::sleep_for(250ms);
        return desktop.target().text().value_or("(no answer)");
    };
    // Return starts a line in the text view and only confirms in the entry.
    const auto asShown = [&](std::string text) {
        if (!desk.multiline) {
            std::erase(text, '\n');
        }
        return text;
    };
    // The first line meets the first popup after start.
    // A ";" before a key that gives way shows no popup; one before a letter or an emoticon's
    // start begins a search, which shows until the next key makes it give way.
    const std::set<std::string> searchLike{"a ;-) b", "so ;D nice", "yes ;P, ok",
                                           "for(i=0;i<n;i++)", "a=1;b=2"};
    std::vector<std::string> lines{"one; two",         "wink ;) ok", "a ;-) b",
                                   "so ;D nice",       "yes ;P, ok", "x = 1;\n",
                                   "for(i=0;i<n;i++)", "cd a; ls",   "a=1;b=2"};
    if (desk.multiline) {
        // Ten lines of C in one go.
        lines.emplace_back("int main(void) {\n"
                           "int a = 1;\n"
                           "int b = a + 2;\n"
                           "for (int i = 0; i < b; i++) {\n"
                           "a = a * 2;\n"
                           "}\n"
                           "if (a > 3) { b = 0; }\n"
                           "puts(\"done\");\n"
                           "return a;\n"
                           "}\n");
    }
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const int shown = windows.shown();
        EXPECT_EQ(typed(TikloDesktop::keysFor(line), asShown(line)), asShown(line));
        if (!searchLike.contains(line)) {
            // Not even for a moment.
            EXPECT_EQ(windows.shown(), shown) << "a popup came on screen";
        }
    }
    // Punctuation teaches nothing.
    const History history = readHistory(desktop.defaultsFile());
    EXPECT_TRUE(history.recents.empty()) << history.recents.front();
    EXPECT_TRUE(history.usage.empty()) << history.usage.dump();

    const auto search = [&](const std::string& text, const std::string& choice) {
        std::vector<std::string> keys = TikloDesktop::keysFor(text);
        keys.push_back(choice);
        return keys;
    };
    const int shown = windows.shown();
    EXPECT_EQ(typed(search("hot ;fire", "Return"), "hot " + fire), "hot " + fire);
    // The watch sees a popup that is seen.
    EXPECT_EQ(windows.shown(), shown + 1);
    EXPECT_EQ(typed(search("ok ;thumbs up", "Return"), "ok " + thumbsUp), "ok " + thumbsUp);
    EXPECT_EQ(typed(search("ok ;+1", "Return"), "ok " + thumbsUp), "ok " + thumbsUp);
    EXPECT_EQ(typed(search("hot ;fire", "ctrl+1"), "hot " + fire), "hot " + fire);
    // A search with nothing found, ended by Return, was a line of text.
    EXPECT_EQ(typed(search("see ;xyzzy", "Return"), asShown("see ;xyzzy\n")),
              asShown("see ;xyzzy\n"));
}

INSTANTIATE_TEST_SUITE_P(Desks, PunctuationTest,
                         ::testing::Values(Desk{false, true, 12ms}, Desk{true, false, 60ms},
                                           Desk{true, true, 12ms}, Desk{true, false, 150ms}),
                         ::testing::PrintToStringParamName());

} // namespace
} // namespace tiklo::test
