// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppExceptions.h"
#include "app/HotkeyRegistration.h"
#include "app/LoginItemSync.h"
#include "support/FakeAppEnvironment.h"
#include "support/LogCapture.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

using Strings = std::vector<std::string>;

// `state` is loaded from an empty store; load() loads another from what the test stored.
class AppStateTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    std::unique_ptr<AppState> load() {
        return std::make_unique<AppState>(defaults, trust, loginItem);
    }
    std::string data(const std::string& key) const { return *defaults.dataValue(key); }
};

EmojiItem emoji(std::string text, std::string id) {
    return {std::move(text), "name", std::move(id), EmojiCategory::people, {}, true};
}

// What cannot be read falls back alone, value by value and entry by entry; the file is kept as
// it was (copied aside before the next write), and the log names the keys, never a value.
TEST_F(AppStateTest, StoredValuesLoadAndWhatCannotBeReadIsDroppedAlone) {
    defaults.values["insertSpaceAfterTrigger"] = std::string("yes"); // wrong type
    defaults.values["triggerPrefix"] = std::string("\\");
    defaults.putData("pickerMode", R"("list")");
    defaults.putData("defaultSkinTone", R"("MediumDark")");
    defaults.putData("hotkey", R"({"keyCode":49})");
    // Five good usage records and one of each kind of bad one.
    defaults.putData("emojiUsage",
                     R"({"a":{"count":1,"lastUsedAt":1},"b":{"count":2,"lastUsedAt":2},)"
                     R"("c":{"count":-3,"lastUsedAt":3.5},"d":{"count":0,"lastUsedAt":-4},)"
                     R"("e":{"count":9223372036854775807,"lastUsedAt":5},)"
                     R"("x1":{"count":1.5,"lastUsedAt":1},)"
                     R"("x2":{"count":9223372036854775808,"lastUsedAt":1},)"
                     R"("x3":{"count":1,"lastUsedAt":"now"},"x4":{"count":1},)"
                     R"("x5":[1,2],"x6":null})");
    defaults.putData("recents", R"(["grinning","joy","grinning",5])");
    defaults.putData("favorites", R"(["heart",null,{"id":"fire"},"heart",["x"],true])");
    defaults.putData("excludedBundleIDs", R"("org.gnome.gedit")"); // not a list at all

    test::LogCapture log;
    const auto loaded = load();
    EXPECT_EQ(log.lines,
              (QStringList{"tiklo.settings: Discarded stored values that could not be "
                           "read, under defaultSkinTone, insertSpaceAfterTrigger, hotkey",
                           "tiklo.settings: Discarded stored entries that could not be read, "
                           "under favorites, recents, emojiUsage, excludedBundleIDs"}));
    EXPECT_EQ(std::tuple(loaded->insertSpaceAfterTrigger(), loaded->triggerPrefix(),
                         loaded->pickerMode(), loaded->defaultSkinTone(), loaded->hotkey()),
              std::tuple(false, ";", view::PickerMode::List, view::SkinTone::Standard, Hotkey{}));
    EXPECT_EQ(loaded->recents(), (Strings{"grinning", "joy", "grinning"}));
    EXPECT_EQ(loaded->favorites(), AppState::Favorites{"heart"});
    EXPECT_TRUE(loaded->excludedAppIDs().empty());
    const AppState::Usage kept = {{"a", {1, 1}},
                                  {"b", {2, 2}},
                                  {"c", {-3, 3.5}},
                                  {"d", {0, -4}},
                                  {"e", {9223372036854775807, 5}}};
    EXPECT_EQ(loaded->emojiUsage(), kept);
    EXPECT_EQ(defaults.copyRequests, 1);
    // Loading rewrites nothing: the bad values stay until the next assignment.
    EXPECT_TRUE(defaults.writes.empty());

    // Good lists alone ask for nothing and say nothing.
    defaults.values.clear();
    defaults.putData("emojiUsage", R"({"a":{"count":1,"lastUsedAt":1}})");
    defaults.putData("recents", R"([])");
    defaults.putData("favorites", R"(["heart"])");
    defaults.putData("excludedBundleIDs", R"(["org.gnome.gedit"])");
    log.lines.clear();
    EXPECT_EQ(load()->excludedAppIDs(), Strings{"org.gnome.gedit"});
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(defaults.copyRequests, 1);
}

// The desktop's live states: the permission, the login item and what the session reaches are
// read at start, and caret tracking that comes on while running asks for restarts; none of it
// is stored, and loading registers no hotkey. Text JSON cannot carry is not written either, though
// memory changes (each form is the settings table's; here what the store does around it).
TEST_F(AppStateTest, DesktopAccessStatesAndTextJsonCannotCarryAreNeverStored) {
    trust.trusted = true;
    loginService.registered = true;
    const auto loaded = load();
    EXPECT_TRUE(loaded->launchAtLogin());
    EXPECT_TRUE(loaded->accessibilityGranted());
    EXPECT_TRUE(hotkeyService.calls.empty());
    EXPECT_EQ(loaded->caretTracking(), view::CaretTracking::Unknown);
    EXPECT_FALSE(loaded->caretTrackingNeedsRestart());

    using C = view::CaretTracking;
    // Each state and whether it then needs a restart; On as first answered needs none, as the
    // applications started before were reporting already.
    const std::pair<C, bool> steps[] = {{C::On, false}, {C::Unavailable, false}, {C::On, true},
                                        {C::On, true},  {C::Unknown, false},     {C::On, false}};
    for (const auto& [to, restart] : steps) {
        loaded->setCaretTracking(to);
        EXPECT_EQ(loaded->caretTrackingNeedsRestart(), restart) << "after " << static_cast<int>(to);
    }
    loaded->setX11ApplicationsOnly(true);
    // Launch at login follows the system: a refusal springs back and is logged.
    LoginItemSync sync(*loaded, loginItem);
    loginService.refusal = "Permission denied";
    test::LogCapture log;
    loaded->setLaunchAtLogin(false);
    EXPECT_TRUE(loaded->launchAtLogin());
    EXPECT_EQ(log.lines,
              QStringList{"tiklo.loginitem: login item unregister failed: Permission denied"});
    EXPECT_TRUE(defaults.writes.empty());

    state.setRecents({"fire", "heart"});
    state.setRecents({std::string("\xff")});
    EXPECT_EQ(state.recents(), Strings{std::string("\xff")});
    EXPECT_EQ(data("recents"), R"(["fire","heart"])");
}

// The store's hotkey stays registered across changes, refused ones included. A new one another
// program holds is not kept: the old one is registered, stored and shown again. (A free one
// taking over is the tray's desktop test.)
TEST_F(AppStateTest, HotkeyChangesReRegisterAndAHeldOneKeepsTheOld) {
    HotkeyRegistration registration(state, hotkeys);
    int opened = 0;
    QObject::connect(&registration, &HotkeyRegistration::pressed, [&] { ++opened; });
    registration.registerHotkey();
    EXPECT_EQ(registration.hotkeyID(), 1u);

    hotkeyService.refuseWith = 10;
    state.setHotkey(Hotkey{{keysym::space, Modifier::ctrl}});
    EXPECT_EQ(registration.hotkeyID(), 2u);
    EXPECT_TRUE(hotkeyService.grabbed.empty());
    EXPECT_EQ(data("hotkey"), R"({"keyCode":49,"modifiers":4096})");
    hotkeyService.refuseWith = 0;
    state.setHotkey(Hotkey{});
    hotkeyService.press(*registration.hotkeyID());
    hotkeyService.press(42); // no action: consumed, nothing happens
    EXPECT_EQ(opened, 0);    // not inside the system's dispatch
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, 1);

    const Hotkey held{{keysym::space, Modifier::ctrl | Modifier::shift}};
    hotkeyService.heldElsewhere.push_back(held.key);
    test::LogCapture log;
    EXPECT_FALSE(registration.change(held));
    EXPECT_EQ(state.hotkey(), Hotkey{});
    EXPECT_EQ(hotkeyService.grabbed, std::set<std::uint32_t>{*registration.hotkeyID()});
    EXPECT_EQ(hotkeyService.calls.back().key, Hotkey{}.key);
    EXPECT_EQ(data("hotkey"), R"({"keyCode":14,"modifiers":6144})");
    EXPECT_EQ(log.lines, QStringList{"tiklo.hotkey: Tiklo: failed to register hotkey "
                                     "Ctrl+Shift+Space (status 10)"});
}

// Every use is a single write of recents and usage together, while observers still see each
// step; usage outlives its place in the recents, and recents outlive the clearing of usage.
TEST_F(AppStateTest, EachUseIsOneWriteThatKeepsRecentsUniqueAndCountsUses) {
    constexpr double now = 800000000.5;
    double clock = now;
    UsageHistory timed(state, [&] { return clock; });
    const auto useWrites = [&](const EmojiItem& item) {
        const int before = defaults.fileWrites;
        const std::size_t keys = defaults.writes.size();
        timed.recordUse(item);
        EXPECT_EQ(Strings(defaults.writes.begin() + static_cast<long>(keys), defaults.writes.end()),
                  (Strings{"recents", "emojiUsage"}));
        return defaults.fileWrites - before;
    };
    const EmojiItem thumbs = emoji("\U0001F44D", "thumbsup");
    for (int i = 0; i < 3; ++i) {
        clock = now + i;
        EXPECT_EQ(useWrites(thumbs), 1);
    }
    EXPECT_EQ(state.recents(), Strings{"thumbsup"});
    EXPECT_EQ(state.emojiUsage().at(thumbs.emoji), (EmojiUsage{3, now + 2}));
    // Enough others to push the first out of the recents.
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(useWrites(emoji("e" + std::to_string(i), "id" + std::to_string(i))), 1);
    }
    EXPECT_EQ(std::ranges::count(state.recents(), "thumbsup"), 0);
    EXPECT_EQ(state.emojiUsage().count(thumbs.emoji), 1u);
    timed.clearUsage();
    EXPECT_TRUE(state.emojiUsage().empty());
    EXPECT_EQ(state.recents().size(), UsageHistory::recentsLimit);
}

// A favorite toggled twice leaves the set and the file as they were. A tone chosen for one emoji
// beats the default for it alone, is stored, goes with "use the default", outlives usage.
TEST_F(AppStateTest, FavoritesToggleBackAndATonePerEmojiOverridesTheDefaultForItAlone) {
    const EmojiItem fire{"\U0001F525", "fire", "fire", EmojiCategory::travel, {}, false};
    state.setFavorites({"heart"});
    history.toggleFavorite(fire);
    EXPECT_EQ(state.favorites(), (AppState::Favorites{"heart", "fire"}));
    const auto stored = nlohmann::json::parse(data("favorites")).get<std::set<std::string>>();
    EXPECT_EQ(stored, (std::set<std::string>{"heart", "fire"}));
    history.toggleFavorite(fire);
    EXPECT_EQ(state.favorites(), AppState::Favorites{"heart"});
    EXPECT_EQ(data("favorites"), R"(["heart"])");

    const EmojiItem thumbs = emoji("\U0001F44D", "thumbsup");
    const EmojiItem wave = emoji("\U0001F44B", "wave");
    state.setDefaultSkinTone(view::SkinTone::Light);
    history.setSkinTone(thumbs, SkinTone::dark);
    EXPECT_EQ(state.skinToneFor(thumbs.emoji), SkinTone::dark);
    EXPECT_EQ(state.skinToneFor(wave.emoji), SkinTone::light);
    // The default tone chosen on purpose is a tone of its own.
    history.setSkinTone(wave, SkinTone::standard);
    EXPECT_EQ(state.skinToneFor(wave.emoji), SkinTone::standard);

    history.recordUse(thumbs);
    history.clearUsage();
    EXPECT_EQ(state.skinToneFor(thumbs.emoji), SkinTone::dark);
    history.setSkinTone(thumbs, std::nullopt);
    EXPECT_EQ(state.skinToneFor(thumbs.emoji), SkinTone::light);
    // An emoji that takes no tone gets none.
    history.setSkinTone(fire, SkinTone::dark);
    EXPECT_EQ(state.emojiSkinTones(), (AppState::SkinTones{{wave.emoji, SkinTone::standard}}));
}

// The application added is the one the user came from, never Tiklo itself; ids typed by hand
// are trimmed. Either way the list stays unique (case-sensitive) and sorted, and an addition
// that changes nothing writes nothing.
TEST_F(AppStateTest, ExceptionsComeFromTheLastApplicationOrByHandUniqueAndSorted) {
    AppExceptions exceptions(state, workspace);
    // Tiklo's own window is in front while its button is pressed.
    workspace.frontmost = RunningApplication{"io.tiklo.Tiklo", 1, 1};
    exceptions.addCurrentApp();
    EXPECT_TRUE(state.excludedAppIDs().empty());

    workspace.lastOther = RunningApplication{"org.gnome.gedit", 2, 2};
    exceptions.addCurrentApp();
    workspace.lastOther = RunningApplication{"Firefox", 3, 3};
    exceptions.addCurrentApp();
    EXPECT_TRUE(exceptions.add("firefox\r\n"));
    EXPECT_EQ(state.excludedAppIDs(), (Strings{"Firefox", "firefox", "org.gnome.gedit"}));
    EXPECT_EQ(data("excludedBundleIDs"), R"(["Firefox","firefox","org.gnome.gedit"])");

    const auto writes = defaults.writes.size();
    exceptions.addCurrentApp(); // already there
    workspace.lastOther = RunningApplication{"", 4, 4};
    exceptions.addCurrentApp(); // nothing names it
    workspace.lastOther = RunningApplication{"io.tiklo.Tiklo", 5, 5};
    exceptions.addCurrentApp(); // never Tiklo itself
    EXPECT_FALSE(exceptions.add("org.gnome.gedit "));
    EXPECT_FALSE(exceptions.add(" \n\t"));
    EXPECT_EQ(defaults.writes.size(), writes);

    // Every copy goes, from a list written by hand with duplicates too.
    state.setExcludedAppIDs({"a", "b", "a"});
    exceptions.remove("a");
    EXPECT_EQ(state.excludedAppIDs(), Strings{"b"});
}

} // namespace
} // namespace tiklo
