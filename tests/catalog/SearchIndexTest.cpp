// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SearchIndex.h"
#include "catalog/EditDistance.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Ids = std::vector<std::string>;
constexpr double now = 800000000;
constexpr double hour = 3600;
constexpr double day = 86400;

EmojiItem item(std::string emoji, std::string name, std::string shortcode,
               std::vector<std::string> keywords = {}) {
    return {std::move(emoji),       std::move(name),     std::move(shortcode),
            EmojiCategory::objects, std::move(keywords), false};
}

class SearchIndexTest : public ::testing::Test {
protected:
    Ids search(const std::string& query, std::optional<EmojiCategory> category = std::nullopt) {
        const SearchIndex index(items, [] { return now; });
        Ids ids;
        for (const EmojiItem* found : index.search(query, category, favorites, usage, recents)) {
            ids.push_back(found->id());
        }
        return ids;
    }

    std::vector<EmojiItem> items;
    std::unordered_set<std::string> favorites;
    std::unordered_map<std::string, EmojiUsage> usage;
    std::vector<std::string> recents;
};

TEST_F(SearchIndexTest, TiersRankExactBeforeFuzzyAndPrefixesEndOnWholeCharacters) {
    items = {item("a", "campfire", "campfire"), item("b", "flame", "flame", {"fire", "thumbs_up"}),
             item("c", "firefighter", "ff"),    item("d", "fireworks", "fireworks"),
             item("\U0001F525", "hot", "fire"), item("e", "thumbs up sign", "thumbs_up")};
    EXPECT_EQ(search("  Fire \n"), (Ids{"fire", "fireworks", "ff", "flame", "campfire"}));
    EXPECT_EQ(search("\U0001F525"), (Ids{"fire"}));
    EXPECT_EQ(search("HOT"), (Ids{"fire"})); // name equal
    // Colons go, underscores become spaces: the shortcode, not the keyword, matches.
    EXPECT_EQ(search(":thumbs_up:"), (Ids{"thumbs_up", "flame"}));
    // Only colons: every shortcode starts with the empty text; common rank, then name.
    EXPECT_EQ(search("::"), (Ids{"fire", "campfire", "ff", "fireworks", "flame", "thumbs_up"}));
    EXPECT_EQ(search("fire", EmojiCategory::smileys), Ids{});

    // Prefixes end on whole characters. x + U+0301 has no composed form; as a favorite it would
    // win a tie of equal tiers.
    items = {item("a", "x\u0301ray", "p"), item("b", "xray", "q")};
    favorites = {"p"};
    EXPECT_EQ(search("x"), (Ids{"q", "p"}));
    items = {item("a", "e\u0301clair", "x"), item("b", "eclair", "y")};
    EXPECT_EQ(search("\u00E9"), (Ids{"x"})); // canonically equal to e + U+0301
}

TEST_F(SearchIndexTest, TiesBreakWithinATierOnlyAndTheEmptyQueryScoresFavoritesUsageRecents) {
    items = {item("1", "red heart", "heart"), item("2", "heart eyes", "heart_eyes"),
             item("3", "heart hands", "heart_hands"), item("4", "heart on fire", "heart_fire")};
    usage = {{"2", {9, now - hour}}, {"4", {1, now - 20 * day}}, {"3", {1, now - hour}}};
    EXPECT_EQ(search("heart"), (Ids{"heart", "heart_eyes", "heart_hands", "heart_fire"}));
    // Equal frecency: the favorite first; no other effect with a typed query.
    usage.clear();
    favorites = {"heart_hands"};
    EXPECT_EQ(search("heart "), (Ids{"heart", "heart_hands", "heart_eyes", "heart_fire"}));

    // The common rank, then the name, break the ties left.
    favorites.clear();
    items = {item("zz", "b thing", "b"), item("\U0001F602", "z joy", "z"),
             item("yy", "a thing", "a")};
    EXPECT_EQ(search("thing"), (Ids{"a", "b"}));
    EXPECT_EQ(search("t"), (Ids{"z", "a", "b"}));
    // Empty query with no history: common rank first, then every other item by name.
    EXPECT_EQ(search(""), (Ids{"z", "a", "b"}));

    // The empty query scores favorites, usage and recents.
    items = {item("\U0001F602", "joy", "joy"), item("u", "used", "used"),
             item("r", "recent", "recent"),    item("f", "favorite", "favorite"),
             item("o", "old", "old"),          item("n", "never", "never")};
    favorites = {"favorite", "missing_id"};
    usage = {{"u", {1, now - 2 * hour}}, {"o", {100, now - 365 * day}}, {"n", {0, now}}};
    recents = {"used", "recent", "used"};
    // used: 50 + 40 = 90; old: 64; recent: 39; all above joy's common rank 120.
    EXPECT_EQ(search(""), (Ids{"favorite", "used", "old", "recent", "joy", "never"}));
    EXPECT_EQ(search("", EmojiCategory::smileys), Ids{});
}

// Words in any order find what no tier finds, and rank after everything the tiers find.
TEST_F(SearchIndexTest, WordsInAnyOrderThenTyposAtAndAcrossEachThreshold) {
    items = {item("a", "grinning cat with smiling eyes", "smile_cat"),
             item("b", "cat smiling face", "csf"), item("c", "dog", "dog", {"smiling pet", "cat"}),
             item("d", "scatter smilingly", "scatter")};
    // A tier (name prefix) first; then the words in any order, in names and keywords alike.
    EXPECT_EQ(search("cat smiling"), (Ids{"csf", "dog", "smile_cat"}));
    EXPECT_EQ(search("smil CA"), (Ids{"csf", "dog", "smile_cat"}));
    // Every word must start a word: "mil" starts none.
    EXPECT_EQ(search("mil cat"), Ids{});
    EXPECT_EQ(search("cat smiling", EmojiCategory::people), Ids{});

    // Typos are looked for when the query has 4 letters or more and fewer than 5 results came;
    // two edits from 8 letters on; the closest first.
    items = {item("f", "fire", "fire"), item("r", "rainbow", "rainbow"),
             item("s", "sparkles", "sparkles"), item("c", "carousel", "carousel"),
             item("\U0001F602", "carrousell", "carrousell")};
    EXPECT_EQ(search("fier"), (Ids{"fire"})); // 4 letters, neighbours swapped
    EXPECT_EQ(search("fie"), Ids{});          // 3 letters: no typos
    EXPECT_EQ(search("rainbwo"), (Ids{"rainbow"}));
    EXPECT_EQ(search("reinbou"), Ids{});              // 7 letters: one edit only
    EXPECT_EQ(search("spurklis"), (Ids{"sparkles"})); // 8 letters: two edits
    // One edit before two, though the other is the more common.
    EXPECT_EQ(search("carousels"), (Ids{"carousel", "carrousell"}));

    // Four results from the tiers: typos join after them; five: none are looked for.
    items = {item("1", "mantis", "mantis"), item("2", "diamant", "diamant"),
             item("3", "romantic", "romantic"), item("4", "mantle", "mantle"),
             item("m", "man", "man")};
    EXPECT_EQ(search("mant"), (Ids{"mantis", "mantle", "diamant", "romantic", "man"}));
    items.push_back(item("5", "mantra", "mantra"));
    EXPECT_EQ(search("mant"), (Ids{"mantis", "mantle", "mantra", "diamant", "romantic"}));
}

TEST(EditDistanceTest, EachEditCountsOnceAndTheBoundCutsOff) {
    struct Pair {
        std::u32string a, b;
        int bound;
        std::optional<int> edits;
    };
    for (const Pair& pair : std::vector<Pair>{
             {U"pizza", U"pizza", 0, 0},
             {U"pizza", U"piza", 1, 1},       // deletion
             {U"banana", U"bananna", 1, 1},   // insertion
             {U"heart", U"hear\u00E9", 1, 1}, // substitution, by scalars
             {U"fire", U"fier", 1, 1},        // neighbours swapped
             {U"fireworks", U"fyreworkz", 2, 2},
             {U"fireworks", U"fyreworkz", 1, std::nullopt},
             {U"ab", U"", 2, 2},
             {U"ab", U"", 1, std::nullopt}, // told by the lengths
             {U"ca", U"abc", 3, 3},         // no edit inside a swapped pair
         }) {
        EXPECT_EQ(editDistanceWithin(pair.a, pair.b, pair.bound), pair.edits)
            << std::string(pair.a.begin(), pair.a.end()) << " " << pair.bound;
        EXPECT_EQ(editDistanceWithin(pair.b, pair.a, pair.bound), pair.edits);
    }
}

// Ten points a use up to six uses, plus the recency step (a use in the future counts as
// today); a count below one is no use.
TEST(SearchIndexScoresTest, FrecencyArithmeticAtEachBoundary) {
    const std::pair<EmojiUsage, int> scores[] = {
        {{1, now - 2 * hour}, 50}, {{100, now - 365 * day}, 64}, {{5, now}, 90}, {{6, now}, 100},
        {{7, now}, 100},           {{INT64_MAX, now}, 100},      {{0, now}, 0},  {{-4, now}, 0},
        {{1, now + day}, 50},
    };
    for (const auto& [usage, score] : scores) {
        EXPECT_EQ(SearchIndex::usageScore(usage, now), score) << usage.count;
    }
    // The recency steps at and just across a day, 7 days and 30 days.
    const std::pair<double, int> steps[] = {
        {0, 40},       {day - 1, 40},      {day, 25},     {7 * day - 1, 25},
        {7 * day, 12}, {30 * day - 1, 12}, {30 * day, 4}, {365 * day, 4},
    };
    for (const auto& [age, bonus] : steps) {
        EXPECT_EQ(SearchIndex::recencyBonus(age), bonus) << age;
    }
    // The recents' place: 40 points down to 1, and 1 from the 40th on.
    for (const auto& [place, bonus] :
         std::vector<std::pair<std::size_t, int>>{{0, 40}, {38, 2}, {39, 1}, {40, 1}, {500, 1}}) {
        EXPECT_EQ(SearchIndex::recentsBonus(place), bonus) << place;
    }
    EXPECT_EQ(SearchIndex::recentsIndexMap({"a", "b", "a"}),
              (std::unordered_map<std::string, std::size_t>{{"a", 0}, {"b", 1}}));
}

} // namespace
} // namespace tiklo
