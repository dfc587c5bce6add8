// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SymbolAssembler.h"

#include "catalog/CatalogAssembler.h"
#include "catalog/SymbolTables.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace tiklo {
namespace {

constexpr std::string_view idPrefix = "symbol_";

std::vector<std::string> splitBars(std::string_view list) {
    std::vector<std::string> parts;
    while (!list.empty()) {
        const std::size_t bar = std::min(list.find('|'), list.size());
        if (bar > 0) {
            parts.emplace_back(list.substr(0, bar));
        }
        list.remove_prefix(std::min(bar + 1, list.size()));
    }
    return parts;
}

// The one scalar of a text of exactly one; nothing otherwise.
std::optional<char32_t> singleScalar(std::string_view text) {
    const std::u32string scalars = unicode::scalars(text);
    return scalars.size() == 1 ? std::optional(scalars.front()) : std::nullopt;
}

// A plain symbol: one scalar, beyond ASCII (people type those on the keyboard), and no emoji.
std::optional<SymbolGroup> plainSymbolGroup(std::string_view text) {
    constexpr char32_t lastAscii = 0x7F;
    const std::optional<char32_t> c = singleScalar(text);
    if (!c || *c <= lastAscii || unicode::isEmoji(*c)) {
        return std::nullopt;
    }
    return symbolGroupOf(*c);
}

} // namespace

std::string SymbolAssembler::idOf(std::string_view text) {
    return std::string(idPrefix) + CatalogAssembler::hexID(text);
}

std::vector<EmojiItem> SymbolAssembler::assemble() const {
    std::unordered_map<std::string_view, std::vector<std::string>> own;
    for (const SymbolTables::Aliases& aliases : SymbolTables::aliases()) {
        own[aliases.text] = splitBars(aliases.names);
    }
    // Group, then code point: the order the groups list them in.
    std::map<std::pair<SymbolGroup, char32_t>, EmojiItem> ordered;
    std::unordered_set<std::string> seen;
    const auto add = [&](const std::string& text, SymbolGroup group,
                         std::vector<std::string> keywords) {
        if (!seen.insert(text).second) {
            return;
        }
        if (auto found = own.find(text); found != own.end()) {
            keywords.insert(keywords.end(), found->second.begin(), found->second.end());
        }
        ordered.emplace(std::pair{group, *singleScalar(text)},
                        makeItem(text, group, std::move(keywords)));
    };
    for (const auto& [text, name] : tables_.systemNames) {
        if (const std::optional<SymbolGroup> group = plainSymbolGroup(text)) {
            add(text, *group, {});
        }
    }
    for (const SymbolTables::TextStyle& symbol : SymbolTables::textStyle()) {
        add(std::string(symbol.text), symbol.group, {});
    }
    for (const SymbolTables::Curated& symbol : SymbolTables::curated()) {
        std::vector<std::string> keywords = splitBars(symbol.english);
        const std::string_view local = language_ == "de"   ? symbol.german
                                       : language_ == "fr" ? symbol.french
                                                           : std::string_view();
        for (std::string& keyword : splitBars(local)) {
            keywords.push_back(std::move(keyword));
        }
        add(std::string(symbol.text), symbol.group, std::move(keywords));
    }
    std::vector<EmojiItem> items;
    items.reserve(ordered.size());
    for (auto& [key, item] : ordered) {
        items.push_back(std::move(item));
    }
    return items;
}

EmojiItem SymbolAssembler::makeItem(const std::string& text, SymbolGroup group,
                                    std::vector<std::string> ownKeywords) const {
    EmojiItem item;
    item.kind = ItemKind::symbol;
    item.emoji = text;
    item.group = rawValue(group);
    item.category = EmojiCategory::symbols;
    item.shortcode = idOf(text);
    if (auto named = tables_.systemNames.find(text); named != tables_.systemNames.end()) {
        item.name = unicode::toLower(named->second);
    } else {
        item.name = unicode::toLower(unicode::characterName(*singleScalar(text)).value_or(text));
    }
    std::set<std::string> keywords;
    const auto addPhrase = [&](const std::string& phrase) {
        keywords.insert(unicode::toLower(phrase));
        for (std::string& word : CatalogAssembler::keywords(phrase)) {
            keywords.insert(std::move(word));
        }
    };
    addPhrase(item.name);
    for (const std::string& keyword : ownKeywords) {
        addPhrase(keyword);
    }
    for (const auto* table : {&tables_.phraseAliasesByEmoji, &tables_.userLanguageKeywords}) {
        if (auto found = table->find(text); found != table->end()) {
            for (const std::string& phrase : found->second) {
                addPhrase(phrase);
            }
        }
    }
    keywords.erase(item.name);
    item.keywords.assign(keywords.begin(), keywords.end());
    return item;
}

} // namespace tiklo
