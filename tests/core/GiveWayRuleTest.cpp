// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GiveWayRule.h"
#include "catalog/BuiltinTables.h"
#include "catalog/EmojiCatalog.h"
#include "catalog/Unicode.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Kind = QueryKey::Kind;

TEST(WordRunIndexTest, ATextStartsARunWhereAWordOfANameKeywordOrShortcodeBegins) {
    const WordRunIndex words({
        {"\U0001F44D", "Thumbs Up", "thumbs_up", EmojiCategory::people, {"+1", "Daumen hoch"}},
        {"\U0001F455", "t-shirt", "tshirt", EmojiCategory::objects, {"Glückwunsch"}},
        {"\U0001F170\uFE0F", "A button (blood type)", "a_button", EmojiCategory::symbols, {}},
    });
    for (const std::string text :
         {"", "thumbs ", "THUMBS UP", "up", "thumbs_u", "+", "+1", ":thumbs_up:", ":", "shirt",
          "t-", "(blood type)", "type)", "daumen h", "gluckw", "GLÜCK", "glu\u0308ck"}) {
        EXPECT_TRUE(words.startsWordRun(text)) << text;
    }
    // Inside a word, past the end of a text, or across two texts, nothing starts.
    for (const std::string text : {")", "humbs", "umbs up", "up ", "thumbs up sign", "1", "-",
                                   "+1 daumen", "s_up", "button )", "up\nt", "thumbs  up"}) {
        EXPECT_FALSE(words.startsWordRun(text)) << text;
    }
}

// The system's English catalog, as most people meet it.
const EmojiCatalog& englishCatalog() {
    static const EmojiCatalog catalog(CatalogSources::systemDefaults("en"));
    return catalog;
}

// Every kind of key, right after the prefix, and in searches with results and without.
TEST(GiveWayRuleTest, EveryKindOfKeyAfterThePrefixAndInASearch) {
    const WordRunIndex& words = englishCatalog().wordRuns();
    struct Row {
        QueryState state;
        QueryKey key;
        bool givesWay;
    };
    const QueryState first{"", 1808, true};
    // Arrows were pressed: the query is empty, the key is not the first.
    const QueryState chosen{"", 1808, false};
    const std::vector<Row> table{
        {first, {Kind::text, " "}, true},
        {first, {Kind::text, "\u00a0"}, true},
        {first, {Kind::confirm, {}}, true},
        {first, {Kind::tab, {}}, true},
        {first, {Kind::text, ")"}, true},
        {first, {Kind::text, ";"}, true},
        {first, {Kind::text, "+"}, false},
        {first, {Kind::text, ":"}, false},
        {first, {Kind::text, "f"}, false},
        {first, {Kind::text, "D"}, false},
        {first, {Kind::text, "3"}, false},
        {first, {Kind::text, "\u00e9"}, false},
        {first, {Kind::other, {}}, false},
        {chosen, {Kind::confirm, {}}, false},
        {chosen, {Kind::text, " "}, true},
        {chosen, {Kind::tab, {}}, true},
        // Searching: a key that keeps a start goes on, one that ends it gives way, with or
        // without results; letters and digits always go on; Return only without results.
        {{"thumbs", 2, false}, {Kind::text, " "}, false},
        {{"thumbs", 0, false}, {Kind::text, ")"}, true},
        {{"d", 40, false}, {Kind::text, " "}, true},
        {{"d", 0, false}, {Kind::text, "x"}, false},
        {{"xyzzy", 0, false}, {Kind::text, "9"}, false},
        {{"d", 40, false}, {Kind::confirm, {}}, false},
        {{"xyzzy", 0, false}, {Kind::confirm, {}}, true},
        {{"fire", 30, false}, {Kind::tab, {}}, true},
        {{"xyzzy", 0, false}, {Kind::other, {}}, false},
        {{"+", 1, false}, {Kind::text, "1"}, false},
    };
    for (const Row& row : table) {
        EXPECT_EQ(GiveWayRule::givesWay(row.state, row.key, words), row.givesWay)
            << "\"" << row.state.query << "\" (" << row.state.resultCount << " results"
            << (row.state.firstKey ? ", first key" : "") << ") then \"" << row.key.text
            << "\" (kind " << static_cast<int>(row.key.kind) << ")";
    }
}

// Where lines people type give way, key by key after the ";" (npos: they stay a search): the
// catalog's texts tell a search from punctuation, not the results.
TEST(GiveWayRuleTest, ProseCodeAndWinksGiveWayAtTheirFirstPunctuation) {
    const EmojiCatalog& catalog = englishCatalog();
    const WordRunIndex& words = catalog.wordRuns();
    for (const std::string text : {"thumbs ", "+", "+1", ":fire:", "flag: g", "t-shirt", "x-"}) {
        EXPECT_TRUE(words.startsWordRun(text)) << text;
    }
    // Found by the search (it looks inside every text) and still no start of a search.
    for (const std::string text : {")", "d "}) {
        EXPECT_FALSE(catalog.search(text, std::nullopt, {}, {}, {}).empty()) << text;
        EXPECT_FALSE(words.startsWordRun(text)) << text;
    }
    for (const std::string text : {"; ", ";", "D;", "p)"}) {
        EXPECT_FALSE(words.startsWordRun(text)) << text;
    }
    const auto givesWayAt = [&](const std::string& afterPrefix) {
        std::string query;
        for (std::size_t i = 0; i < afterPrefix.size(); ++i) {
            const QueryKey key{Kind::text, afterPrefix.substr(i, 1)};
            if (GiveWayRule::givesWay({query, 1, i == 0}, key, words)) {
                return i;
            }
            query += key.text;
        }
        return std::string::npos;
    };
    EXPECT_EQ(givesWayAt(" two"), 0u);
    EXPECT_EQ(givesWayAt(")"), 0u);
    EXPECT_EQ(givesWayAt("-)"), 1u); // "-" and "-1" are keywords
    EXPECT_EQ(givesWayAt("D "), 1u);
    EXPECT_EQ(givesWayAt("P)"), 1u);
    EXPECT_EQ(givesWayAt("i<n"), 1u);
    EXPECT_EQ(givesWayAt("b=2"), 1u);
    EXPECT_EQ(givesWayAt(" ls"), 0u);
    EXPECT_EQ(givesWayAt("fire"), std::string::npos);
    EXPECT_EQ(givesWayAt("thumbs up"), std::string::npos);
    EXPECT_EQ(givesWayAt("+1"), std::string::npos);
}

// The emoticon table whole: each finds its emoji first, in either letter case, and each is a
// search key by key after the prefix, never given way.
TEST(GiveWayRuleTest, EveryEmoticonFindsItsEmojiFirstAndIsASearchAfterThePrefix) {
    const EmojiCatalog& catalog = englishCatalog();
    const WordRunIndex& words = catalog.wordRuns();
    ASSERT_EQ(BuiltinTables::emoticons().size(), 23u);
    for (const auto& [emoticon, emoji] : BuiltinTables::emoticons()) {
        EXPECT_FALSE(emoticon.starts_with(";")) << emoticon;
        for (const std::string& typed : {emoticon, unicode::toUpper(emoticon),
                                         unicode::toLower(emoticon), " " + emoticon + " "}) {
            const auto results = catalog.search(typed, std::nullopt, {}, {}, {});
            ASSERT_FALSE(results.empty()) << typed;
            EXPECT_EQ(results.front()->emoji, emoji) << typed;
        }
        std::string query;
        for (const char c : emoticon) {
            const QueryKey key{Kind::text, std::string(1, c)};
            EXPECT_FALSE(GiveWayRule::givesWay({query, 1, query.empty()}, key, words))
                << emoticon << " at " << query.size();
            query += c;
        }
        EXPECT_TRUE(words.startsWordRun(emoticon)) << emoticon;
    }
    // What is typed after an emoticon ends it as punctuation does.
    EXPECT_TRUE(GiveWayRule::givesWay({":)", 1, false}, {Kind::text, " "}, words));
    EXPECT_EQ(BuiltinTables::emojiOfEmoticon(":)x"), nullptr);
}

} // namespace
} // namespace tiklo
