// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsTable.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Value = DefaultsStore::Value;

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
    EXPECT_EQ(loadData(T::defaultSkinTone, "light").value, SkinTone::standard);

    // An empty prefix stays empty; only the first character (a whole grapheme) of a longer one
    // is stored, and ";" for none.
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
