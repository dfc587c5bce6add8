// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCategory.h"
#include "catalog/EmojiItem.h"
#include "catalog/EmojiUsage.h"
#include "catalog/HashedPostingTable.h"
#include "catalog/PostingTable.h"
#include "catalog/ReferenceClock.h"
#include "catalog/TypoIndex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tiklo {

// Ranked search over a fixed list of items. The items must outlive the index; results
// point into that list.
class SearchIndex {
public:
    static constexpr int favoriteBonus = 5000;
    static constexpr int usedItemOffset = 1000;
    static constexpr int pointsPerUse = 10;
    static constexpr int maxUsePoints = 60;
    static constexpr int recentsBonusBase = 40;

    enum Tier : int {
        // The query names this emoji outright: an emoticon (":)", "<3"), or "flag XX" or
        // "XX flag" for the flag of region XX.
        namedOutright = 130,
        emojiEqual = 120,
        shortcodeEqual = 110,
        nameEqual = 95,
        shortcodePrefix = 80,
        namePrefix = 65,
        keywordEqual = 55,
        // A name in the user's language starts with the query (":" and "," aside).
        localNamePrefix = 40,
        textContains = 24,
        // Below the tiers above, only for items none of them found:
        // every word of the query starts a word of the name or a keyword, in any order;
        anyOrder = 12,
        // a name word, keyword or shortcode is a typo away (this less the edits).
        typo = 8,
    };

    // With fewer results than this, typos are looked for, in queries of at least
    // `minTypoLetters` letters; two edits are allowed from `twoEditLetters` letters on.
    static constexpr std::size_t typoResultLimit = 5;
    static constexpr std::size_t minTypoLetters = 4;
    static constexpr std::size_t twoEditLetters = 8;

    struct Indexed {
        const EmojiItem* item = nullptr;
        std::string nameLower;
        std::string shortcodeNorm;              // underscores as spaces
        std::vector<std::string> keywordsLower; // sorted
        std::string haystack;                   // searchable text, underscores as spaces
        std::vector<std::string> localNames;    // in the user's language, in nameForm
        int commonRank = 0;
        int nameOrder = 0;
    };

    // Emoji text -> its names in the user's language (lower case).
    using LocalNames = std::unordered_map<std::string, std::vector<std::string>>;

    // `localNames`: the items' names in the user's language, matched whole and by their
    // start with the ":" and "," of CLDR's derived names ("Flagge: Deutschland") ignored.
    SearchIndex(const std::vector<EmojiItem>& items, Clock clock,
                const LocalNames& localNames = {});

    // A name as matched, and a query as matched against it: no ":" or ",", single spaces.
    static std::string nameForm(std::string_view text);

    std::vector<const EmojiItem*> search(std::string_view query,
                                         std::optional<EmojiCategory> category,
                                         const std::unordered_set<std::string>& favorites,
                                         const std::unordered_map<std::string, EmojiUsage>& usage,
                                         const std::vector<std::string>& recents) const;

    // A result with the tier that found it (for an empty query, its score).
    struct Found {
        const EmojiItem* item = nullptr;
        int tier = 0;
        bool operator==(const Found&) const = default;
    };
    // The same search with each result's tier, best first.
    std::vector<Found> rankedSearch(std::string_view query, std::optional<EmojiCategory> category,
                                    const std::unordered_set<std::string>& favorites,
                                    const std::unordered_map<std::string, EmojiUsage>& usage,
                                    const std::vector<std::string>& recents) const;

    // Each id's first position in `recents`; later duplicates are ignored.
    static std::unordered_map<std::string, std::size_t>
    recentsIndexMap(const std::vector<std::string>& recents);

    // Use points plus recency bonus for one usage record at `now`.
    static int usageScore(const EmojiUsage& usage, double now);
    static int recencyBonus(double ageSeconds);
    static int recentsBonus(std::size_t position);

    const std::vector<Indexed>& entries() const { return entries_; }

private:
    struct Scores;
    Scores historyScores(const std::unordered_set<std::string>& favorites,
                         const std::unordered_map<std::string, EmojiUsage>& usage,
                         const std::vector<std::string>& recents) const;
    // The text the query names outright: an emoticon's emoji, a flag by its region code, or a
    // character by its code point ("U+2713", "2713").
    static std::optional<std::string> namedEmoji(std::string_view q);
    // `q2`: the query as the tiers match it; `q3`: the same in nameForm, for local names;
    // `keywordHit`: a keyword or a local name of the entry is the query.
    static std::optional<int> tier(const Indexed& entry, std::string_view q2, std::string_view q3,
                                   const std::optional<std::string>& named, bool keywordHit);
    // Marks the entries with a keyword equal to `q2` or a local name equal to `q3`.
    std::vector<char> keywordEqualEntries(std::string_view q2, std::string_view q3) const;

    // Entries not `settled` (ranked by the tiers, or outside the pool) that the query's words
    // find in any order, then, with few results so far, typos of the query; with their tiers.
    std::vector<std::pair<std::size_t, int>> looserMatches(std::string_view q2,
                                                           const std::vector<char>& settled,
                                                           std::size_t foundCount) const;

    // Entries whose name or keywords hold a word that starts with `prefix`, marked in `marks`
    // (one count up per entry).
    void markWordsStartingWith(std::string_view prefix, std::vector<std::uint16_t>& marks) const;

    std::vector<Indexed> entries_;
    // Every word of the names and keywords, with the entries that hold it.
    PostingTable words_;
    TypoIndex typos_;
    // Item text and id -> entry positions, so history is applied without a pass per record.
    HashedPostingTable entriesByEmoji_;
    HashedPostingTable entriesById_;
    // Keyword, and local name in nameForm -> entry positions: a look-up per query rather
    // than a search of every entry's keywords.
    PostingTable entriesByKeyword_;
    PostingTable entriesByLocalName_;
    Clock clock_;
};

} // namespace tiklo
