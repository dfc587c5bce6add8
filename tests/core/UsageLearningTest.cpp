// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UsageLearning.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tiklo {
namespace {

EmojiItem item(const std::string& emoji, const std::string& id) {
    EmojiItem made;
    made.emoji = emoji;
    made.shortcode = id;
    return made;
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
TEST(UsageLearning, RecentsMoveToTheFrontAndKeepTheirLimitAtEachBoundary) {
    ASSERT_EQ(UsageLearning::recentsLimit, 36u);
    for (const std::size_t before : {std::size_t{0}, std::size_t{35}, std::size_t{36}}) {
        SCOPED_TRACE(before);
        const auto steps = UsageLearning::recentsSteps(numbered(before), "new");
        EXPECT_EQ(steps.without, numbered(before));
        ASSERT_EQ(steps.withFront.size(), before + 1);
        EXPECT_EQ(steps.withFront.front(), "new");
        EXPECT_EQ(steps.cut.has_value(), before + 1 > 36);
        EXPECT_EQ(steps.result().size(), std::min<std::size_t>(before + 1, 36));
        EXPECT_EQ(steps.result().front(), "new");
        if (before == 36) {
            // The oldest goes: "id35" was last.
            EXPECT_EQ(steps.result().back(), "id34");
        }
    }
    // Every copy of the item goes before it takes the front, wherever it stood.
    UsageLearning::Recents full = numbered(36);
    full[10] = "id0";
    const auto again = UsageLearning::recentsSteps(full, "id0");
    EXPECT_FALSE(again.cut.has_value());
    ASSERT_EQ(again.result().size(), 35u);
    EXPECT_EQ(again.result()[0], "id0");
    EXPECT_EQ(std::count(again.result().begin(), again.result().end(), "id0"), 1);
    EXPECT_EQ(again.result()[1], "id1");
}

// Counts grow by one up to the largest count and stay there; the time is the use's own.
TEST(UsageLearning, UseCountsGrowAndStopAtTheLargestCount) {
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(UsageLearning::counted({}, 5.5), (EmojiUsage{1, 5.5}));
    EXPECT_EQ(UsageLearning::counted({largest - 1, 1}, 2), (EmojiUsage{largest, 2}));
    EXPECT_EQ(UsageLearning::counted({largest, 1}, 3), (EmojiUsage{largest, 3}));

    // Both at once, keyed as the Qt program keys them: recents by id, usage by emoji.
    UsageLearning::Recents recents{"heart", "fire"};
    UsageLearning::Usage usage{{"🔥", {4, 1}}, {"❤️", {1, 1}}};
    UsageLearning::recordUse(recents, usage, item("🔥", "fire"), 700);
    EXPECT_EQ(recents, (UsageLearning::Recents{"fire", "heart"}));
    EXPECT_EQ(usage.at("🔥"), (EmojiUsage{5, 700}));
    EXPECT_EQ(usage.at("❤️"), (EmojiUsage{1, 1}));
    EXPECT_EQ(usage.size(), 2u);
}

} // namespace
} // namespace tiklo
