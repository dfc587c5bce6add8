// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/KaomojiAssembler.h"

#include "catalog/CatalogAssembler.h"
#include "catalog/KaomojiTable.h"
#include "catalog/Unicode.h"

#include <set>
#include <unordered_map>
#include <unordered_set>

namespace tiklo {
namespace {

constexpr std::string_view idPrefix = "kaomoji_";
// A word more than this share of the anchors hold finds too many kaomoji to mean anything.
constexpr std::size_t genericShareDivisor = 4;

void splitBarsInto(std::string_view list, std::set<std::string>& into) {
    while (!list.empty()) {
        const std::size_t bar = std::min(list.find('|'), list.size());
        if (bar > 0) {
            into.emplace(list.substr(0, bar));
        }
        list.remove_prefix(std::min(bar + 1, list.size()));
    }
}

} // namespace

std::string KaomojiAssembler::idOf(std::string_view name) {
    return std::string(idPrefix) + CatalogAssembler::slug(name);
}

std::vector<std::string> KaomojiAssembler::anchorWords(const std::string& anchor) const {
    std::vector<std::string> words;
    const bool userLanguage = !tables_.userLanguageKeywords.empty();
    if (userLanguage) {
        if (auto found = tables_.userLanguageKeywords.find(anchor);
            found != tables_.userLanguageKeywords.end()) {
            words = found->second;
        }
        return words;
    }
    if (auto named = tables_.systemNames.find(anchor); named != tables_.systemNames.end()) {
        words.push_back(unicode::toLower(named->second));
    }
    if (auto found = tables_.phraseAliasesByEmoji.find(anchor);
        found != tables_.phraseAliasesByEmoji.end()) {
        words.insert(words.end(), found->second.begin(), found->second.end());
    }
    return words;
}

KaomojiAssembler::Assembly KaomojiAssembler::assemble() const {
    const std::span<const KaomojiRow> rows = kaomojiRows();
    std::unordered_map<std::string, std::vector<std::string>> wordsByAnchor;
    std::unordered_map<std::string, std::size_t> anchorsWith;
    for (const KaomojiRow& row : rows) {
        auto [entry, added] = wordsByAnchor.try_emplace(std::string(row.anchor));
        if (added) {
            entry->second = anchorWords(entry->first);
            for (const std::string& word : std::set(entry->second.begin(), entry->second.end())) {
                ++anchorsWith[word];
            }
        }
    }
    const std::size_t genericFrom = wordsByAnchor.size() / genericShareDivisor + 1;

    Assembly assembly;
    assembly.items.reserve(rows.size());
    std::unordered_set<std::string> used;
    for (const KaomojiRow& row : rows) {
        EmojiItem item;
        item.kind = ItemKind::kaomoji;
        item.emoji = row.text;
        item.name = row.name;
        item.group = row.category;
        item.category = EmojiCategory::smileys;
        item.shortcode = CatalogAssembler::uniqueShortcode(idOf(row.name), row.text, used);
        std::set<std::string> keywords;
        splitBarsInto(row.keywords, keywords);
        for (std::string& word : CatalogAssembler::keywords(row.name)) {
            keywords.insert(std::move(word));
        }
        const std::string anchor(row.anchor);
        for (const std::string& word : wordsByAnchor[anchor]) {
            if (anchorsWith[word] < genericFrom) {
                keywords.insert(word);
            }
        }
        keywords.erase(item.name);
        item.keywords.assign(keywords.begin(), keywords.end());
        if (auto names = tables_.userLanguageNames.find(anchor);
            names != tables_.userLanguageNames.end()) {
            assembly.localNames.emplace(item.emoji, names->second);
        }
        assembly.items.push_back(std::move(item));
    }
    return assembly;
}

} // namespace tiklo
