// SPDX-License-Identifier: GPL-3.0-or-later
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

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tiklo {
namespace {

using fcitx::CapabilityFlag;
using fcitx::CapabilityFlags;
using fcitx::Key;
using fcitx::KeyState;
using test::FcitxHarness;

class TikloFcitxAddonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1), 0);
    }

    std::vector<const EmojiItem*> ranked(const std::string& query) const {
        const TriggerSettings now = TriggerSettings::load(SettingsFile(settings, {}));
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

// The search as fcitx shows it: underlined preedit in a field that shows it, fcitx's popup's
// preedit in one that cannot, the ranked candidates nine to a page numbered 1. to 9., the
// cursor moving through pages; what was typed stays when the field is left or reset, once;
// never in a password field; and a prefix the input method uses itself is its own.
TEST_F(TikloFcitxAddonTest, TheSearchIsShownInTheFieldAndItsPopupAndLeftAsTyped) {
    const std::vector<const EmojiItem*> expected = ranked("fi");
    ASSERT_GT(expected.size(), 18u);
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        EXPECT_TRUE(fcitx.press(ic, Key(FcitxKey_semicolon)));
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
        fcitx.keys(ic, {"Page_Down", "Down"});
        EXPECT_EQ(candidates(ic)->globalCursorIndex(), 10);
        EXPECT_EQ(candidates(ic)->currentPage(), 1);
        // Choosing by a click on a candidate.
        fcitx.commits.clear();
        candidates(ic)->candidate(2).select(ic);
        EXPECT_EQ(fcitx.commits, std::vector<std::string>{expected[11]->emoji});
        EXPECT_TRUE(preedit(ic).empty());
        EXPECT_EQ(candidates(ic), nullptr);

        auto* plain = fcitx.field("xterm", CapabilityFlags{});
        fcitx.keys(plain, {"semicolon", "f", "i"});
        EXPECT_EQ(plain->inputPanel().preedit().toString(), ";fi");
        EXPECT_TRUE(plain->inputPanel().clientPreedit().empty());

        const auto leftBehind = [&](fcitx::InputContext* field, bool reset) {
            fcitx.commits.clear();
            fcitx.keys(field, {"semicolon", "f"});
            reset ? field->reset() : field->focusOut();
            EXPECT_TRUE(field->inputPanel().clientPreedit().empty());
            EXPECT_TRUE(field->inputPanel().preedit().empty());
            EXPECT_EQ(field->inputPanel().candidateList(), nullptr);
            EXPECT_FALSE(fcitx.press(field, Key(FcitxKey_a)));
            return fcitx.commits;
        };
        using Commits = std::vector<std::string>;
        // fcitx commits the preedit a field showed itself; the addon what only its popup did.
        EXPECT_EQ(leftBehind(fcitx.preeditField(), false), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.field("xterm", CapabilityFlags{}), false), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.preeditField(), true), Commits{";f"});
        EXPECT_EQ(
            leftBehind(fcitx.field("firefox", CapabilityFlags{CapabilityFlag::Preedit,
                                                              CapabilityFlag::ClientUnfocusCommit}),
                       false),
            Commits{});

        for (const CapabilityFlag flag : {CapabilityFlag::Password, CapabilityFlag::Sensitive}) {
            auto* secret = fcitx.field("gedit", CapabilityFlags{CapabilityFlag::Preedit, flag});
            EXPECT_FALSE(fcitx.press(secret, Key(FcitxKey_semicolon)));
            EXPECT_TRUE(preedit(secret).empty());
        }

        auto* testim = fcitx.instance().addonManager().addon("testim");
        testim->call<fcitx::ITestIM::setHandler>(
            [](const fcitx::InputMethodEntry&, fcitx::KeyEvent& keyEvent) {
                if (keyEvent.key().check(FcitxKey_semicolon)) {
                    keyEvent.filterAndAccept();
                }
            });
        auto* pinyin = fcitx.preeditField();
        fcitx.press(pinyin, Key(FcitxKey_semicolon));
        EXPECT_TRUE(preedit(pinyin).empty());
        testim->call<fcitx::ITestIM::setHandler>(nullptr);
    });
}

// Ctrl+1 to 9 choose by the digit row's place, with the X keycodes fcitx reports, whatever the
// layout types there (AZERTY's "&" to "ç"); a shortcut while searching is the application's.
TEST_F(TikloFcitxAddonTest, CtrlAndADigitRowKeyChooseByItsPlace) {
    const std::array<const char*, 9> azerty{"ampersand",  "eacute",     "quotedbl",
                                            "apostrophe", "parenleft",  "minus",
                                            "egrave",     "underscore", "ccedilla"};
    constexpr int firstDigitRowKeycode = 10;
    FcitxHarness::run([&](FcitxHarness& fcitx) {
        auto* ic = fcitx.preeditField();
        for (int digit = 1; digit <= 9; ++digit) {
            const std::vector<const EmojiItem*> expected = ranked("heart");
            fcitx.commits.clear();
            fcitx.type(ic, ";heart");
            const Key typed(Key::keySymFromString(azerty[static_cast<std::size_t>(digit - 1)]),
                            KeyState::Ctrl, firstDigitRowKeycode + digit - 1);
            EXPECT_TRUE(fcitx.press(ic, typed)) << digit;
            EXPECT_EQ(
                fcitx.commits,
                std::vector<std::string>{expected[static_cast<std::size_t>(digit - 1)]->emoji})
                << digit;
        }
        fcitx.type(ic, ";f");
        EXPECT_FALSE(fcitx.press(ic, Key("Control+c")));
        EXPECT_EQ(preedit(ic), ";f");
    });
}

} // namespace
} // namespace tiklo
