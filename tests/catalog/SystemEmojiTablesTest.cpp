// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SystemEmojiTables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Format = CatalogSources::AnnotationFormat;
using Lists = std::unordered_map<std::string, std::vector<std::string>>;
using Names = std::unordered_map<std::string, std::string>;

std::string plist(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body +
           "</plist>";
}

CatalogSources::Annotations plistFile(const std::string& path) {
    return {Format::propertyList, {path}};
}

TEST(SystemEmojiTablesTest, BadFilesFallThroughAndCldrSetsNamesQualifiedFormsSkippingMarkers) {
    const test::TempDir dir;
    const std::string notPlist = dir.write("a.plist", "<?xml version=\"1.0\"?><plist><dict>");
    const std::string emptyDict = dir.write("b.plist", plist("<dict/>"));
    const std::string wrongShape =
        dir.write("c.plist", plist("<dict><key>\U0001F600</key><integer>1</integer></dict>"));
    const std::string good = dir.write("d.strings", "\"\U0001F600\" = \"Grinning Face\";\n");
    const std::string later = dir.write("e.strings", "\"\U0001F601\" = \"Beaming\";\n");

    const auto names = SystemEmojiTables::loadSystemNames(
        {plistFile(dir.file("missing")), plistFile(notPlist), plistFile(emptyDict),
         plistFile(wrongShape), plistFile(good), plistFile(later)},
        {});
    EXPECT_EQ(names, (Names{{"\U0001F600", "Grinning Face"}}));

    // Each member of an equivalence group lists the others.
    const std::string empty = dir.write("empty.plist", plist("<array/>"));
    const std::string mixed =
        dir.write("mixed.plist", plist("<array><array><string>A</string></array><string>B"
                                       "</string></array>"));
    const std::string groups = dir.write(
        "groups.plist", plist("<array><array><string>A</string><string>B</string></array>"
                              "<array><string>A</string><string>C</string></array></array>"));
    EXPECT_EQ(SystemEmojiTables::loadEquivalences({empty, mixed, groups}),
              (Lists{{"A", {"B", "C"}}, {"B", {"A"}}, {"C", {"A"}}}));

    // Phrases are lowercased, sorted and unique; names are no phrases (a wrong shape).
    const std::string emptyLists =
        dir.write("g.plist", plist("<dict><key>fire</key><array/></dict>"));
    const std::string phrases =
        dir.write("h.plist", plist("<dict><key>Hot</key><array><string>\U0001F525</string></array>"
                                   "<key>LIT</key><array><string>\U0001F525</string></array>"
                                   "<key>lit</key><array><string>\U0001F525</string>"
                                   "<string>\u2728</string></array></dict>"));
    const std::string laterPhrases =
        dir.write("i.plist", plist("<dict><key>zzz</key><array><string>\U0001F4A4</string>"
                                   "</array></dict>"));
    EXPECT_EQ(SystemEmojiTables::loadPhrases({plistFile(good), plistFile(emptyLists),
                                              plistFile(phrases), plistFile(laterPhrases)},
                                             {}),
              (Lists{{"\U0001F525", {"hot", "lit"}}, {"\u2728", {"lit"}}}));

    // CLDR annotations name the qualified forms and skip the markers.
    const std::string base = dir.write("en.xml", R"(<?xml version="1.0" encoding="UTF-8" ?>
<ldml><annotations>
  <annotation cp="❤">heart | Love</annotation>
  <annotation cp="❤" type="tts">red heart</annotation>
  <annotation cp="🔥">fire | flame | ↑↑↑</annotation>
  <annotation cp="🔥" type="tts">fire</annotation>
  <annotation cp="😀" type="tts">↑↑↑</annotation>
</annotations></ldml>)");
    const std::string derived = dir.write("derived.xml", R"(<ldml><annotations>
  <annotation cp="🔥" type="tts">flame, ignored</annotation>
  <annotation cp="😀" type="tts">grinning face</annotation>
  <annotation cp="🇺🇸">flag | US</annotation>
  <annotation cp="👋🏽" type="tts">waving hand: medium skin tone</annotation>
  <annotation cp="👋🏿">hand | wave</annotation>
  <annotation cp="🧑🏻‍💻" type="tts">technologist: light skin tone</annotation>
  <annotation cp="🏻" type="tts">light skin tone</annotation>
</annotations></ldml>)");
    const CatalogSources::Annotations cldr{Format::cldr, {base, dir.file("missing"), derived}};
    const std::vector<std::string> qualified{"\u2764\uFE0F", "\U0001F525"};

    // Toned forms are never items (tones are applied on output): not even read.
    EXPECT_EQ(SystemEmojiTables::loadSystemNames({plistFile(dir.file("x")), cldr}, qualified),
              (Names{{"\u2764\uFE0F", "red heart"},
                     {"\u2764", "red heart"},
                     {"\U0001F525", "fire"},
                     {"\U0001F600", "grinning face"}}));
    EXPECT_EQ(SystemEmojiTables::loadPhrases({cldr}, qualified),
              (Lists{{"\u2764\uFE0F", {"heart", "love"}},
                     {"\u2764", {"heart", "love"}},
                     {"\U0001F525", {"fire", "flame"}},
                     {"\U0001F1FA\U0001F1F8", {"flag", "us"}}}));

    const std::string broken = dir.write("broken.xml", "<ldml><annotations>");
    EXPECT_TRUE(SystemEmojiTables::loadSystemNames({{Format::cldr, {broken}}}, qualified).empty());
}

TEST(SystemEmojiTablesTest, UserLanguageAddsEveryFilesNamesAndKeywordsLowercased) {
    const test::TempDir dir;
    // A regional file holds only what differs from its language's file; both add.
    const std::string regional = dir.write("de_CH.xml", R"(<ldml><annotations>
  <annotation cp="🔥">Füür</annotation>
  <annotation cp="😀" type="tts">↑↑↑</annotation>
</annotations></ldml>)");
    const std::string language = dir.write("de.xml", R"(<ldml><annotations>
  <annotation cp="❤">Herz | rotes Herz</annotation>
  <annotation cp="❤" type="tts">rotes Herz</annotation>
  <annotation cp="🔥">Feuer | Flamme | ↑↑↑</annotation>
  <annotation cp="🔥" type="tts">Feuer</annotation>
  <annotation cp="😀" type="tts">GRINSENDES Gesicht</annotation>
</annotations></ldml>)");
    const std::string derived = dir.write("derived.xml", R"(<ldml><annotations>
  <annotation cp="🇩🇪" type="tts">Flagge: Deutschland</annotation>
  <annotation cp="👍🏽">Daumen | mittlere Hautfarbe</annotation>
  <annotation cp="👍🏽" type="tts">Daumen hoch: mittlere Hautfarbe</annotation>
</annotations></ldml>)");
    const std::string truncated =
        std::string(TIKLO_TEST_DATA_DIR) + "/catalog/annotations-truncated.xml";
    const std::vector<std::string> qualified{"\u2764\uFE0F", "\U0001F525", "\U0001F600"};

    const SystemEmojiTables::UserLanguage loaded = SystemEmojiTables::loadUserLanguage(
        {regional, dir.file("missing.xml"), truncated, language, derived}, qualified);
    EXPECT_EQ(loaded.words,
              (Lists{{"\U0001F525", {"feuer", "flamme", "füür"}},
                     {"\U0001F600", {"grinsendes gesicht"}},
                     {"\u2764", {"herz", "rotes herz"}},
                     {"\u2764\uFE0F", {"herz", "rotes herz"}}, // the key without U+FE0F
                     {"\U0001F1E9\U0001F1EA", {"flagge: deutschland"}}}));
    // The names alone, derived ones too; "↑↑↑" inherits and names nothing. A toned variant's
    // name names the emoji without the tone (its keywords are not the emoji's).
    EXPECT_EQ(loaded.names, (Lists{{"\U0001F44D", {"daumen hoch: mittlere hautfarbe"}},
                                   {"\U0001F525", {"feuer"}},
                                   {"\U0001F600", {"grinsendes gesicht"}},
                                   {"\u2764", {"rotes herz"}},
                                   {"\u2764\uFE0F", {"rotes herz"}},
                                   {"\U0001F1E9\U0001F1EA", {"flagge: deutschland"}}}));

    // The broken file adds nothing, not even the entries before the break.
    const auto broken = SystemEmojiTables::loadUserLanguage({truncated}, qualified);
    EXPECT_TRUE(broken.words.empty() && broken.names.empty());
}

} // namespace
} // namespace tiklo
