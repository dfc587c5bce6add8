// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CatalogSourceReport.h"
#include "catalog/CatalogSources.h"
#include "catalog/EmojiCategory.h"
#include "catalog/EmojiItem.h"
#include "catalog/EmojiUsage.h"
#include "catalog/NamedGroup.h"
#include "catalog/ReferenceClock.h"
#include "catalog/SearchIndex.h"
#include "catalog/SymbolGroup.h"
#include "catalog/WordRunIndex.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tiklo {

// The emoji catalog: the items, the lookup by id, and the ranked search. Built once from
// its sources and immutable afterwards, so it may be read from any thread. The symbols and
// kaomoji are catalogs of their own inside it, each with its own index: what concerns emoji
// (their items, categories, counts and search) is untouched by them.
class EmojiCatalog {
public:
    // Inline search shows at most this many of each other kind, after the emoji.
    static constexpr std::size_t inlineLimitPerKind = 2;
    // ...found at least this well: an equal keyword or better, or the start of a name in the
    // user's language; never by text found inside, words in any order, or typos.
    static constexpr int inlineMinimumTier = SearchIndex::localNamePrefix;

    explicit EmojiCatalog(const CatalogSources& sources, Clock clock = secondsSinceReferenceDate);
    // Items of every kind; each goes to its kind's catalog. `localNames` as for SearchIndex,
    // for items of any kind.
    explicit EmojiCatalog(std::vector<EmojiItem> items, Clock clock = secondsSinceReferenceDate,
                          SearchIndex::LocalNames localNames = {});
    EmojiCatalog(const EmojiCatalog&) = delete;
    EmojiCatalog& operator=(const EmojiCatalog&) = delete;

    // The running program's catalog, built from the system's sources on first use, with the
    // checks given to `setSharedDrawable` before then (CatalogSources::drawable and
    // textDrawable).
    static const EmojiCatalog& shared();
    static void setSharedDrawable(std::function<bool(std::string_view)> drawable,
                                  std::function<bool(std::string_view)> textDrawable = {});

    // The emoji.
    const std::vector<EmojiItem>& all() const { return items_; }
    // Id -> emoji; when two items share an id, the first in `all` wins.
    const std::unordered_map<std::string, const EmojiItem*>& itemsByID() const { return byID_; }
    // The item of any kind with this id: recents and favorites hold all kinds.
    const EmojiItem* item(const std::string& id) const;

    // The catalog of one kind: this one for emoji.
    const EmojiCatalog& ofKind(ItemKind kind) const;

    // What semicolon search shows: the emoji as `search` ranks them, with the few symbols and
    // kaomoji found well enough after the emoji found as well and before those found loosely.
    std::vector<const EmojiItem*>
    inlineSearch(std::string_view query, const std::unordered_set<std::string>& favorites,
                 const std::unordered_map<std::string, EmojiUsage>& usage,
                 const std::vector<std::string>& recents) const;

    // Every match, best first. The index is built on the first search.
    std::vector<const EmojiItem*> search(std::string_view query,
                                         std::optional<EmojiCategory> category,
                                         const std::unordered_set<std::string>& favorites,
                                         const std::unordered_map<std::string, EmojiUsage>& usage,
                                         const std::vector<std::string>& recents) const;

    const SearchIndex& index() const;
    // Builds every kind's index and the word runs now, so that no search waits for them.
    void prepare() const;
    // Which texts can still grow into a search; built on first use.
    const WordRunIndex& wordRuns() const;

    // A symbol group's title in the user's language, from CLDR; nothing in English, or where
    // CLDR has none.
    const std::string* localGroupTitle(SymbolGroup group) const;

    // Names shorter than this open no group: "arr" is still on its way to a word.
    static constexpr std::size_t groupNameMinimum = 4;
    // The listing that `query` names: a symbol group, or the symbols' or kaomoji's whole tab,
    // by a word of its title in English or the user's language that the query begins (case
    // and accents aside). Tabs before groups, groups in their order.
    std::optional<NamedGroup> namedGroup(std::string_view query) const;

    // What the sources gave; for a catalog made from given items, nothing is missing.
    const CatalogSourceReport& sourceReport() const { return report_; }

private:
    // The tabs' English titles, and CLDR's label for the symbols.
    static constexpr std::string_view symbolsTitle = "Symbols";
    static constexpr std::string_view kaomojiTitle = "Kaomoji";
    static constexpr std::string_view symbolsLabelType = "symbols";

    const std::string* localLabel(std::string_view type) const;

    // A listing a query may name, with its names folded for matching.
    struct GroupNames {
        std::vector<std::string> folded;
        NamedGroup group;
    };
    const std::vector<GroupNames>& groupNames() const;

    struct Assembled;
    explicit EmojiCatalog(Assembled assembled, Clock clock);
    // The catalog of one kind: its items as they are, with no catalogs inside.
    struct OneKind {};
    EmojiCatalog(OneKind, std::vector<EmojiItem> items, Clock clock,
                 SearchIndex::LocalNames localNames);

    std::vector<EmojiItem> items_;
    CatalogSourceReport report_;
    // The names of the user's language, by emoji; the search ranks them as names.
    SearchIndex::LocalNames localNames_;
    std::unordered_map<std::string, const EmojiItem*> byID_;
    Clock clock_;
    mutable std::once_flag indexOnce_;
    mutable std::unique_ptr<SearchIndex> index_;
    mutable std::once_flag wordRunsOnce_;
    mutable std::once_flag groupNamesOnce_;
    mutable std::vector<GroupNames> groupNames_;
    mutable std::unique_ptr<WordRunIndex> wordRuns_;
    // The symbols and the kaomoji; none inside those two.
    std::unique_ptr<const EmojiCatalog> symbols_;
    std::unique_ptr<const EmojiCatalog> kaomoji_;
    std::unordered_map<std::string, std::string> groupTitles_; // by CLDR label type
};

} // namespace tiklo
