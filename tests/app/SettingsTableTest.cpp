#include "core/SettingsTable.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Value = DefaultsStore::Value;
using Data = DefaultsStore::Data;
using Strings = std::vector<std::string>;

// One setting against its row of the table: absent it loads as `fallback`; `sample` is stored
// as `stored` and loads back; a value of another type loads as the fallback, reported as
// discarded and left stored.
template <typename Setting>
void expectRow(const Setting& setting, const char* key, const typename Setting::Value& fallback,
               const typename Setting::Value& sample, const Value& stored, const Value& otherType) {
    SCOPED_TRACE(key);
    EXPECT_STREQ(setting.key, key);
    test::FakeDefaultsStore store;
    EXPECT_EQ(setting.load(store).value, fallback);
    EXPECT_EQ(setting.load(store).discarded, Discarded::nothing);

    const auto entry = setting.entry(sample);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->first, key);
    EXPECT_EQ(entry->second, stored);
    store.values[key] = stored;
    EXPECT_EQ(setting.load(store).value, sample);
    EXPECT_EQ(setting.load(store).discarded, Discarded::nothing);

    store.values[key] = otherType;
    EXPECT_EQ(setting.load(store).value, fallback);
    EXPECT_EQ(setting.load(store).discarded, Discarded::value);
    EXPECT_EQ(store.values.at(key), otherType);
}

TEST(SettingsTableTest, EveryKeyHasItsDefaultStoredFormAndFallsBackFromAnotherType) {
    using T = SettingsTable;
    const Value text = std::string("text");
    expectRow(T::masterEnabled, "masterEnabled", true, false, Value(false), text);
    expectRow(T::pickerMode, "pickerMode", PickerMode::grid, PickerMode::list, Data{R"("list")"},
              Value(true));
    expectRow(T::defaultSkinTone, "defaultSkinTone", SkinTone::standard, SkinTone::mediumDark,
              Data{R"("mediumDark")"}, Value(std::string("mediumDark")));
    expectRow(T::triggerPrefix, "triggerPrefix", std::string(";"), std::string(":"),
              Value(std::string(":")), Value(Data{";"}));
    expectRow(T::insertSpaceAfterTrigger, "insertSpaceAfterTrigger", false, true, Value(true),
              text);
    expectRow(T::hotkey, "hotkey", Hotkey{},
              Hotkey{{keysym::space, Modifier::ctrl | Modifier::super}},
              Data{R"({"keyCode":49,"modifiers":4352})"}, Value(true));
    expectRow(T::favorites, "favorites", SettingCodecs::StringSet{},
              SettingCodecs::StringSet{"heart"}, Data{R"(["heart"])"}, text);
    expectRow(T::recents, "recents", Strings{}, Strings{"fire", "heart"},
              Data{R"(["fire","heart"])"}, text);
    expectRow(T::emojiUsage, "emojiUsage", SettingCodecs::Usage{},
              SettingCodecs::Usage{{"\U0001F525", {3, 786000000.25}}},
              Data{"{\"\U0001F525\":{\"count\":3,\"lastUsedAt\":786000000.25}}"}, Value(false));
    expectRow(T::emojiSkinTones, "emojiSkinTones", SettingCodecs::SkinTones{},
              SettingCodecs::SkinTones{{"\U0001F44D", SkinTone::mediumDark}},
              Data{"{\"\U0001F44D\":\"mediumDark\"}"}, text);
    expectRow(T::excludedAppIDs, "excludedBundleIDs", Strings{}, Strings{"org.gnome.gedit"},
              Data{R"(["org.gnome.gedit"])"}, text);
    expectRow(T::didCompleteOnboarding, "didCompleteOnboarding", false, true, Value(true), text);
}

TEST(SettingsTableTest, StoredFormsThatDoNotDecodeFallBackAndTonesLoseOnlyBadEntries) {
    using T = SettingsTable;
    test::FakeDefaultsStore store;
    const auto loadData = [&](const auto& setting, const std::string& json) {
        store.putData(setting.key, json);
        return setting.load(store);
    };
    // Names are matched exactly; JSON that is no string is no name. (The hotkey's forms are
    // the codec test's; the other collections' bad entries the store test's.)
    EXPECT_EQ(loadData(T::pickerMode, R"("tiles")").value, PickerMode::grid);
    EXPECT_EQ(loadData(T::pickerMode, R"("List")").discarded, Discarded::value);
    EXPECT_EQ(loadData(T::defaultSkinTone, R"("MediumDark")").value, SkinTone::standard);
    EXPECT_EQ(loadData(T::defaultSkinTone, "light").value, SkinTone::standard);

    // A lone backslash is the old form of ";"; an empty prefix stays empty; only the first
    // character of a longer one is stored, and ";" for none.
    store.values["triggerPrefix"] = std::string("\\");
    EXPECT_EQ(T::triggerPrefix.load(store).value, ";");
    store.values["triggerPrefix"] = std::string("");
    EXPECT_EQ(T::triggerPrefix.load(store).value, "");
    EXPECT_EQ(T::triggerPrefix.entry("\U0001F44D\U0001F3FDx")->second,
              Value(std::string("\U0001F44D\U0001F3FD")));
    EXPECT_EQ(T::triggerPrefix.entry("")->second, Value(std::string(";")));

    // A tone is one of the six names, exactly.
    const auto tones =
        loadData(T::emojiSkinTones, R"({"a":"light","b":"Light","c":3,"d":"standard"})");
    EXPECT_EQ(tones.value,
              (SettingCodecs::SkinTones{{"a", SkinTone::light}, {"d", SkinTone::standard}}));
    EXPECT_EQ(tones.discarded, Discarded::entries);
    EXPECT_EQ(loadData(T::emojiSkinTones, R"(["light"])").value, SettingCodecs::SkinTones{});
    EXPECT_EQ(loadData(T::favorites, R"(["a","a"])").discarded, Discarded::nothing);
}

} // namespace
} // namespace tiklo
