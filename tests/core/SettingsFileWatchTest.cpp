// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsFileWatch.h"

#include "catalog/FileReading.h"
#include "core/SettingsFile.h"
#include "core/UsageLearning.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

EmojiItem item(const std::string& emoji, const std::string& id) {
    return {emoji, {}, id, EmojiCategory::objects, {}, false};
}

UsageLearning::Recents numbered(std::size_t count) {
    UsageLearning::Recents recents;
    for (std::size_t i = 0; i < count; ++i) {
        recents.push_back("id" + std::to_string(i));
    }
    return recents;
}

// The recents keep 36 entries: a use at 35 grows them to 36, a use at 36 cuts the oldest,
// and a use of one already there moves it without cutting anything.
TEST(UsageLearning, RecentsKeepTheirLimitAtEachBoundaryAndCountsStopAtTheLargest) {
    ASSERT_EQ(UsageLearning::recentsLimit, 36u);
    for (const std::size_t before : {std::size_t{0}, std::size_t{35}, std::size_t{36}}) {
        SCOPED_TRACE(before);
        const auto steps = UsageLearning::recentsSteps(numbered(before), "new");
        EXPECT_EQ(steps.without, numbered(before));
        UsageLearning::Recents expected = numbered(before);
        expected.insert(expected.begin(), "new");
        EXPECT_EQ(steps.withFront, expected);
        EXPECT_EQ(steps.cut.has_value(), before + 1 > 36);
        // The oldest goes.
        expected.resize(std::min<std::size_t>(before + 1, 36));
        EXPECT_EQ(steps.result(), expected);
    }
    // Every copy of the item goes before it takes the front, wherever it stood.
    UsageLearning::Recents full = numbered(36);
    full[10] = "id0";
    const auto again = UsageLearning::recentsSteps(full, "id0");
    EXPECT_FALSE(again.cut.has_value());
    UsageLearning::Recents expected = numbered(36);
    expected.erase(expected.begin() + 10);
    EXPECT_EQ(again.result(), expected);

    // Counts grow by one up to the largest count and stay there; the time is the use's own.
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(UsageLearning::counted({}, 5.5), (EmojiUsage{1, 5.5}));
    EXPECT_EQ(UsageLearning::counted({largest - 1, 1}, 2), (EmojiUsage{largest, 2}));
    EXPECT_EQ(UsageLearning::counted({largest, 1}, 3), (EmojiUsage{largest, 3}));

    // Both at once, keyed as the Qt program keys them: recents by id, usage by emoji.
    UsageLearning::Recents recents{"heart", "fire"};
    UsageLearning::Usage usage{{"🔥", {4, 1}}, {"❤️", {1, 1}}};
    UsageLearning::recordUse(recents, usage, item("🔥", "fire"), 700);
    EXPECT_EQ(recents, (UsageLearning::Recents{"fire", "heart"}));
    EXPECT_EQ(usage, (UsageLearning::Usage{{"🔥", {5, 700}}, {"❤️", {1, 1}}}));
}

std::string readAll(const std::filesystem::path& path) {
    return readWholeFile(path.string()).value_or("");
}

// Each way another program changes the file is seen at the next look: a first file, a
// replacement by rename, an edit in place of the same size, a removal. Every key looks, so an
// unchanged file is not read again. (What the session makes of each setting is its own test.)
TEST(SettingsFileWatchTest, ChangesAreSeenAtTheNextLookAndAUseKeepsEverythingElseOrFailsAndWarns) {
    const test::TempDir dir;
    const std::filesystem::path path = dir.path() / "tiklo" / "defaults.plist";
    std::vector<std::string> warnings;
    const auto warn = [&warnings](const std::string& m) { warnings.push_back(m); };
    SettingsFileWatch watch{path, warn};
    EXPECT_TRUE(watch.current().masterEnabled);
    SettingsFile(path, {}).write({{"masterEnabled", false}, {"triggerPrefix", std::string("/")}});
    EXPECT_FALSE(watch.current().masterEnabled);
    const int reads = watch.reads();
    EXPECT_EQ(watch.current().triggerPrefix, "/");
    EXPECT_EQ(watch.reads(), reads);

    SettingsFile(path, {}).setBool("masterEnabled", true);
    EXPECT_TRUE(watch.current().masterEnabled);

    // The same number of bytes, written over in place at once.
    std::string after = readAll(path);
    const std::size_t slash = after.find("<string>/</string>");
    ASSERT_NE(slash, std::string::npos);
    after.replace(slash, 18, "<string>:</string>");
    {
        std::ofstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.write(after.data(), static_cast<std::streamsize>(after.size()));
    }
    EXPECT_EQ(watch.current().triggerPrefix, ":");

    std::filesystem::remove(path);
    EXPECT_EQ(watch.current().triggerPrefix, ";");

    // A use is learnt on top of what the file holds at that moment, and everything else in it
    // (other settings, values of types Tiklo never writes) stays as it was. Recents with an entry
    // that cannot be read lose it on the rewrite, so the file as it was is kept beside it first,
    // once: the next rewrite starts from a clean file.
    // The hotkey's data is {"keyCode":14,"modifiers":6144}, the recents' ["heart"].
    dir.write("tiklo/defaults.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
<key>hotkey</key><data>eyJrZXlDb2RlIjoxNCwibW9kaWZpZXJzIjo2MTQ0fQ==</data>
<key>someCount</key><integer>7</integer>
<key>recents</key><data>WyJoZWFydCJd</data>
</dict></plist>
)");
    watch.current();
    // Another program learns meanwhile, and leaves an entry no one can read; the watch has not
    // looked since.
    SettingsFile(path, {}).write({{"recents", DefaultsStore::Data{R"(["heart","tada",7])"}},
                                  {"triggerPrefix", std::string("!")}});
    const std::string unreadable = readAll(path);

    ASSERT_TRUE(watch.recordUse(item("🔥", "fire"), 1234.5));
    ASSERT_TRUE(watch.recordUse(item("🔥", "fire"), 1300));

    const SettingsFile reread(path, {});
    EXPECT_EQ(reread.dataValue("recents"), R"(["fire","heart","tada"])");
    EXPECT_EQ(nlohmann::json::parse(*reread.dataValue("emojiUsage")),
              nlohmann::json::parse(R"({"🔥":{"count":2,"lastUsedAt":1300.0}})"));
    EXPECT_EQ(reread.stringValue("triggerPrefix"), "!");
    EXPECT_EQ(reread.dataValue("hotkey"), R"({"keyCode":14,"modifiers":6144})");
    EXPECT_NE(readAll(path).find("<key>someCount</key>"), std::string::npos);
    EXPECT_NE(readAll(path).find("<integer>7</integer>"), std::string::npos);
    // And the next look sees what was written.
    EXPECT_EQ(watch.current().recents, (SettingCodecs::Strings{"fire", "heart", "tada"}));
    EXPECT_TRUE(warnings.empty());
    std::vector<std::string> copies;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
        if (entry.path().filename().string().starts_with("defaults.plist.corrupt-")) {
            copies.push_back(readAll(entry.path()));
        }
    }
    EXPECT_EQ(copies, std::vector<std::string>{unreadable});

    // A file that cannot be written (its folder is a plain file here, which stops root too)
    // fails the use and says so through the sink, naming no emoji.
    const std::filesystem::path blocked = dir.write("blocker", "x");
    SettingsFileWatch unwritable(std::filesystem::path(blocked) / "defaults.plist", warn);
    EXPECT_FALSE(unwritable.recordUse(item("🔥", "fire"), 1));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("could not be written"), std::string::npos);
    EXPECT_EQ(warnings[0].find("🔥"), std::string::npos);
    EXPECT_EQ(warnings[0].find("fire"), std::string::npos);
    EXPECT_TRUE(unwritable.current().recents.empty());
}

} // namespace
} // namespace tiklo
