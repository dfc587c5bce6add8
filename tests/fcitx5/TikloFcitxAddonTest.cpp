// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiCatalog.h"
#include "core/InlineSearchSession.h"
#include "core/SettingsFile.h"
#include "core/TriggerSettings.h"
#include "support/TempDir.h"

#include <fcitx-utils/event.h>
#include <fcitx-utils/eventdispatcher.h>
#include <fcitx-utils/standardpath.h>
#include <fcitx-utils/testing.h>
#include <fcitx/addonmanager.h>
#include <fcitx/inputcontextmanager.h>
#include <fcitx/inputpanel.h>
#include <fcitx/instance.h>

#include <testfrontend_public.h>
#include <testim_public.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace tiklo {
namespace {

using fcitx::CapabilityFlag;
using fcitx::CapabilityFlags;
using fcitx::Key;
using fcitx::KeyState;

// A real fcitx5 instance in this process, as fcitx5's tests run one: only the test front end,
// input method (typing nothing itself) and UI, and Tiklo's addon; every commit is kept.
struct Fcitx {
    // Runs `body` inside the instance's event loop. The addon reads the settings file under
    // $XDG_CONFIG_HOME at its start: set it first.
    static void run(const std::function<void(Fcitx&)>& body) {
        // The addon from the build tree, its .conf from the build's data folder; the test
        // addons' .conf files come from fcitx5's own data folder.
        fcitx::setupTestingEnvironment(
            TIKLO_FCITX5_ADDON_DIR, {TIKLO_FCITX5_ADDON_DIR},
            {TIKLO_FCITX5_DATA_DIR, fcitx::StandardPath::fcitxPath("pkgdatadir")});
        std::string args[] = {"fcitx5_tests", "--disable=all",
                              "--enable=testim,testfrontend,testui,tiklo-fcitx5"};
        char* argv[] = {args[0].data(), args[1].data(), args[2].data()};
        // fcitx reads its options with getopt: a second instance in this process must read
        // them from the start again.
        optind = 0;
        fcitx::Instance instance(3, argv);
        instance.addonManager().registerDefaultLoader(nullptr);

        Fcitx fcitx{instance, {}, {}, {}};
        auto commitWatch = instance.watchEvent(
            fcitx::EventType::InputContextCommitString, fcitx::EventWatcherPhase::PreInputMethod,
            [&fcitx](fcitx::Event& event) {
                fcitx.commits.push_back(static_cast<fcitx::CommitStringEvent&>(event).text());
            });
        std::exception_ptr failure;
        const auto guarded = [&](const std::function<void()>& part) {
            try {
                part();
            } catch (...) {
                failure = std::current_exception();
            }
        };
        // What the body leaves for later runs once the loop has had that long.
        std::unique_ptr<fcitx::EventSourceTime> later;
        fcitx::EventDispatcher dispatcher;
        dispatcher.attach(&instance.eventLoop());
        dispatcher.schedule([&]() {
            guarded([&] {
                if (instance.addonManager().addon("tiklo-fcitx5") == nullptr) {
                    throw std::runtime_error("the tiklo-fcitx5 addon did not load");
                }
                body(fcitx);
            });
            if (!fcitx.then || failure) {
                instance.exit();
                return;
            }
            later = instance.eventLoop().addTimeEvent(
                CLOCK_MONOTONIC, fcitx::now(CLOCK_MONOTONIC) + fcitx.after.count(), 0,
                [&](fcitx::EventSourceTime*, std::uint64_t) {
                    guarded(fcitx.then);
                    instance.exit();
                    return true;
                });
        });
        instance.exec();
        if (failure) {
            std::rethrow_exception(failure);
        }
    }

    // A focused input context of `program` with these capabilities; by default a field that
    // shows preedit itself, as GTK and Qt fields do.
    fcitx::InputContext* field(const std::string& program = "gedit",
                               CapabilityFlags caps = {CapabilityFlag::Preedit,
                                                       CapabilityFlag::FormattedPreedit}) {
        auto* frontend = instance.addonManager().addon("testfrontend");
        const fcitx::ICUUID uuid =
            frontend->call<fcitx::ITestFrontend::createInputContext>(program);
        fcitx::InputContext* ic = instance.inputContextManager().findByUUID(uuid);
        ic->setCapabilityFlags(caps);
        ic->focusIn();
        return ic;
    }
    // One press and release; whether fcitx took the press (the application never saw it).
    bool press(fcitx::InputContext* ic, const Key& key) {
        if (!ic->hasFocus()) {
            ic->focusIn();
        }
        fcitx::KeyEvent event(ic, key, false);
        ic->keyEvent(event);
        fcitx::KeyEvent release(ic, key, true);
        ic->keyEvent(release);
        return event.accepted();
    }
    // Key names as fcitx spells them ("semicolon", "f", "Page_Down").
    void keys(fcitx::InputContext* ic, const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            press(ic, Key(name));
        }
    }

    fcitx::Instance& instance;
    std::vector<std::string> commits;
    // Set by the body: run after the event loop has run this long more.
    std::chrono::microseconds after{};
    std::function<void()> then;
};

const fcitx::CommonCandidateList* candidates(fcitx::InputContext* ic) {
    return dynamic_cast<const fcitx::CommonCandidateList*>(ic->inputPanel().candidateList().get());
}
std::string preedit(fcitx::InputContext* ic) {
    return ic->inputPanel().clientPreedit().toString();
}

// The search's behaviour is the session's own test's; here that fcitx wires it: preedit in a
// field that shows it, fcitx's popup's preedit in one that cannot, the ranked candidates nine
// to a page numbered 1. to 9., the cursor, a click and Ctrl with the digit row's place (X
// keycodes, whatever the layout types there: AZERTY's "&" to "ç") choosing; what was typed
// stays when the field is left or reset, once; never in a field that hides what is typed; a
// prefix the input method uses itself is its own; keys not used reach the application.
TEST(TikloFcitxAddonTest, SearchesInTheFieldAndItsPopupAndLeavesWhatWasTyped) {
    const test::TempDir home;
    ASSERT_EQ(::setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1), 0);
    const std::filesystem::path settings = home.path() / "config" / "tiklo" / "defaults.plist";
    const auto ranked = [&](const std::string& query) {
        const TriggerSettings now = TriggerSettings::load(SettingsFile(settings, {}));
        return EmojiCatalog::shared().inlineSearch(query, now.favorites, now.emojiUsage,
                                                   now.recents);
    };
    const std::vector<const EmojiItem*> expected = ranked("fi");
    ASSERT_GT(expected.size(), 18u);
    Fcitx::run([&](Fcitx& fcitx) {
        auto* ic = fcitx.field();
        EXPECT_FALSE(fcitx.press(ic, Key(FcitxKey_a)));
        EXPECT_TRUE(fcitx.press(ic, Key(FcitxKey_semicolon)));
        fcitx.keys(ic, {"f", "i"});
        EXPECT_EQ(preedit(ic), ";fi");
        EXPECT_TRUE(ic->inputPanel().preedit().empty());
        const auto* list = candidates(ic);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->totalSize(), static_cast<int>(expected.size()));
        ASSERT_EQ(list->size(), 9);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(list->label(i).toString(), std::to_string(i + 1) + ". ");
            const EmojiItem& item = *expected[static_cast<std::size_t>(i)];
            EXPECT_EQ(list->candidate(i).text().toString(), item.emoji + "  " + item.name);
        }
        fcitx.keys(ic, {"Page_Down", "Down"});
        EXPECT_EQ(candidates(ic)->globalCursorIndex(), 10);
        // Choosing by a click on a candidate of the second page.
        candidates(ic)->candidate(2).select(ic);
        EXPECT_EQ(fcitx.commits, std::vector<std::string>{expected[11]->emoji});
        EXPECT_TRUE(preedit(ic).empty());
        EXPECT_EQ(candidates(ic), nullptr);

        // What AZERTY types in the digit row's places, 1 to 9.
        const char* const azerty[] = {"ampersand",  "eacute",     "quotedbl",
                                      "apostrophe", "parenleft",  "minus",
                                      "egrave",     "underscore", "ccedilla"};
        constexpr int firstDigitRowKeycode = 10;
        for (std::size_t place = 0; place < 9; ++place) {
            const std::vector<const EmojiItem*> hearts = ranked("heart");
            fcitx.commits.clear();
            fcitx.keys(ic, {"semicolon", "h", "e", "a", "r", "t"});
            const Key typed(Key::keySymFromString(azerty[place]), KeyState::Ctrl,
                            firstDigitRowKeycode + static_cast<int>(place));
            EXPECT_TRUE(fcitx.press(ic, typed)) << place + 1;
            EXPECT_EQ(fcitx.commits, std::vector<std::string>{hearts[place]->emoji}) << place + 1;
        }

        // A kaomoji is committed exactly, and Markdown-escaped with Shift+Return.
        const std::vector<const EmojiItem*> shrugs = ranked("shrug");
        const auto kaomoji = std::ranges::find(shrugs, ItemKind::kaomoji, &EmojiItem::kind);
        ASSERT_NE(kaomoji, shrugs.end());
        for (const bool escaped : {false, true}) {
            fcitx.commits.clear();
            fcitx.keys(ic, {"semicolon", "s", "h", "r", "u", "g"});
            fcitx.keys(ic, std::vector<std::string>(
                               static_cast<std::size_t>(kaomoji - shrugs.begin()), "Down"));
            fcitx.press(ic, Key(FcitxKey_Return, escaped ? KeyState::Shift : KeyState::NoState));
            const std::string& text = (*kaomoji)->emoji;
            EXPECT_EQ(fcitx.commits,
                      std::vector<std::string>{escaped ? EmojiItem::markdownEscaped(text) : text});
        }

        // A field that cannot show preedit shows the query in fcitx's popup, once it holds a
        // search: a ";" of punctuation shows no popup.
        auto* plain = fcitx.field("xterm", CapabilityFlags{});
        fcitx.keys(plain, {"semicolon"});
        EXPECT_TRUE(plain->inputPanel().preedit().empty());
        fcitx.keys(plain, {"f", "i"});
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
        EXPECT_EQ(leftBehind(fcitx.field(), false), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.field("xterm", CapabilityFlags{}), false), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.field(), true), Commits{";f"});
        EXPECT_EQ(leftBehind(fcitx.field("firefox", {CapabilityFlag::Preedit,
                                                     CapabilityFlag::ClientUnfocusCommit}),
                             false),
                  Commits{});

        // A field that hides what is typed (a password field, GTK's in InputMethodX11Test).
        auto* secret = fcitx.field("gedit", {CapabilityFlag::Preedit, CapabilityFlag::Sensitive});
        EXPECT_FALSE(fcitx.press(secret, Key(FcitxKey_semicolon)));
        EXPECT_TRUE(preedit(secret).empty());

        auto* testim = fcitx.instance.addonManager().addon("testim");
        testim->call<fcitx::ITestIM::setHandler>(
            [](const fcitx::InputMethodEntry&, fcitx::KeyEvent& keyEvent) {
                if (keyEvent.key().check(FcitxKey_semicolon)) {
                    keyEvent.filterAndAccept();
                }
            });
        auto* pinyin = fcitx.field();
        fcitx.press(pinyin, Key(FcitxKey_semicolon));
        EXPECT_TRUE(preedit(pinyin).empty());
        testim->call<fcitx::ITestIM::setHandler>(nullptr);

        // ";" alone shows its results after a pause.
        auto* paused = fcitx.field();
        fcitx.keys(paused, {"semicolon"});
        EXPECT_EQ(candidates(paused), nullptr);
        fcitx.after = 2 * InlineSearchSession::searchPause;
        fcitx.then = [paused] {
            EXPECT_EQ(preedit(paused), ";");
            const auto* list = candidates(paused);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->size(), 9);
        };
    });
}

} // namespace
} // namespace tiklo
