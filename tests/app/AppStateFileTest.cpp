// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store over the real defaults file.
#include "app/LoginItemSync.h"
#include "app/UsageHistory.h"
#include "core/SettingsFileWatch.h"
#include "platform/linux/PropertyListDefaultsFile.h"
#include "support/FakePlatform.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tiklo {
namespace {

namespace fs = std::filesystem;

// A settings file in a fresh folder, and the store's other collaborators.
class AppStateFileTest : public ::testing::Test {
protected:
    const test::TempDir dir;
    const fs::path path = dir.file("tiklo/defaults.plist");
    test::FakeLoginItemService loginService;
    LoginItem loginItem{loginService};
    test::FakeAccessibilityTrust trust;
};

// Uses at a fixed time.
UsageHistory historyOf(AppState& state, double now = 7.0) {
    return UsageHistory(state, [now] { return now; });
}

const EmojiItem fire{"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false};

TEST_F(AppStateFileTest, EveryAssignmentComesBackAtTheNextLaunch) {
    const Hotkey hotkey{{keysym::space, Modifier::ctrl | Modifier::super}};
    {
        PropertyListDefaultsFile defaults(path);
        AppState state(defaults, trust, loginItem);
        LoginItemSync sync(state, loginItem);
        state.setMasterEnabled(false);
        state.setPickerMode(view::PickerMode::List);
        state.setDefaultSkinTone(view::SkinTone::MediumLight);
        state.setTriggerPrefix("::");
        state.setInsertSpaceAfterTrigger(true);
        state.setHotkey(hotkey);
        state.setFavorites({"heart"});
        state.setEmojiSkinTones({{fire.emoji, SkinTone::dark}});
        historyOf(state, 5.5).recordUse(fire);
        state.setExcludedAppIDs({"org.gnome.gedit"});
        state.setLaunchAtLogin(true);
        state.setDidCompleteOnboarding(true);
    }
    PropertyListDefaultsFile again(path);
    // Live states are never stored.
    EXPECT_FALSE(again.contains("launchAtLogin"));
    EXPECT_FALSE(again.contains("accessibilityGranted"));
    AppState reloaded(again, trust, loginItem);
    EXPECT_FALSE(reloaded.masterEnabled());
    EXPECT_EQ(reloaded.pickerMode(), view::PickerMode::List);
    EXPECT_EQ(reloaded.defaultSkinTone(), view::SkinTone::MediumLight);
    EXPECT_EQ(reloaded.triggerPrefix(), ":");
    EXPECT_TRUE(reloaded.insertSpaceAfterTrigger());
    EXPECT_EQ(reloaded.hotkey(), hotkey);
    EXPECT_EQ(reloaded.favorites(), AppState::Favorites{"heart"});
    EXPECT_EQ(reloaded.emojiSkinTones(), (AppState::SkinTones{{fire.emoji, SkinTone::dark}}));
    EXPECT_EQ(reloaded.recents(), std::vector<std::string>{"fire"});
    EXPECT_EQ(reloaded.emojiUsage().at(fire.emoji), (EmojiUsage{1, 5.5}));
    EXPECT_EQ(reloaded.excludedAppIDs(), std::vector<std::string>{"org.gnome.gedit"});
    EXPECT_TRUE(reloaded.didCompleteOnboarding());
}

// The input-method addon learns from its uses in the same file while the program runs.
TEST_F(AppStateFileTest, WhatAnotherProgramLearntIsKeptByEveryWriteAndSeenBeforeLearning) {
    PropertyListDefaultsFile defaults(path);
    AppState state(defaults, trust, loginItem);
    historyOf(state, 1.0).recordUse(fire);
    int recentsChanges = 0;
    QObject::connect(&state, &AppState::recentsChanged, [&] { ++recentsChanges; });

    const EmojiItem heart{"\u2764\uFE0F", "red heart", "heart", EmojiCategory::smileys, {}, false};
    SettingsFileWatch addon(path, {});
    ASSERT_TRUE(addon.recordUse(heart, 2.0));

    // A setting of the program's own: the addon's learning stays in the file.
    state.setPickerMode(view::PickerMode::List);
    EXPECT_EQ(SettingsTable::recents.load(PropertyListDefaultsFile(path)).value,
              (std::vector<std::string>{"heart", "fire"}));

    // The program's next use starts from it, and the views hear of it.
    historyOf(state, 3.0).recordUse(fire);
    EXPECT_EQ(state.recents(), (std::vector<std::string>{"fire", "heart"}));
    EXPECT_EQ(state.emojiUsage().at(heart.emoji), (EmojiUsage{1, 2.0}));
    EXPECT_EQ(state.emojiUsage().at(fire.emoji), (EmojiUsage{2, 3.0}));
    EXPECT_EQ(recentsChanges, 3); // read again, then without it and with it in front
    PropertyListDefaultsFile again(path);
    EXPECT_EQ(AppState(again, trust, loginItem).recents(), state.recents());

    // Unchanged on disk: nothing is read or announced.
    state.refreshFromStore();
    EXPECT_EQ(recentsChanges, 3);
    EXPECT_FALSE(defaults.reloadIfChanged());
}

TEST_F(AppStateFileTest, SettingsPathThatCannotBeAFileIsReportedOnceAndLeftAlone) {
    trust.trusted = true;
    const std::pair<const char*, std::function<void(const fs::path&)>> cases[] = {
        {"folder", [](const fs::path& path) { fs::create_directory(path); }},
        // Opening it to read would block: the test's time limit (CMakeLists.txt) fails that.
        {"FIFO", [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"symbolic link to nothing",
         [](const fs::path& path) { fs::create_symlink(path.parent_path() / "gone", path); }},
        {"loop of symbolic links", [](const fs::path& path) { fs::create_symlink(path, path); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        const test::TempDir temp;
        const fs::path file = temp.path() / "defaults.plist";
        make(file);
        const fs::file_status before = fs::symlink_status(file);
        test::LogCapture log;
        {
            PropertyListDefaultsFile defaults(file);
            AppState state(defaults, trust, loginItem);
            EXPECT_TRUE(state.masterEnabled());
            EXPECT_TRUE(state.recents().empty());
            state.setMasterEnabled(false);
            historyOf(state).recordUse(fire);
            EXPECT_FALSE(defaults.write({}).ok()); // and is not written, nor logged again
            // Tiklo goes on with what it was given.
            EXPECT_FALSE(state.masterEnabled());
            EXPECT_EQ(state.recents(), std::vector<std::string>{"fire"});
        }
        ASSERT_EQ(log.lines.size(), 1);
        EXPECT_TRUE(log.lines[0].startsWith("tiklo.settings: "));
        EXPECT_TRUE(log.lines[0].contains(QString::fromStdString(file.string())))
            << log.lines[0].toStdString();
        EXPECT_TRUE(log.lines[0].contains(QString::fromLatin1(name)));
        // Untouched, and nothing written beside it.
        EXPECT_EQ(fs::symlink_status(file).type(), before.type());
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
        if (fs::is_directory(fs::symlink_status(file))) {
            EXPECT_TRUE(fs::is_empty(file));
        }
    }
}

} // namespace
} // namespace tiklo
