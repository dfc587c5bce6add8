// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme/EmojiFontCoverage.h"
#include "catalog/EmojiCatalog.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <set>
#include <unordered_set>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

std::set<std::string> leftOut(const EmojiCatalog& whole, const EmojiCatalog& drawn) {
    std::set<std::string> ids;
    for (const EmojiItem& item : whole.all()) {
        if (drawn.item(item.id()) == nullptr) {
            ids.insert(item.id());
        }
    }
    return ids;
}

// Unicode lists "🖐🏽" where a tone goes before the selector of "🖐️"; both draw alike.
std::string withoutSelectors(std::string emoji) {
    const std::string selector = "\uFE0F";
    for (std::size_t at = emoji.find(selector); at != std::string::npos;
         at = emoji.find(selector)) {
        emoji.erase(at, selector.size());
    }
    return emoji;
}

EmojiCatalog drawnWith(EmojiFontCoverage& coverage) {
    CatalogSources sources = CatalogSources::systemDefaults("en");
    sources.drawable = [&](std::string_view emoji) { return coverage.drawsAsOneGlyph(emoji); };
    return EmojiCatalog(sources);
}

// The system's emoji font draws every emoji of the system's data, flags, keycaps and joined
// sequences alike: nothing is left out. An emoji keeps its tones where Unicode lists every
// toned form; a tone after the first person of a family or a couple is no
// emoji and would show as loose parts.
TEST(EmojiFontCoverageTest, TheInstalledFontDrawsAllOfTheInstalledData) {
    const CatalogSources sources = CatalogSources::systemDefaults("en");
    const std::optional<std::string> text = readWholeFile(sources.emojiFiles.back().path);
    ASSERT_TRUE(text);
    std::unordered_set<std::string> listed;
    for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(*text)) {
        listed.insert(withoutSelectors(entry.emoji));
    }
    const EmojiCatalog whole(sources);
    EmojiFontCoverage coverage(QStringLiteral("Noto Color Emoji"));
    const EmojiCatalog drawn = drawnWith(coverage);
    EXPECT_EQ(drawn.sourceReport().undrawable, 0u);
    ASSERT_EQ(drawn.all().size(), whole.all().size());
    std::size_t toned = 0;
    for (std::size_t i = 0; i < whole.all().size(); ++i) {
        const EmojiItem& item = whole.all()[i];
        const bool everyToneListed = std::ranges::all_of(allSkinTones, [&](SkinTone tone) {
            return listed.contains(withoutSelectors(item.displayEmoji(tone)));
        });
        // The font also draws toned wrestlers, which Unicode does not list.
        const bool drawnUnlisted = item.emoji.starts_with("\U0001F93C");
        EXPECT_EQ(drawn.all()[i].supportsSkinTone,
                  item.supportsSkinTone && (everyToneListed || drawnUnlisted))
            << item.id();
        toned += drawn.all()[i].supportsSkinTone ? 1 : 0;
    }
    EXPECT_GT(toned, 250u);
    // Letters are no emoji of this font.
    EXPECT_FALSE(coverage.drawsAsOneGlyph("a"));
    EXPECT_FALSE(coverage.drawsAsOneGlyph("\U0001F525\U0001F525"));
}

// An emoji font older than the data: what it lacks, alone or as part of a joined sequence,
// is left out with its tones; the rest stays.
TEST(EmojiFontCoverageTest, AFontLackingSomeEmojiLeavesOutExactlyThose) {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(TIKLO_LACKING_EMOJI_FONT));
    ASSERT_GE(id, 0);
    ASSERT_EQ(QFontDatabase::applicationFontFamilies(id),
              QStringList{QStringLiteral("Tiklo Lacking Emoji")});
    EmojiFontCoverage coverage(QStringLiteral("Tiklo Lacking Emoji"));
    EXPECT_FALSE(coverage.drawsAsOneGlyph("\U0001F355"));
    EXPECT_FALSE(coverage.drawsAsOneGlyph("\U0001F9D1\U0001F3FD\u200D\U0001F692"));
    EXPECT_TRUE(coverage.drawsAsOneGlyph("\U0001F9D1\U0001F3FD\u200D\U0001F3A4"));
    EXPECT_TRUE(coverage.drawsAsOneGlyph("\U0001F3F3\uFE0F\u200D\U0001F308"));
    EXPECT_TRUE(coverage.drawsAsOneGlyph("\u2764\uFE0F"));

    const EmojiCatalog whole(CatalogSources::systemDefaults("en"));
    const EmojiCatalog drawn = drawnWith(coverage);
    const std::set<std::string> expected{"pizza", "fire_engine", "firefighter", "man_firefighter",
                                         "woman_firefighter"};
    EXPECT_EQ(leftOut(whole, drawn), expected);
    EXPECT_EQ(drawn.sourceReport().undrawable, expected.size());
    const EmojiItem* singer = drawn.item("singer");
    ASSERT_NE(singer, nullptr);
    EXPECT_TRUE(singer->supportsSkinTone);
    QFontDatabase::removeApplicationFont(id);
}

// Without the family there is nothing to judge by, and the views may still draw with
// fallback fonts: everything passes.
TEST(EmojiFontCoverageTest, AMissingFamilyLeavesNothingOut) {
    EmojiFontCoverage coverage(QStringLiteral("No Such Emoji Family"));
    EXPECT_TRUE(coverage.drawsAsOneGlyph("\U0001F355"));
    EXPECT_TRUE(coverage.drawsAsOneGlyph("a"));
}

} // namespace
} // namespace tiklo
