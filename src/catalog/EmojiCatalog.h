// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CatalogSourceReport.h"
#include "catalog/CatalogSources.h"
#include "catalog/EmojiCategory.h"
#include "catalog/EmojiItem.h"
#include "catalog/EmojiUsage.h"
#include "catalog/ReferenceClock.h"
#include "catalog/SearchIndex.h"
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
// its sources and immutable afterwards, so it may be read from any thread.
class EmojiCatalog {
public:
    explicit EmojiCatalog(const CatalogSources& sources, Clock clock = secondsSinceReferenceDate);
    explicit EmojiCatalog(std::vector<EmojiItem> items, Clock clock = secondsSinceReferenceDate);
    EmojiCatalog(const EmojiCatalog&) = delete;
    EmojiCatalog& operator=(const EmojiCatalog&) = delete;

    // The running program's catalog, built from the system's sources on first use, with the
    // check given to `setSharedDrawable` before then.
    static const EmojiCatalog& shared();
    static void setSharedDrawable(std::function<bool(std::string_view)> drawable);

    const std::vector<EmojiItem>& all() const { return items_; }
    // Id -> item; when two items share an id, the first in `all` wins.
    const std::unordered_map<std::string, const EmojiItem*>& itemsByID() const { return byID_; }
    const EmojiItem* item(const std::string& id) const;

    // Every match, best first. The index is built on the first search.
    std::vector<const EmojiItem*> search(std::string_view query,
                                         std::optional<EmojiCategory> category,
                                         const std::unordered_set<std::string>& favorites,
                                         const std::unordered_map<std::string, EmojiUsage>& usage,
                                         const std::vector<std::string>& recents) const;

    const SearchIndex& index() const;
    // Which texts can still grow into a search; built on first use.
    const WordRunIndex& wordRuns() const;

    // What the sources gave; for a catalog made from given items, nothing is missing.
    const CatalogSourceReport& sourceReport() const { return report_; }

private:
    struct Assembled;
    explicit EmojiCatalog(Assembled assembled, Clock clock);

    const std::vector<EmojiItem> items_;
    CatalogSourceReport report_;
    // The names of the user's language, by emoji; the search ranks them as names.
    SearchIndex::LocalNames localNames_;
    std::unordered_map<std::string, const EmojiItem*> byID_;
    Clock clock_;
    mutable std::once_flag indexOnce_;
    mutable std::unique_ptr<SearchIndex> index_;
    mutable std::once_flag wordRunsOnce_;
    mutable std::unique_ptr<WordRunIndex> wordRuns_;
};

} // namespace tiklo
