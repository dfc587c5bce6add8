// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store over the real defaults file.
#include "app/UsageHistory.h"
#include "core/SettingsFileWatch.h"
#include "platform/linux/PropertyListDefaultsFile.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// Every assignment comes back at the next launch. The input-method addon learns from its uses
// in the same file while the program runs: every write keeps that, and the next use starts
// from it.
TEST(AppStateFileTest, EveryAssignmentComesBackAndWhatAnotherProgramLearntIsKept) {
    const test::TempDir dir;
    const std::string path = dir.file("tiklo/defaults.plist");
    test::FakeLoginItemService loginService;
    const LoginItem loginItem{loginService};
    test::FakeAccessibilityTrust trust;
    const EmojiItem fire{"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false};
    const Hotkey hotkey{{keysym::space, Modifier::ctrl | Modifier::super}};
    {
        PropertyListDefaultsFile defaults(path);
        AppState state(defaults, trust, loginItem);
        state.setMasterEnabled(false);
        state.setPickerMode(view::PickerMode::List);
        state.setDefaultSkinTone(view::SkinTone::MediumLight);
        state.setTriggerPrefix("::");
        state.setInsertSpaceAfterTrigger(true);
        state.setHotkey(hotkey);
        state.setFavorites({"heart"});
        state.setEmojiSkinTones({{fire.emoji, SkinTone::dark}});
        UsageHistory(state, [] { return 5.5; }).recordUse(fire);
        state.setExcludedAppIDs({"org.gnome.gedit"});
        state.setDidCompleteOnboarding(true);
    }
    PropertyListDefaultsFile defaults(path);
    AppState state(defaults, trust, loginItem);
    EXPECT_EQ(
        std::tuple(state.masterEnabled(), state.pickerMode(), state.defaultSkinTone(),
                   state.triggerPrefix(), state.insertSpaceAfterTrigger(), state.hotkey()),
        std::tuple(false, view::PickerMode::List, view::SkinTone::MediumLight, ":", true, hotkey));
    EXPECT_EQ(state.favorites(), AppState::Favorites{"heart"});
    EXPECT_EQ(state.emojiSkinTones(), (AppState::SkinTones{{fire.emoji, SkinTone::dark}}));
    EXPECT_EQ(state.recents(), std::vector<std::string>{"fire"});
    EXPECT_EQ(state.emojiUsage().at(fire.emoji), (EmojiUsage{1, 5.5}));
    EXPECT_EQ(state.excludedAppIDs(), std::vector<std::string>{"org.gnome.gedit"});
    EXPECT_TRUE(state.didCompleteOnboarding());

    int recentsChanges = 0;
    QObject::connect(&state, &AppState::recentsChanged, [&] { ++recentsChanges; });
    const EmojiItem heart{"\u2764\uFE0F", "red heart", "heart", EmojiCategory::smileys, {}, false};
    SettingsFileWatch addon(path, {});
    ASSERT_TRUE(addon.recordUse(heart, 6.0));

    // A setting of the program's own: the addon's learning stays in the file.
    state.setPickerMode(view::PickerMode::Grid);
    EXPECT_EQ(SettingsTable::recents.load(PropertyListDefaultsFile(path)).value,
              (std::vector<std::string>{"heart", "fire"}));

    // The program's next use starts from it, and the views hear of it.
    UsageHistory(state, [] { return 7.0; }).recordUse(fire);
    EXPECT_EQ(state.recents(), (std::vector<std::string>{"fire", "heart"}));
    EXPECT_EQ(state.emojiUsage().at(heart.emoji), (EmojiUsage{1, 6.0}));
    EXPECT_EQ(state.emojiUsage().at(fire.emoji), (EmojiUsage{2, 7.0}));
    EXPECT_EQ(recentsChanges, 3); // read again, then without it and with it in front
    PropertyListDefaultsFile again(path);
    EXPECT_EQ(AppState(again, trust, loginItem).recents(), state.recents());

    // Unchanged on disk: nothing is read or announced.
    state.refreshFromStore();
    EXPECT_EQ(recentsChanges, 3);
    EXPECT_FALSE(defaults.reloadIfChanged());
}

} // namespace
} // namespace tiklo
