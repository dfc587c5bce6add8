// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiCatalog.h"

#include "catalog/CatalogAssembler.h"
#include "catalog/SystemEmojiTables.h"

#include <algorithm>
#include <utility>

namespace tiklo {
namespace {

using Drawable = std::function<bool(std::string_view)>;

// Leaves out what cannot be drawn; an item with a toned form that cannot be drawn is offered
// without tones rather than as loose parts. Returns how many items were left out.
std::size_t keepDrawable(std::vector<EmojiItem>& items, const Drawable& drawable) {
    const std::size_t undrawable =
        std::erase_if(items, [&](const EmojiItem& item) { return !drawable(item.emoji); });
    for (EmojiItem& item : items) {
        item.supportsSkinTone =
            item.supportsSkinTone && std::ranges::all_of(allSkinTones, [&](SkinTone tone) {
                return drawable(item.displayEmoji(tone));
            });
    }
    return undrawable;
}

Drawable& sharedDrawable() {
    static Drawable drawable;
    return drawable;
}

} // namespace

struct EmojiCatalog::Assembled {
    std::vector<EmojiItem> items;
    CatalogSourceReport report;
    SearchIndex::LocalNames localNames;

    explicit Assembled(const CatalogSources& sources) {
        SystemEmojiTables tables = SystemEmojiTables::load(sources);
        CatalogAssembler::Assembly assembly = CatalogAssembler(tables).assemble(sources.emojiFiles);
        items = std::move(assembly.items);
        if (sources.drawable) {
            report.undrawable = keepDrawable(items, sources.drawable);
        }
        report.emojiFile = assembly.scannedItems > 0;
        report.names = !tables.systemNames.empty();
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
    static const EmojiCatalog catalog([] {
        CatalogSources sources = CatalogSources::systemDefaults();
        // Taken, so that what the check holds is let go in the thread that used it.
        sources.drawable = std::exchange(sharedDrawable(), {});
        return sources;
    }());
    return catalog;
}

void EmojiCatalog::setSharedDrawable(Drawable drawable) {
    sharedDrawable() = std::move(drawable);
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
