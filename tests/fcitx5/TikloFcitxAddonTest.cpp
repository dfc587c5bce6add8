#include "FcitxHarness.h"

#include "catalog/EmojiCatalog.h"
#include "core/SettingsFile.h"
#include "core/TriggerSettings.h"
#include "support/TempDir.h"

#include <fcitx/addonmanager.h>
#include <fcitx/candidatelist.h>
#include <fcitx/inputpanel.h>

#include <testim_public.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

using fcitx::CapabilityFlag;
using fcitx::CapabilityFlags;
using fcitx::Key;
using test::FcitxHarness;

const std::string fire = "\U0001F525";
const std::string thumbsUp = "\U0001F44D";

class TikloFcitxAddonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1), 0);
    }

    void write(const DefaultsStore::Entries& entries) { SettingsFile(settings, {}).write(entries); }
    TriggerSettings stored() const { return TriggerSettings::load(SettingsFile(settings, {})); }

    // What the shared ranking gives for `query` under the stored settings.
    std::vector<const EmojiItem*> ranked(const std::string& query) const {
        const TriggerSettings now = stored();
        return EmojiCatalog::shared().search(query, std::nullopt, now.favorites, now.emojiUsage,
                                             now.recents);
    }

    static const fcitx::CommonCandidateList* candidates(fcitx::InputContext* ic) {
        return dynamic_cast<const fcitx::CommonCandidateList*>(
            ic->inputPanel().candidateList().get());
    }
    static std::string preedit(fcitx::InputContext* ic) {
        return ic->inputPanel().clientPreedit().toString();
    }

    test::TempDir home;
    std::filesystem::path settings = home.path() / "config" / "tiklo" / "defaults.plist";
};

// ";" opens a search that lives in the field as underlined preedit; the candidates are the
// shared ranking's, with emoji and name, vertical, nine to a page numbered 1. to 9.
TEST_F(TikloFcitxAddonTest, ThePrefixOpensASearchShownAsPreeditWithRankedCandidates) {
    const std::vector<const EmojiItem*> expected = ranked("fi");
    ASSERT_GT(expected.size(), 9u);
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        EXPECT_TRUE(fcitx.press(ic, Key(FcitxKey_semicolon)));
        EXPECT_EQ(preedit(ic), ";");
        fcitx.keys(ic, {"f", "i"});
        const fcitx::Text& shown = ic->inputPanel().clientPreedit();
        EXPECT_EQ(shown.toString(), ";fi");
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(shown.formatAt(0).test(fcitx::TextFormatFlag::Underline));
        EXPECT_EQ(shown.cursor(), 3);
        EXPECT_TRUE(ic->inputPanel().preedit().empty());

        const auto* list = candidates(ic);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->layoutHint(), fcitx::CandidateLayoutHint::Vertical);
        ASSERT_EQ(list->totalSize(), static_cast<int>(expected.size()));
        ASSERT_EQ(list->size(), 9);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(list->label(i).toString(), std::to_string(i + 1) + ". ");
            const EmojiItem& item = *expected[static_cast<std::size_t>(i)];
            EXPECT_EQ(list->candidate(i).text().toString(), item.emoji + "  " + item.name);
        }
        EXPECT_EQ(list->cursorIndex(), 0);
        EXPECT_TRUE(fcitx.commits.empty());
        EXPECT_EQ(fcitx.document, "");

        // A field that cannot show preedit: fcitx's popup shows the query.
        auto* plain = fcitx.field("xterm", CapabilityFlags{});
        fcitx.keys(plain, {"semicolon", "f", "i"});
        EXPECT_EQ(plain->inputPanel().preedit().toString(), ";fi");
        EXPECT_TRUE(plain->inputPanel().clientPreedit().empty());
        ASSERT_NE(candidates(plain), nullptr);
        EXPECT_EQ(candidates(plain)->totalSize(), static_cast<int>(expected.size()));
    });
}

// Return and keypad Enter take the candidate under the cursor, Ctrl or Super with a digit
// the numbered one on the page shown; arrows and Page keys move and stop at either end.
// Escape keeps the text as typed; BackSpace edits, and past the prefix takes it away.
TEST_F(TikloFcitxAddonTest, KeysChooseMoveAndEndTheSearch) {
    ASSERT_EQ(ranked("fire")[0]->emoji, fire);
    const std::size_t fires = ranked("fire").size();
    ASSERT_GE(fires, 3u);
    const std::size_t fireworks = ranked("firework").size();
    ASSERT_LT(fireworks, 9u);
    ASSERT_GT(ranked("heart").size(), 27u);
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        // Types ";query" and `keys`; what the document got. Each choice is learnt and may
        // change the ranking, so the ranking is read right before.
        const auto search = [&](const std::string& query, const std::vector<std::string>& keys) {
            fcitx.commits.clear();
            fcitx.document.clear();
            fcitx.type(ic, ";" + query);
            fcitx.keys(ic, keys);
            EXPECT_TRUE(preedit(ic).empty());
            EXPECT_EQ(candidates(ic), nullptr);
            EXPECT_LE(fcitx.commits.size(), 1u);
            return fcitx.document;
        };
        const auto chooses = [&](const std::string& query, const std::vector<std::string>& keys,
                                 std::size_t index) {
            const std::string want = ranked(query).at(index)->emoji;
            EXPECT_EQ(search(query, keys), want) << query << " " << keys.back();
        };
        EXPECT_EQ(search("fire", {"Return"}), fire);
        chooses("fire", {"Return"}, 0);
        chooses("fire", {"Down", "Return"}, 1);
        chooses("fire", {"Down", "Down", "Up", "KP_Enter"}, 1);
        chooses("fire", {"Control+2"}, 1);
        chooses("fire", {"Super+3"}, 2);
        chooses("fire", {"Control+KP_3"}, 2);
        // Up at the top and Down at the bottom stay where they are.
        chooses("fire", {"Up", "Return"}, 0);
        std::vector<std::string> toTheEnd(fires + 2, "Down");
        toTheEnd.push_back("Return");
        chooses("fire", toTheEnd, fires - 1);

        // A number with no candidate chooses nothing and keeps the search; the last one does.
        fcitx.commits.clear();
        fcitx.type(ic, ";firework");
        EXPECT_TRUE(fcitx.press(ic, Key("Control+" + std::to_string(fireworks + 1))));
        EXPECT_TRUE(fcitx.commits.empty());
        EXPECT_EQ(preedit(ic), ";firework");
        fcitx.keys(ic, {"Escape"});
        chooses("firework", {"Control+" + std::to_string(fireworks)}, fireworks - 1);

        // Pages: Page Down moves nine on and the numbers start again on the new page; Up from
        // a page's first goes back a page; Page Up stops at the first.
        fcitx.type(ic, ";heart");
        fcitx.keys(ic, {"Page_Down"});
        ASSERT_NE(candidates(ic), nullptr);
        EXPECT_EQ(candidates(ic)->globalCursorIndex(), 9);
        EXPECT_EQ(candidates(ic)->currentPage(), 1);
        EXPECT_EQ(candidates(ic)->label(0).toString(), "1. ");
        fcitx.keys(ic, {"Up"});
        EXPECT_EQ(candidates(ic)->globalCursorIndex(), 8);
        EXPECT_EQ(candidates(ic)->currentPage(), 0);
        fcitx.keys(ic, {"Page_Down", "Page_Down"});
        EXPECT_EQ(candidates(ic)->globalCursorIndex(), 26);
        fcitx.keys(ic, {"Escape"});
        chooses("heart", {"Page_Down", "Control+1"}, 9);
        chooses("heart", {"Down", "Page_Up", "Return"}, 0);
        chooses("heart", {"Page_Down", "Page_Down", "Page_Up", "Return"}, 9);

        EXPECT_EQ(search("fi", {"Escape"}), ";fi");
        // BackSpace takes back one character of the query, then the prefix itself.
        fcitx.commits.clear();
        fcitx.document.clear();
        fcitx.type(ic, ";fix");
        fcitx.keys(ic, {"BackSpace"});
        EXPECT_EQ(preedit(ic), ";fi");
        ASSERT_NE(candidates(ic), nullptr);
        EXPECT_EQ(candidates(ic)->totalSize(), static_cast<int>(ranked("fi").size()));
        fcitx.keys(ic, {"BackSpace", "BackSpace"});
        EXPECT_EQ(preedit(ic), ";");
        fcitx.keys(ic, {"BackSpace"});
        EXPECT_TRUE(preedit(ic).empty());
        EXPECT_EQ(candidates(ic), nullptr);
        EXPECT_TRUE(fcitx.commits.empty());
        EXPECT_EQ(fcitx.document, "");
        EXPECT_FALSE(fcitx.press(ic, Key(FcitxKey_a)));

        // Shortcuts are the application's and leave the search as it is.
        fcitx.type(ic, ";f");
        EXPECT_FALSE(fcitx.press(ic, Key("Control+c")));
        EXPECT_EQ(preedit(ic), ";f");
        fcitx.document.clear();
        fcitx.keys(ic, {"Escape"});
        EXPECT_EQ(fcitx.document, ";f");
    });
}

// The prefix as punctuation: prose, winks, code and shell lines reach the document exactly
// as typed, the key that ended the search included; searches in the same lines still insert.
// The same lines as the X11 road's own test of the rule.
TEST_F(TikloFcitxAddonTest, PunctuationStaysAsTypedAndSearchesStillInsert) {
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        const auto typed = [&](const std::string& line, const std::string& choice = "") {
            fcitx.document.clear();
            fcitx.type(ic, line);
            if (!choice.empty()) {
                fcitx.keys(ic, {choice});
            }
            // Nothing left hanging in the preedit.
            EXPECT_TRUE(preedit(ic).empty()) << line;
            return fcitx.document;
        };
        for (const std::string line :
             {"one; two", "wink ;) ok", "a ;-) b", "so ;D nice", "yes ;P, ok", "x = 1;\n",
              "for(i=0;i<n;i++)", "cd a; ls", "a=1;b=2", "a;\tb", ";;", "; ", ";\n"}) {
            EXPECT_EQ(typed(line), line);
        }
        EXPECT_EQ(stored().recents.size(), 0u) << "punctuation teaches nothing";
        EXPECT_EQ(typed("hot ;fire", "Return"), "hot " + fire);
        EXPECT_EQ(typed("ok ;thumbs up", "Return"), "ok " + thumbsUp);
        EXPECT_EQ(typed("ok ;+1", "Return"), "ok " + thumbsUp);
        EXPECT_EQ(typed("hot ;fire", "Control+1"), "hot " + fire);
        // A search that found nothing, ended by Return, was a line of text.
        EXPECT_EQ(typed("see ;xyzzy", "Return"), "see ;xyzzy\n");
        // Return right after the prefix ends a line; after any other key it chooses.
        const std::vector<const EmojiItem*> all = ranked("");
        ASSERT_GT(all.size(), 1u);
        fcitx.document.clear();
        fcitx.keys(ic, {"semicolon", "Down", "Return"});
        EXPECT_EQ(fcitx.document, all[1]->emoji);
    });
}

// Never in password or sensitive fields, in the programs the user excluded, in Tiklo's own
// windows, or at all while Tiklo is switched off; elsewhere as usual.
TEST_F(TikloFcitxAddonTest, NotServedWherePrivateExcludedOwnOrOff) {
    write({{"excludedBundleIDs", DefaultsStore::Data{R"(["keepass","org.gnome.Terminal"])"}}});
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        const auto opens = [&](fcitx::InputContext* ic) {
            const bool taken = fcitx.press(ic, Key(FcitxKey_semicolon));
            const bool shown = ic->inputPanel().candidateList() != nullptr ||
                               !ic->inputPanel().clientPreedit().empty() ||
                               !ic->inputPanel().preedit().empty();
            EXPECT_EQ(taken, shown);
            if (taken) {
                fcitx.press(ic, Key(FcitxKey_Escape));
            }
            return taken;
        };
        const CapabilityFlags preeditCaps{CapabilityFlag::Preedit};
        EXPECT_FALSE(opens(fcitx.field("gedit", preeditCaps | CapabilityFlag::Password)));
        EXPECT_FALSE(opens(fcitx.field("gedit", preeditCaps | CapabilityFlag::Sensitive)));
        EXPECT_FALSE(opens(fcitx.field("gedit", CapabilityFlags{CapabilityFlag::Password})));
        EXPECT_FALSE(opens(fcitx.field("keepass", preeditCaps)));
        EXPECT_FALSE(opens(fcitx.field("org.gnome.Terminal", preeditCaps)));
        EXPECT_FALSE(opens(fcitx.field("tiklo", preeditCaps)));
        EXPECT_TRUE(opens(fcitx.field("keepassxc", preeditCaps)));
        EXPECT_TRUE(opens(fcitx.field("gedit", preeditCaps)));
        EXPECT_TRUE(opens(fcitx.field("", preeditCaps)));
        EXPECT_EQ(fcitx.document, ";;;;;;;;;");

        write({{"masterEnabled", false}});
        EXPECT_FALSE(opens(fcitx.field("gedit", preeditCaps)));
    });
}

// An input method that uses the prefix key itself (a Pinyin engine's ";") keeps it.
TEST_F(TikloFcitxAddonTest, AnInputMethodThatUsesThePrefixKeepsIt) {
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* testim = fcitx.instance().addonManager().addon("testim");
        testim->call<fcitx::ITestIM::setHandler>(
            [](const fcitx::InputMethodEntry&, fcitx::KeyEvent& keyEvent) {
                if (keyEvent.key().check(FcitxKey_semicolon)) {
                    keyEvent.filterAndAccept();
                }
            });
        auto* ic = fcitx.preeditField();
        fcitx.press(ic, Key(FcitxKey_semicolon));
        EXPECT_TRUE(preedit(ic).empty());
        EXPECT_EQ(candidates(ic), nullptr);
        testim->call<fcitx::ITestIM::setHandler>(nullptr);
        EXPECT_TRUE(fcitx.press(ic, Key(FcitxKey_semicolon)));
        EXPECT_EQ(preedit(ic), ";");
    });
}

// The settings window writes the file while fcitx runs: each change counts from the next key.
TEST_F(TikloFcitxAddonTest, SettingsFileChangesTakeEffectAtTheNextKey) {
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        fcitx.keys(ic, {"semicolon", "f", "i", "r", "e", "Return"});
        EXPECT_EQ(fcitx.document, fire);

        write({{"masterEnabled", false}});
        fcitx.document.clear();
        fcitx.keys(ic, {"semicolon", "f", "i", "r", "e", "Return"});
        EXPECT_EQ(fcitx.document, ";fire\n");

        write({{"masterEnabled", true},
               {"triggerPrefix", std::string("/")},
               {"insertSpaceAfterTrigger", true},
               {"defaultSkinTone", DefaultsStore::Data{R"("dark")"}}});
        fcitx.document.clear();
        fcitx.type(ic, ";a ");
        EXPECT_TRUE(preedit(ic).empty());
        fcitx.type(ic, "/thumbs up");
        EXPECT_EQ(preedit(ic), "/thumbs up");
        // The candidates show the emoji as it will be typed.
        ASSERT_NE(candidates(ic), nullptr);
        EXPECT_EQ(candidates(ic)->candidate(0).text().toString().substr(0, 8),
                  thumbsUp + "\U0001F3FF");
        fcitx.keys(ic, {"Return"});
        EXPECT_EQ(fcitx.document, ";a " + thumbsUp + "\U0001F3FF ");

        // A tone chosen for one emoji wins over the default.
        write({{"emojiSkinTones", DefaultsStore::Data{R"({")" + thumbsUp + R"(":"light"})"}},
               {"insertSpaceAfterTrigger", false}});
        fcitx.document.clear();
        fcitx.type(ic, "/+1");
        fcitx.keys(ic, {"Return"});
        EXPECT_EQ(fcitx.document, thumbsUp + "\U0001F3FB");
    });
}

// A chosen emoji is learnt as the Qt program learns it, into the file, keeping all else
// there; the ranking then reads what was learnt, and favorites, from the file.
TEST_F(TikloFcitxAddonTest, ChoicesAreLearntInTheSettingsFileAndRankTheNextSearch) {
    write({{"hotkey", DefaultsStore::Data{R"({"keyCode":14,"modifiers":6144})"}},
           {"recents", DefaultsStore::Data{R"(["tada"])"}},
           {"didCompleteOnboarding", true}});
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        const std::vector<const EmojiItem*> before = ranked("fire");
        fcitx.keys(ic, {"semicolon", "f", "i", "r", "e", "Down", "Return"});
        const EmojiItem& second = *before[1];
        EXPECT_EQ(fcitx.document, second.emoji);

        const SettingsFile file(settings, {});
        EXPECT_EQ(file.dataValue("recents"), nlohmann::json::array({second.id(), "tada"}).dump());
        const auto usage = nlohmann::json::parse(file.dataValue("emojiUsage").value_or("{}"));
        ASSERT_TRUE(usage.contains(second.emoji));
        EXPECT_EQ(usage[second.emoji]["count"], 1);
        EXPECT_GT(usage[second.emoji]["lastUsedAt"].get<double>(), 7.0e8); // after 2023
        EXPECT_EQ(file.dataValue("hotkey"), R"({"keyCode":14,"modifiers":6144})");
        EXPECT_EQ(file.boolValue("didCompleteOnboarding"), true);

        // The next search ranks with what was just learnt: with no query, recents first.
        fcitx.keys(ic, {"semicolon"});
        ASSERT_NE(candidates(ic), nullptr);
        const std::vector<const EmojiItem*> all = ranked("");
        ASSERT_EQ(all[0]->emoji, second.emoji);
        for (int i = 0; i < candidates(ic)->size(); ++i) {
            EXPECT_TRUE(candidates(ic)->candidate(i).text().toString().starts_with(
                all[static_cast<std::size_t>(i)]->emoji));
        }
        fcitx.keys(ic, {"Escape"});
        fcitx.document.clear();

        // Favorites written by the settings window rank the next search.
        const std::vector<const EmojiItem*> learnt = ranked("fire");
        write({{"favorites",
                DefaultsStore::Data{nlohmann::json::array({before.back()->id()}).dump()}}});
        const std::vector<const EmojiItem*> favored = ranked("fire");
        ASSERT_NE(favored, learnt) << "the favorite ranked no higher";
        fcitx.keys(ic, {"semicolon", "f", "i", "r", "e"});
        ASSERT_NE(candidates(ic), nullptr);
        ASSERT_EQ(candidates(ic)->totalSize(), static_cast<int>(favored.size()));
        for (int i = 0; i < candidates(ic)->totalSize(); ++i) {
            EXPECT_TRUE(candidates(ic)->candidateFromAll(i).text().toString().starts_with(
                favored[static_cast<std::size_t>(i)]->emoji));
        }
    });
}

// Leaving the field keeps what was typed, exactly once: fcitx commits preedit the field
// showed (unless the field commits it itself), the addon what only its popup showed, and a
// reset keeps it too.
TEST_F(TikloFcitxAddonTest, LeavingTheFieldKeepsWhatWasTypedOnce) {
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        const auto leftBehind = [&](fcitx::InputContext* ic, bool reset) {
            fcitx.commits.clear();
            fcitx.keys(ic, {"semicolon", "f"});
            if (reset) {
                ic->reset();
            } else {
                ic->focusOut();
            }
            EXPECT_TRUE(ic->inputPanel().clientPreedit().empty());
            EXPECT_TRUE(ic->inputPanel().preedit().empty());
            EXPECT_EQ(ic->inputPanel().candidateList(), nullptr);
            // The next key is the document's again.
            EXPECT_FALSE(fcitx.press(ic, Key(FcitxKey_a)));
            return fcitx.commits;
        };
        using Commits = std::vector<std::string>;
        EXPECT_EQ(leftBehind(fcitx.preeditField(), false), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.field("xterm", CapabilityFlags{}), false), Commits{";f"});
        EXPECT_EQ(
            leftBehind(fcitx.field("firefox", CapabilityFlags{CapabilityFlag::Preedit,
                                                              CapabilityFlag::ClientUnfocusCommit}),
                       false),
            Commits{});
        EXPECT_EQ(leftBehind(fcitx.preeditField(), true), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.field("xterm", CapabilityFlags{}), true), Commits{";f"});
    });
}

} // namespace
} // namespace tiklo
