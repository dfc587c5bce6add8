// SPDX-License-Identifier: GPL-3.0-or-later
// A ";" typed as punctuation stays punctuation: prose, winks, code and shell lines reach the
// field exactly as typed, into a one-line entry and a text view, with and without the
// accessibility bus, at xdotool's own pace and slower, from the first popup after start on;
// searches still insert.
#include "e2e/LearnedRanking.h"
#include "e2e/TikloDesktop.h"

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
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    // Types `keys` in one go into an empty field; what the field then holds, once no popup is
    // left and nothing more arrives.
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
    std::vector<std::string> lines{"one; two",         "wink ;) ok", "a ;-) b",
                                   "so ;D nice",       "yes ;P, ok", "x = 1;\n",
                                   "for(i=0;i<n;i++)", "cd a; ls",   "a=1;b=2"};
    if (desk.multiline && desk.pace == 12ms) {
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
        EXPECT_EQ(typed(TikloDesktop::keysFor(line), asShown(line)), asShown(line));
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
    EXPECT_EQ(typed(search("hot ;fire", "Return"), "hot " + fire), "hot " + fire);
    EXPECT_EQ(typed(search("ok ;thumbs up", "Return"), "ok " + thumbsUp), "ok " + thumbsUp);
    EXPECT_EQ(typed(search("ok ;+1", "Return"), "ok " + thumbsUp), "ok " + thumbsUp);
    EXPECT_EQ(typed(search("hot ;fire", "ctrl+1"), "hot " + fire), "hot " + fire);
    // A search with nothing found, ended by Return, was a line of text.
    EXPECT_EQ(typed(search("see ;xyzzy", "Return"), asShown("see ;xyzzy\n")),
              asShown("see ;xyzzy\n"));
}

INSTANTIATE_TEST_SUITE_P(Desks, PunctuationTest,
                         ::testing::Values(Desk{false, true, 12ms}, Desk{false, false, 60ms},
                                           Desk{true, false, 60ms}, Desk{true, true, 12ms}),
                         ::testing::PrintToStringParamName());

} // namespace
} // namespace tiklo::test
