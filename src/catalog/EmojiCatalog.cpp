// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiCatalog.h"

#include "catalog/CatalogAssembler.h"
#include "catalog/CharacterLabels.h"
#include "catalog/KaomojiAssembler.h"
#include "catalog/SymbolAssembler.h"
#include "catalog/SystemEmojiTables.h"

#include "catalog/Unicode.h"

#include <algorithm>
#include <iterator>
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

Drawable& sharedTextDrawable() {
    static Drawable drawable;
    return drawable;
}

} // namespace

struct EmojiCatalog::Assembled {
    std::vector<EmojiItem> items;
    CatalogSourceReport report;
    SearchIndex::LocalNames localNames;
    std::unordered_map<std::string, std::string> groupTitles;

    explicit Assembled(const CatalogSources& sources)
        : groupTitles(CharacterLabels::load(sources.characterLabels)) {
        SystemEmojiTables tables = SystemEmojiTables::load(sources);
        CatalogAssembler::Assembly assembly = CatalogAssembler(tables).assemble(sources.emojiFiles);
        items = std::move(assembly.items);
        if (sources.drawable) {
            report.undrawable = keepDrawable(items, sources.drawable);
        }
        report.emojiFile = assembly.scannedItems > 0;
        report.names = !tables.systemNames.empty();
        std::vector<EmojiItem> symbols = SymbolAssembler(tables, sources.language).assemble();
        KaomojiAssembler::Assembly kaomoji = KaomojiAssembler(tables).assemble();
        if (sources.textDrawable) {
            for (std::vector<EmojiItem>* text : {&symbols, &kaomoji.items}) {
                report.undrawableText += std::erase_if(*text, [&](const EmojiItem& item) {
                    return !sources.textDrawable(item.emoji);
                });
            }
        }
        items.reserve(items.size() + symbols.size() + kaomoji.items.size());
        std::move(symbols.begin(), symbols.end(), std::back_inserter(items));
        std::move(kaomoji.items.begin(), kaomoji.items.end(), std::back_inserter(items));
        localNames = std::move(tables.userLanguageNames);
        localNames.merge(kaomoji.localNames);
    }
};

EmojiCatalog::EmojiCatalog(const CatalogSources& sources, Clock clock)
    : EmojiCatalog(Assembled(sources), std::move(clock)) {}

EmojiCatalog::EmojiCatalog(Assembled assembled, Clock clock)
    : EmojiCatalog(std::move(assembled.items), std::move(clock), std::move(assembled.localNames)) {
    report_ = assembled.report;
    groupTitles_ = std::move(assembled.groupTitles);
}

const std::string* EmojiCatalog::localGroupTitle(SymbolGroup group) const {
    return localLabel(characterLabelType(group));
}

const std::string* EmojiCatalog::localLabel(std::string_view type) const {
    const auto found = groupTitles_.find(std::string(type));
    return found == groupTitles_.end() ? nullptr : &found->second;
}

std::optional<NamedGroup> EmojiCatalog::namedGroup(std::string_view query) const {
    const std::string folded = unicode::foldCaseAndDiacritics(unicode::trimWhiteSpace(query));
    if (unicode::scalars(folded).size() < groupNameMinimum) {
        return std::nullopt;
    }
    for (const GroupNames& candidate : groupNames()) {
        if (std::ranges::any_of(candidate.folded, [&folded](const std::string& name) {
                return name.starts_with(folded);
            })) {
            return candidate.group;
        }
    }
    return std::nullopt;
}

const std::vector<EmojiCatalog::GroupNames>& EmojiCatalog::groupNames() const {
    std::call_once(groupNamesOnce_, [this] {
        // Each title whole and word by word, folded once rather than at every key.
        const auto add = [this](NamedGroup group, std::string_view english,
                                const std::string* local) {
            GroupNames names{{}, std::move(group)};
            for (const std::string_view title :
                 {english, local != nullptr ? std::string_view(*local) : std::string_view()}) {
                if (title.empty()) {
                    continue;
                }
                names.folded.push_back(unicode::foldCaseAndDiacritics(title));
                for (const std::string& word : unicode::words(title)) {
                    names.folded.push_back(unicode::foldCaseAndDiacritics(word));
                }
            }
            groupNames_.push_back(std::move(names));
        };
        // Tabs before groups, groups in their order; the title shown is the user's
        // language's where there is one.
        const EmojiCatalog& symbols = ofKind(ItemKind::symbol);
        if (!symbols.all().empty()) {
            const std::string* label = localLabel(symbolsLabelType);
            add({ItemKind::symbol,
                 {},
                 label != nullptr ? *label : std::string(symbolsTitle),
                 symbols.all().front().emoji},
                symbolsTitle, label);
        }
        if (!ofKind(ItemKind::kaomoji).all().empty()) {
            add({ItemKind::kaomoji, {}, std::string(kaomojiTitle), {}}, kaomojiTitle, nullptr);
        }
        for (const SymbolGroup group : allSymbolGroups) {
            const auto first = std::ranges::find(symbols.all(), rawValue(group), &EmojiItem::group);
            if (first == symbols.all().end()) {
                continue;
            }
            const std::string* local = localGroupTitle(group);
            add({ItemKind::symbol, std::string(rawValue(group)),
                 local != nullptr ? *local : std::string(title(group)), first->emoji},
                title(group), local);
        }
    });
    return groupNames_;
}

EmojiCatalog::EmojiCatalog(std::vector<EmojiItem> items, Clock clock,
                           SearchIndex::LocalNames localNames)
    : clock_(std::move(clock)) {
    std::vector<EmojiItem> emoji;
    std::vector<EmojiItem> symbols;
    std::vector<EmojiItem> kaomoji;
    for (EmojiItem& item : items) {
        (item.kind == ItemKind::symbol    ? symbols
         : item.kind == ItemKind::kaomoji ? kaomoji
                                          : emoji)
            .push_back(std::move(item));
    }
    // Each kind keeps the names of its own items only.
    const auto namesOf = [&](const std::vector<EmojiItem>& kindItems) {
        SearchIndex::LocalNames names;
        for (const EmojiItem& item : kindItems) {
            if (auto found = localNames.find(item.emoji); found != localNames.end()) {
                names.insert(localNames.extract(found));
            }
        }
        return names;
    };
    if (!symbols.empty() || !kaomoji.empty()) {
        SearchIndex::LocalNames symbolNames = namesOf(symbols);
        SearchIndex::LocalNames kaomojiNames = namesOf(kaomoji);
        symbols_.reset(
            new EmojiCatalog(OneKind{}, std::move(symbols), clock_, std::move(symbolNames)));
        kaomoji_.reset(
            new EmojiCatalog(OneKind{}, std::move(kaomoji), clock_, std::move(kaomojiNames)));
    }
    items_ = std::move(emoji);
    localNames_ = std::move(localNames);
    for (const EmojiItem& item : items_) {
        byID_.emplace(item.id(), &item);
    }
}

EmojiCatalog::EmojiCatalog(OneKind, std::vector<EmojiItem> items, Clock clock,
                           SearchIndex::LocalNames localNames)
    : items_(std::move(items)), localNames_(std::move(localNames)), clock_(std::move(clock)) {
    for (const EmojiItem& item : items_) {
        byID_.emplace(item.id(), &item);
    }
}

const EmojiCatalog& EmojiCatalog::shared() {
    // A function-local static is initialised once, also under concurrent first calls.
    static const EmojiCatalog catalog([] {
        CatalogSources sources = CatalogSources::systemDefaults();
        // Taken, so that what the checks hold is let go in the thread that used them.
        sources.drawable = std::exchange(sharedDrawable(), {});
        sources.textDrawable = std::exchange(sharedTextDrawable(), {});
        return sources;
    }());
    return catalog;
}

void EmojiCatalog::setSharedDrawable(Drawable drawable, Drawable textDrawable) {
    sharedDrawable() = std::move(drawable);
    sharedTextDrawable() = std::move(textDrawable);
}

const EmojiItem* EmojiCatalog::item(const std::string& id) const {
    if (const auto found = byID_.find(id); found != byID_.end()) {
        return found->second;
    }
    for (const EmojiCatalog* other : {symbols_.get(), kaomoji_.get()}) {
        if (const EmojiItem* found = other != nullptr ? other->item(id) : nullptr) {
            return found;
        }
    }
    return nullptr;
}

const EmojiCatalog& EmojiCatalog::ofKind(ItemKind kind) const {
    // A catalog made of emoji alone has empty ones.
    static const EmojiCatalog none(std::vector<EmojiItem>{});
    const std::unique_ptr<const EmojiCatalog>& other =
        kind == ItemKind::symbol ? symbols_ : kaomoji_;
    return kind == ItemKind::emoji ? *this : other ? *other : none;
}

std::vector<const EmojiItem*>
EmojiCatalog::inlineSearch(std::string_view query, const std::unordered_set<std::string>& favorites,
                           const std::unordered_map<std::string, EmojiUsage>& usage,
                           const std::vector<std::string>& recents) const {
    using Found = SearchIndex::Found;
    const std::vector<Found> emoji =
        index().rankedSearch(query, std::nullopt, favorites, usage, recents);
    if (unicode::trimWhiteSpace(query).empty()) {
        std::vector<const EmojiItem*> results;
        results.reserve(emoji.size());
        for (const Found& found : emoji) {
            results.push_back(found.item);
        }
        return results;
    }
    std::vector<Found> others;
    for (const ItemKind kind : {ItemKind::symbol, ItemKind::kaomoji}) {
        const std::vector<Found> found =
            ofKind(kind).index().rankedSearch(query, std::nullopt, favorites, usage, recents);
        for (std::size_t i = 0;
             i < found.size() && i < inlineLimitPerKind && found[i].tier >= inlineMinimumTier;
             ++i) {
            others.push_back(found[i]);
        }
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const Found& a, const Found& b) { return a.tier > b.tier; });
    // The emoji found well keep their places, so a search typed before finds the same first;
    // the others come before the emoji found loosely.
    std::vector<const EmojiItem*> results;
    results.reserve(emoji.size() + others.size());
    auto next = others.begin();
    for (const Found& found : emoji) {
        for (; next != others.end() && found.tier < inlineMinimumTier; ++next) {
            results.push_back(next->item);
        }
        results.push_back(found.item);
    }
    for (; next != others.end(); ++next) {
        results.push_back(next->item);
    }
    return results;
}

const SearchIndex& EmojiCatalog::index() const {
    std::call_once(indexOnce_,
                   [this] { index_ = std::make_unique<SearchIndex>(items_, clock_, localNames_); });
    return *index_;
}

void EmojiCatalog::prepare() const {
    for (const ItemKind kind : allItemKinds) {
        ofKind(kind).index();
    }
    wordRuns();
    groupNames();
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
