#include "catalog/EmojiCatalog.h"

#include "catalog/CatalogAssembler.h"
#include "catalog/SystemEmojiTables.h"

namespace tiklo {

struct EmojiCatalog::Assembled {
    std::vector<EmojiItem> items;
    CatalogSourceReport report;
    SearchIndex::LocalNames localNames;

    explicit Assembled(const CatalogSources& sources) {
        SystemEmojiTables tables = SystemEmojiTables::load(sources);
        CatalogAssembler::Assembly assembly = CatalogAssembler(tables).assemble(sources.emojiFiles);
        items = std::move(assembly.items);
        report.emojiFile = assembly.scannedItems > 0;
        report.names = !tables.appleNames.empty();
        localNames = std::move(tables.userLanguageNames);
    }
};

EmojiCatalog::EmojiCatalog(const CatalogSources& sources, Clock clock)
    : EmojiCatalog(Assembled(sources), std::move(clock)) {}

EmojiCatalog::EmojiCatalog(Assembled assembled, Clock clock)
    : EmojiCatalog(std::move(assembled.items), std::move(clock)) {
    report_ = assembled.report;
    localNames_ = std::move(assembled.localNames);
}

EmojiCatalog::EmojiCatalog(std::vector<EmojiItem> items, Clock clock)
    : items_(std::move(items)), clock_(std::move(clock)) {
    for (const EmojiItem& item : items_) {
        byID_.emplace(item.id(), &item);
    }
}

const EmojiCatalog& EmojiCatalog::shared() {
    // A function-local static is initialised once, also under concurrent first calls.
    static const EmojiCatalog catalog(CatalogSources::systemDefaults());
    return catalog;
}

const EmojiItem* EmojiCatalog::item(const std::string& id) const {
    const auto found = byID_.find(id);
    return found == byID_.end() ? nullptr : found->second;
}

const SearchIndex& EmojiCatalog::index() const {
    std::call_once(indexOnce_,
                   [this] { index_ = std::make_unique<SearchIndex>(items_, clock_, localNames_); });
    return *index_;
}

const WordRunIndex& EmojiCatalog::wordRuns() const {
    std::call_once(wordRunsOnce_, [this] { wordRuns_ = std::make_unique<WordRunIndex>(items_); });
    return *wordRuns_;
}

std::vector<const EmojiItem*>
EmojiCatalog::search(std::string_view query, std::optional<EmojiCategory> category,
                     const std::unordered_set<std::string>& favorites,
                     const std::unordered_map<std::string, EmojiUsage>& usage,
                     const std::vector<std::string>& recents) const {
    return index().search(query, category, favorites, usage, recents);
}

} // namespace tiklo
