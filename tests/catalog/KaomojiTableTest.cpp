// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/KaomojiTable.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/KaomojiAssembler.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unicode/uchar.h>

namespace tiklo {
namespace {

std::vector<std::string_view> splitBars(std::string_view list) {
    std::vector<std::string_view> parts;
    for (std::size_t bar; (bar = list.find('|')) != std::string_view::npos;) {
        parts.push_back(list.substr(0, bar));
        list.remove_prefix(bar + 1);
    }
    parts.push_back(list);
    return parts;
}

// Every row can be typed exactly as stored, read aloud, found, and found again through an
// emoji that the system's Unicode data knows.
TEST(KaomojiTableTest, EveryRowIsTypeableNamedFiledAndAnchoredToARealEmoji) {
    const std::optional<std::string> emojiTest =
        readWholeFile("/usr/share/unicode/emoji/emoji-test.txt");
    ASSERT_TRUE(emojiTest) << "install unicode-data";
    std::set<std::string> fullyQualified;
    for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(*emojiTest)) {
        fullyQualified.insert(entry.emoji);
    }

    const std::span<const KaomojiRow> rows = kaomojiRows();
    EXPECT_GE(rows.size(), 140u);
    std::set<std::string_view> texts;
    std::set<std::string_view> categories;
    std::set<std::string> ids;
    for (const KaomojiRow& row : rows) {
        SCOPED_TRACE(std::string(row.name));
        // What is typed is what is stored: valid UTF-8, composed, nothing invisible, no
        // space but U+0020 and none at either end.
        EXPECT_FALSE(row.text.empty());
        EXPECT_EQ(unicode::sanitizeUtf8(row.text), row.text);
        EXPECT_EQ(unicode::nfc(row.text), row.text);
        EXPECT_EQ(unicode::trimWhiteSpace(row.text), row.text);
        for (const char32_t c : unicode::scalars(row.text)) {
            const auto scalar = static_cast<UChar32>(c);
            const auto type = static_cast<UCharCategory>(u_charType(scalar));
            EXPECT_TRUE(u_isdefined(scalar) && type != U_CONTROL_CHAR && type != U_FORMAT_CHAR &&
                        type != U_PRIVATE_USE_CHAR)
                << std::hex << static_cast<std::uint32_t>(c);
            EXPECT_FALSE(c >= 0xFE00 && c <= 0xFE0F) << "variation selector";
            EXPECT_TRUE(c == U' ' || !unicode::isWhiteSpace(c));
        }
        EXPECT_TRUE(texts.insert(row.text).second) << "repeated text " << row.text;

        // The id comes from the name, so names must differ even as ids.
        EXPECT_FALSE(row.name.empty());
        EXPECT_EQ(unicode::toLower(row.name), row.name);
        EXPECT_TRUE(ids.insert(KaomojiAssembler::idOf(row.name)).second);

        const std::vector<std::string_view> keywords = splitBars(row.keywords);
        EXPECT_GE(keywords.size(), 2u);
        EXPECT_LE(keywords.size(), 6u);
        EXPECT_EQ(std::set(keywords.begin(), keywords.end()).size(), keywords.size());
        for (const std::string_view keyword : keywords) {
            EXPECT_FALSE(keyword.empty());
            EXPECT_NE(keyword, row.name);
            EXPECT_EQ(unicode::toLower(keyword), keyword);
        }

        EXPECT_NE(std::ranges::find(kaomojiCategories, row.category), kaomojiCategories.end())
            << row.category;
        categories.insert(row.category);
        EXPECT_TRUE(fullyQualified.contains(std::string(row.anchor))) << row.anchor;
    }
    EXPECT_EQ(categories.size(), kaomojiCategories.size()) << "a category with no kaomoji";

    // The best known, by code point: a slip in escaping or a look-alike character shows here.
    for (const std::string_view text : {
             "\u00AF\\_(\u30C4)_/\u00AF",
             "(\u256F\u00B0\u25A1\u00B0)\u256F\uFE35 \u253B\u2501\u253B",
             "\u252C\u2500\u252C\u30CE( \u00BA _ \u00BA\u30CE)",
             "( \u0361\u00B0 \u035C\u0296 \u0361\u00B0)",
         }) {
        EXPECT_TRUE(texts.contains(text)) << text;
    }
}

} // namespace
} // namespace tiklo
