// The settings store over the real defaults file, read back by an independent parse.
#include "AppState.h"
#include "FakePlatform.h"
#include "PropertyListDefaultsFile.h"
#include "TempDir.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <plist/plist.h>

namespace tiklo {
namespace {

class StoredFile {
public:
    explicit StoredFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string text = bytes.str();
        plist_from_xml(text.data(), static_cast<uint32_t>(text.size()), &root_);
    }
    ~StoredFile() { plist_free(root_); }
    StoredFile(const StoredFile&) = delete;
    StoredFile& operator=(const StoredFile&) = delete;

    plist_type type(const char* key) const {
        plist_t node = root_ ? plist_dict_get_item(root_, key) : nullptr;
        return node ? plist_get_node_type(node) : PLIST_NONE;
    }
    bool boolean(const char* key) const {
        uint8_t value = 0;
        plist_get_bool_val(plist_dict_get_item(root_, key), &value);
        return value != 0;
    }
    std::string string(const char* key) const {
        char* value = nullptr;
        plist_get_string_val(plist_dict_get_item(root_, key), &value);
        std::string result = value ? value : "";
        free(value);
        return result;
    }
    std::string data(const char* key) const {
        char* value = nullptr;
        uint64_t length = 0;
        plist_get_data_val(plist_dict_get_item(root_, key), &value, &length);
        std::string result(value ? value : "", length);
        free(value);
        return result;
    }

private:
    plist_t root_ = nullptr;
};

TEST(AppStateFileTest, EveryAssignmentIsStoredInItsExactForm) {
    test::TempDir dir;
    const std::string path = dir.file("tiklo/defaults.plist");
    test::FakeHotkeyService hotkeyService;
    HotkeyManager hotkeys(hotkeyService);
    test::FakeLoginItemService loginService;
    LoginItem loginItem(loginService);
    test::FakeWorkspace workspace;
    test::FakeAccessibilityTrust trust;
    {
        PropertyListDefaultsFile defaults(path);
        AppState state({defaults, hotkeys, loginItem, workspace, trust, [] { return 5.5; }});
        state.setMasterEnabled(false);
        state.setPickerMode(PickerMode::list);
        state.setDefaultSkinTone(SkinTone::mediumLight);
        state.setTriggerPrefix("::");
        state.setInsertSpaceAfterTrigger(true);
        state.setHotkey(Hotkey{49, 0x1100});
        state.recordUse({"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false});
        state.setExcludedBundleIDs({"org.gnome.gedit"});
        state.setLaunchAtLogin(true);
        state.setDidCompleteOnboarding(true);
    }
    const StoredFile stored(path);
    EXPECT_EQ(stored.type("masterEnabled"), PLIST_BOOLEAN);
    EXPECT_FALSE(stored.boolean("masterEnabled"));
    EXPECT_EQ(stored.type("insertSpaceAfterTrigger"), PLIST_BOOLEAN);
    EXPECT_TRUE(stored.boolean("didCompleteOnboarding"));
    EXPECT_EQ(stored.type("triggerPrefix"), PLIST_STRING);
    EXPECT_EQ(stored.string("triggerPrefix"), ":");
    EXPECT_EQ(stored.type("pickerMode"), PLIST_DATA);
    EXPECT_EQ(stored.data("pickerMode"), R"("list")");
    EXPECT_EQ(stored.data("defaultSkinTone"), R"("mediumLight")");
    EXPECT_EQ(stored.data("hotkey"), R"({"keyCode":49,"modifiers":4352})");
    EXPECT_EQ(stored.data("recents"), R"(["fire"])");
    EXPECT_EQ(stored.data("emojiUsage"), "{\"\U0001F525\":{\"count\":1,\"lastUsedAt\":5.5}}");
    EXPECT_EQ(stored.data("excludedBundleIDs"), R"(["org.gnome.gedit"])");
    // Live states are never stored.
    EXPECT_EQ(stored.type("launchAtLogin"), PLIST_NONE);
    EXPECT_EQ(stored.type("accessibilityGranted"), PLIST_NONE);

    // The next launch reads it all back.
    PropertyListDefaultsFile again(path);
    AppState reloaded({again, hotkeys, loginItem, workspace, trust});
    EXPECT_FALSE(reloaded.masterEnabled());
    EXPECT_EQ(reloaded.triggerPrefix(), ":");
    EXPECT_EQ(reloaded.hotkey(), (Hotkey{49, 0x1100}));
    EXPECT_EQ(reloaded.emojiUsage().at("\U0001F525"), (EmojiUsage{1, 5.5}));
    EXPECT_EQ(reloaded.defaultSkinTone(), SkinTone::mediumLight);
}

} // namespace
} // namespace tiklo
