// SPDX-License-Identifier: GPL-3.0-or-later
// The views' theme: symbol images and the emoji font.
#include "catalog/EmojiCatalog.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/SymbolAssembler.h"
#include "ui/theme/EmojiFontCoverage.h"
#include "ui/theme/TextFontCoverage.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QFontDatabase>
#include <QQmlComponent>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// Every symbol the program names is in the icon theme it ships with, also with the colour
// QML appends; a name it lacks gives no picture.
TEST(ThemeIconProviderTest, FindsEverySymbolOfTheProgram) {
    QQmlEngine engine;
    ThemeIconProvider::install(engine);
    ThemeIconProvider provider;
    const auto request = [&](const QString& id) {
        return provider.requestPixmap(id, nullptr, QSize(24, 24)).toImage();
    };
    EXPECT_FALSE(request("system-search-symbolic?color=%2361ff0000").isNull());
    EXPECT_TRUE(request("no-such-icon-anywhere-symbolic").isNull());

    QQmlComponent component(&engine);
    component.setData("import QtQml\nimport Tiklo.Theme\nQtObject { property var icons: "
                      "Symbols.icons }",
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    ASSERT_TRUE(object) << component.errorString().toStdString();
    const QVariantMap icons = object->property("icons").toMap();
    ASSERT_GE(icons.size(), 20);
    for (auto it = icons.cbegin(); it != icons.cend(); ++it) {
        EXPECT_FALSE(request(it.value().toString()).isNull())
            << it.key().toStdString() << " -> " << it.value().toString().toStdString();
    }
}

// Unicode lists "🖐🏽" where a tone goes before the selector of "🖐️"; both draw alike.
std::string withoutSelectors(const std::string& emoji) {
    return QString::fromStdString(emoji).remove(QChar(0xFE0F)).toStdString();
}

// The system's emoji font draws every emoji of the system's data, flags, keycaps and joined
// sequences alike: nothing is left out. An emoji keeps its tones where Unicode lists every
// toned form; a tone after the first person of a family or a couple is no emoji and would
// show as loose parts. An emoji font older than the data leaves out what it lacks, alone or as
// part of a joined sequence, with its tones; the rest stays. A missing font leaves nothing out.
// With the fonts the package recommends, every kaomoji is drawn; what a check refuses is left
// out and counted, and the emoji stay as they are.
TEST(TextFontCoverageTest, TheInstalledFontsDrawEveryKaomojiAndWhatNoFontDrawsIsLeftOut) {
    CatalogSources sources = CatalogSources::systemDefaults("en");
    const EmojiCatalog whole(sources);
    TextFontCoverage installed;
    EXPECT_TRUE(installed.drawsAll("\u00AF\\_(\u30C4)_/\u00AF"));
    EXPECT_TRUE(installed.drawsAll("(\u256F\u00B0\u25A1\u00B0)\u256F\uFE35 \u253B\u2501\u253B"));
    EXPECT_TRUE(installed.drawsAll("\u0CA0_\u0CA0 a\u200Db"));
    EXPECT_FALSE(installed.drawsAll("a\U0010FFFD"));
    sources.textDrawable = [&](std::string_view text) { return installed.drawsAll(text); };
    const EmojiCatalog drawn(sources);
    EXPECT_EQ(drawn.ofKind(ItemKind::kaomoji).all(), whole.ofKind(ItemKind::kaomoji).all());
    EXPECT_EQ(drawn.sourceReport().undrawableText, whole.ofKind(ItemKind::symbol).all().size() -
                                                       drawn.ofKind(ItemKind::symbol).all().size());

    const std::string check = "\u2713";
    sources.textDrawable = [&](std::string_view text) {
        return text.find("\u30C4") == std::string_view::npos && text != check;
    };
    const EmojiCatalog refused(sources);
    const auto withKatakanaTsu =
        std::ranges::count_if(whole.ofKind(ItemKind::kaomoji).all(), [](const EmojiItem& item) {
            return item.emoji.find("\u30C4") != std::string::npos;
        });
    ASSERT_GT(withKatakanaTsu, 1);
    EXPECT_EQ(refused.sourceReport().undrawableText, static_cast<std::size_t>(withKatakanaTsu) + 1);
    EXPECT_EQ(refused.item(SymbolAssembler::idOf(check)), nullptr);
    EXPECT_NE(whole.item(SymbolAssembler::idOf(check)), nullptr);
    EXPECT_EQ(refused.all(), whole.all());
}

TEST(EmojiFontCoverageTest, AFontLeavesOutExactlyTheEmojiItCannotDraw) {
    const CatalogSources sources = CatalogSources::systemDefaults("en");
    const EmojiCatalog whole(sources);
    const auto drawnWith = [&](EmojiFontCoverage& coverage) {
        CatalogSources judged = sources;
        judged.drawable = [&](std::string_view emoji) { return coverage.drawsAsOneGlyph(emoji); };
        return EmojiCatalog(judged);
    };

    const std::optional<std::string> text = readWholeFile(sources.emojiFiles.back().path);
    ASSERT_TRUE(text);
    std::unordered_set<std::string> listed;
    for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(*text)) {
        listed.insert(withoutSelectors(entry.emoji));
    }
    EmojiFontCoverage installed(QStringLiteral("Noto Color Emoji"));
    const EmojiCatalog drawn = drawnWith(installed);
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
    EXPECT_FALSE(installed.drawsAsOneGlyph("a"));
    EXPECT_FALSE(installed.drawsAsOneGlyph("\U0001F525\U0001F525"));

    const int id = QFontDatabase::addApplicationFont(QStringLiteral(TIKLO_LACKING_EMOJI_FONT));
    ASSERT_GE(id, 0);
    ASSERT_EQ(QFontDatabase::applicationFontFamilies(id),
              QStringList{QStringLiteral("Tiklo Lacking Emoji")});
    EmojiFontCoverage lacking(QStringLiteral("Tiklo Lacking Emoji"));
    const EmojiCatalog older = drawnWith(lacking);
    std::set<std::string> leftOut;
    for (const EmojiItem& item : whole.all()) {
        if (older.item(item.id()) == nullptr) {
            leftOut.insert(item.id());
        }
    }
    const std::set<std::string> expected{"pizza", "fire_engine", "firefighter", "man_firefighter",
                                         "woman_firefighter"};
    EXPECT_EQ(leftOut, expected);
    EXPECT_EQ(older.sourceReport().undrawable, expected.size());
    const EmojiItem* singer = older.item("singer");
    ASSERT_NE(singer, nullptr);
    EXPECT_TRUE(singer->supportsSkinTone);
    QFontDatabase::removeApplicationFont(id);

    // Without the family there is nothing to judge by, and the views may still draw with
    // fallback fonts: everything passes.
    EmojiFontCoverage missing(QStringLiteral("No Such Emoji Family"));
    EXPECT_TRUE(missing.drawsAsOneGlyph("\U0001F355"));
    EXPECT_TRUE(missing.drawsAsOneGlyph("a"));
}

} // namespace
} // namespace tiklo
