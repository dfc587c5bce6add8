// The settings store over the real defaults file, read back by an independent parse.
#include "app/AppState.h"
#include "app/LoginItemSync.h"
#include "app/UsageHistory.h"
#include "platform/linux/PropertyListDefaultsFile.h"
#include "support/FakePlatform.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <plist/plist.h>

namespace tiklo {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The store's collaborators other than the settings file.
struct Services {
    test::FakeLoginItemService loginService;
    LoginItem loginItem{loginService};
    test::FakeAccessibilityTrust trust;
};

// Uses at a fixed time.
UsageHistory historyOf(AppState& state, double now = 7.0) {
    return UsageHistory(state, [now] { return now; });
}

// Kills the test binary instead of letting a blocking open hang it.
class TimeLimit {
public:
    explicit TimeLimit(unsigned seconds) { ::alarm(seconds); }
    ~TimeLimit() { ::alarm(0); }
    TimeLimit(const TimeLimit&) = delete;
    TimeLimit& operator=(const TimeLimit&) = delete;
};

const EmojiItem fire{"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false};

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
    test::FakeLoginItemService loginService;
    LoginItem loginItem(loginService);
    test::FakeAccessibilityTrust trust;
    {
        PropertyListDefaultsFile defaults(path);
        AppState state(defaults, trust, loginItem);
        LoginItemSync sync(state, loginItem);
        state.setMasterEnabled(false);
        state.setPickerMode(view::PickerMode::List);
        state.setDefaultSkinTone(view::SkinTone::MediumLight);
        state.setTriggerPrefix("::");
        state.setInsertSpaceAfterTrigger(true);
        state.setHotkey(Hotkey{{keysym::space, Modifier::ctrl | Modifier::super}});
        historyOf(state, 5.5)
            .recordUse({"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false});
        state.setExcludedAppIDs({"org.gnome.gedit"});
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
    AppState reloaded(again, trust, loginItem);
    EXPECT_FALSE(reloaded.masterEnabled());
    EXPECT_EQ(reloaded.triggerPrefix(), ":");
    EXPECT_EQ(reloaded.hotkey(), (Hotkey{{keysym::space, Modifier::ctrl | Modifier::super}}));
    EXPECT_EQ(reloaded.emojiUsage().at("\U0001F525"), (EmojiUsage{1, 5.5}));
    EXPECT_EQ(reloaded.defaultSkinTone(), view::SkinTone::MediumLight);
}

TEST(AppStateFileTest, PartlyBadListsKeepTheirGoodEntriesAndTheFileIsCopiedAside) {
    const test::TempDir dir;
    const fs::path path = dir.file("defaults.plist");
    plist_t root = plist_new_dict();
    const auto putData = [&](const char* key, const std::string& json) {
        plist_dict_set_item(root, key, plist_new_data(json.data(), json.size()));
    };
    putData("emojiUsage", R"({"a":{"count":1,"lastUsedAt":1},"b":{"count":2,"lastUsedAt":2},)"
                          R"("c":{"count":3,"lastUsedAt":3},"d":{"count":4,"lastUsedAt":4},)"
                          R"("e":{"count":5,"lastUsedAt":5},"f":{"count":1.5,"lastUsedAt":6}})");
    putData("recents", R"(["grinning","joy",5])");
    plist_dict_set_item(root, "masterEnabled", plist_new_bool(0));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    const std::string original(xml, length);
    plist_to_xml_free(xml);
    plist_free(root);
    dir.write("defaults.plist", original);

    Services services;
    {
        PropertyListDefaultsFile defaults(path);
        AppState state(defaults, services.trust, services.loginItem);
        EXPECT_EQ(state.recents(), (std::vector<std::string>{"grinning", "joy"}));
        EXPECT_EQ(state.emojiUsage().size(), 5u);
        EXPECT_EQ(state.emojiUsage().count("f"), 0u);
        // Loading alone writes nothing.
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"defaults.plist"});

        UsageHistory history = historyOf(state);
        history.recordUse(fire);
        history.recordUse(fire);
        EXPECT_TRUE(defaults.write({}).ok()); // the file can be written
    }
    // The file as it was, once, beside the new one.
    const std::vector<std::string> names = namesIn(dir.path());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(names[1].starts_with("defaults.plist.corrupt-")) << names[1];
    EXPECT_EQ(readFile(dir.path() / names[1]), original);

    const StoredFile stored(path.string());
    EXPECT_EQ(stored.data("recents"), R"(["fire","grinning","joy"])");
    EXPECT_FALSE(stored.boolean("masterEnabled"));
    PropertyListDefaultsFile again(path);
    AppState reloaded(again, services.trust, services.loginItem);
    EXPECT_EQ(reloaded.emojiUsage().size(), 6u);
    EXPECT_EQ(reloaded.emojiUsage().at("e"), (EmojiUsage{5, 5}));
    EXPECT_EQ(reloaded.emojiUsage().at("\U0001F525"), (EmojiUsage{2, 7}));

    // A clean file makes no copy.
    historyOf(reloaded).recordUse(fire);
    EXPECT_EQ(namesIn(dir.path()).size(), 2u);
}

TEST(AppStateFileTest, SettingsPathThatCannotBeAFileIsReportedOnceAndLeftAlone) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
    };
    const std::vector<Case> cases = {
        {"folder", [](const fs::path& path) { fs::create_directory(path); }},
        {"FIFO", [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"symbolic link to nothing",
         [](const fs::path& path) { fs::create_symlink(path.parent_path() / "gone", path); }},
        {"loop of symbolic links", [](const fs::path& path) { fs::create_symlink(path, path); }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        const test::TempDir dir;
        const fs::path path = dir.path() / "defaults.plist";
        each.make(path);
        const fs::file_status before = fs::symlink_status(path);
        Services services;
        services.trust.trusted = true;
        test::LogCapture log;
        {
            const TimeLimit limit(20);
            PropertyListDefaultsFile defaults(path);
            AppState state(defaults, services.trust, services.loginItem);
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
        EXPECT_TRUE(log.lines[0].contains(QString::fromStdString(path.string())))
            << log.lines[0].toStdString();
        EXPECT_TRUE(log.lines[0].contains(QString::fromLatin1(each.name)));
        // Untouched, and nothing written beside it.
        EXPECT_EQ(fs::symlink_status(path).type(), before.type());
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"defaults.plist"});
        if (fs::is_directory(fs::symlink_status(path))) {
            EXPECT_TRUE(fs::is_empty(path));
        }
    }
}

} // namespace
} // namespace tiklo
