// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SystemEmojiTables.h"

#include "catalog/CldrAnnotations.h"
#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/PropertyListReader.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <optional>
#include <set>

namespace tiklo {
namespace {

using Format = CatalogSources::AnnotationFormat;
using StringTable = std::unordered_map<std::string, std::string>;
using ListTable = std::unordered_map<std::string, std::vector<std::string>>;

std::optional<PropertyListValue> readPropertyList(const std::string& path) {
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return PropertyListReader::parse(*bytes);
}

// CLDR writes many keys without U+FE0F; the emoji file gives the fully-qualified form. Let
// each such key also serve its fully-qualified forms, unless they have entries of their own.
template <typename Table>
void addQualifiedForms(Table& table, const std::vector<std::string>& qualifiedEmoji) {
    const std::string selector = "\xEF\xB8\x8F"; // U+FE0F
    for (const std::string& qualified : qualifiedEmoji) {
        if (qualified.find(selector) == std::string::npos || table.contains(qualified)) {
            continue;
        }
        std::string bare = qualified;
        for (std::size_t at = bare.find(selector); at != std::string::npos;
             at = bare.find(selector, at)) {
            bare.erase(at, selector.size());
        }
        if (auto found = table.find(bare); found != table.end()) {
            table.emplace(qualified, found->second);
        }
    }
}

// Parses each CLDR file once, however many tables of one load draw on it (the English
// files give both names and phrases): parsing is most of a cold start.
class CldrFiles {
public:
    // The files of the set that read and parse, in order.
    std::vector<const CldrAnnotations*> set(const std::vector<std::string>& paths) {
        std::vector<const CldrAnnotations*> files;
        for (const std::string& path : paths) {
            auto [entry, added] = parsed_.try_emplace(path);
            if (added) {
                if (const std::optional<std::string> bytes = readWholeFile(path)) {
                    entry->second = CldrAnnotations::parse(*bytes);
                }
            }
            if (entry->second) {
                files.push_back(&*entry->second);
            }
        }
        return files;
    }

private:
    // Nodes stay put as the map grows, so the pointers handed out stay valid.
    std::unordered_map<std::string, std::optional<CldrAnnotations>> parsed_;
};

std::optional<StringTable> namesFromPropertyList(const std::string& path) {
    const std::optional<PropertyListValue> root = readPropertyList(path);
    const PropertyListValue::Dictionary* dictionary = root ? root->asDictionary() : nullptr;
    if (dictionary == nullptr || dictionary->empty()) {
        return std::nullopt;
    }
    StringTable table;
    for (const auto& [key, value] : *dictionary) {
        const std::string* name = value.asString();
        if (name == nullptr) {
            return std::nullopt;
        }
        table[key] = *name; // a repeated key: the later entry wins, as in a dictionary
    }
    return table;
}

// A key named by an earlier file of the set keeps that name.
StringTable namesFromCldr(const std::vector<std::string>& paths,
                          const std::vector<std::string>& qualifiedEmoji, CldrFiles& cldr) {
    StringTable table;
    for (const CldrAnnotations* file : cldr.set(paths)) {
        for (const auto& [emoji, name] : file->names) {
            table.emplace(emoji, name);
        }
    }
    addQualifiedForms(table, qualifiedEmoji);
    return table;
}

using PhraseAccumulator = std::unordered_map<std::string, std::set<std::string>>;

ListTable sortedLists(PhraseAccumulator& accumulator) {
    ListTable table;
    for (auto& [emoji, phrases] : accumulator) {
        table.emplace(emoji, std::vector<std::string>(phrases.begin(), phrases.end()));
    }
    return table;
}

bool isStringArray(const PropertyListValue& value) {
    const PropertyListValue::Array* array = value.asArray();
    return array != nullptr && std::all_of(array->begin(), array->end(), [](const auto& element) {
               return element.asString() != nullptr;
           });
}

void phrasesFromPropertyList(const std::string& path, PhraseAccumulator& accumulator) {
    const std::optional<PropertyListValue> root = readPropertyList(path);
    const PropertyListValue::Dictionary* dictionary = root ? root->asDictionary() : nullptr;
    if (dictionary == nullptr ||
        !std::all_of(dictionary->begin(), dictionary->end(),
                     [](const auto& entry) { return isStringArray(entry.second); })) {
        return;
    }
    for (const auto& [phrase, list] : *dictionary) {
        const std::string lowered = unicode::toLower(phrase);
        for (const PropertyListValue& emoji : *list.asArray()) {
            accumulator[*emoji.asString()].insert(lowered);
        }
    }
}

void phrasesFromCldr(const std::vector<std::string>& paths,
                     const std::vector<std::string>& qualifiedEmoji, CldrFiles& cldr,
                     PhraseAccumulator& accumulator) {
    PhraseAccumulator fromFiles;
    for (const CldrAnnotations* file : cldr.set(paths)) {
        for (const auto& [emoji, words] : file->keywords) {
            for (const std::string& word : words) {
                fromFiles[emoji].insert(unicode::toLower(word));
            }
        }
    }
    addQualifiedForms(fromFiles, qualifiedEmoji);
    for (auto& [emoji, phrases] : fromFiles) {
        accumulator[emoji].merge(phrases);
    }
}

std::vector<std::string> qualifiedEmojiOf(const CatalogSources& sources) {
    std::vector<std::string> qualified;
    for (const CatalogSources::EmojiFile& file : sources.emojiFiles) {
        if (file.format != CatalogSources::EmojiFileFormat::emojiTest) {
            continue;
        }
        if (const std::optional<std::string> bytes = readWholeFile(file.path)) {
            for (EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(*bytes)) {
                qualified.push_back(std::move(entry.emoji));
            }
        }
    }
    return qualified;
}

StringTable systemNamesFrom(const std::vector<CatalogSources::Annotations>& candidates,
                            const std::vector<std::string>& qualifiedEmoji, CldrFiles& cldr) {
    for (const CatalogSources::Annotations& candidate : candidates) {
        if (candidate.format == Format::cldr) {
            StringTable table = namesFromCldr(candidate.paths, qualifiedEmoji, cldr);
            if (!table.empty()) {
                return table;
            }
            continue;
        }
        for (const std::string& path : candidate.paths) {
            if (std::optional<StringTable> table = namesFromPropertyList(path)) {
                return std::move(*table);
            }
        }
    }
    return {};
}

ListTable phrasesFrom(const std::vector<CatalogSources::Annotations>& candidates,
                      const std::vector<std::string>& qualifiedEmoji, CldrFiles& cldr) {
    PhraseAccumulator accumulator;
    for (const CatalogSources::Annotations& candidate : candidates) {
        if (candidate.format == Format::cldr) {
            phrasesFromCldr(candidate.paths, qualifiedEmoji, cldr, accumulator);
        } else {
            for (const std::string& path : candidate.paths) {
                phrasesFromPropertyList(path, accumulator);
                if (!accumulator.empty()) {
                    break;
                }
            }
        }
        if (!accumulator.empty()) {
            break;
        }
    }
    return sortedLists(accumulator);
}

SystemEmojiTables::UserLanguage userLanguageFrom(const std::vector<std::string>& paths,
                                                 const std::vector<std::string>& qualifiedEmoji,
                                                 CldrFiles& cldr) {
    // Every file adds: a regional locale's file holds only what differs from its language's.
    PhraseAccumulator words;
    ListTable names;
    for (const CldrAnnotations* file : cldr.set(paths)) {
        const auto addName = [&](const std::string& emoji, const std::string& name) {
            std::string lowered = unicode::toLower(name);
            std::vector<std::string>& itsNames = names[emoji];
            if (std::find(itsNames.begin(), itsNames.end(), lowered) == itsNames.end()) {
                itsNames.push_back(std::move(lowered));
            }
        };
        for (const auto& [emoji, name] : file->names) {
            words[emoji].insert(unicode::toLower(name));
            addName(emoji, name);
        }
        // "Daumen hoch: mittlere Hautfarbe" names the thumb, whatever tone it is typed in.
        for (const auto& [emoji, name] : file->tonedNames) {
            addName(emoji, name);
        }
        for (const auto& [emoji, keywords] : file->keywords) {
            for (const std::string& keyword : keywords) {
                words[emoji].insert(unicode::toLower(keyword));
            }
        }
    }
    addQualifiedForms(words, qualifiedEmoji);
    addQualifiedForms(names, qualifiedEmoji);
    return {sortedLists(words), std::move(names)};
}

} // namespace

SystemEmojiTables SystemEmojiTables::load(const CatalogSources& sources) {
    const std::vector<std::string> qualified = qualifiedEmojiOf(sources);
    SystemEmojiTables tables;
    CldrFiles cldr;
    tables.systemNames = systemNamesFrom(sources.names, qualified, cldr);
    tables.equivalentByEmoji = loadEquivalences(sources.equivalences);
    tables.phraseAliasesByEmoji = phrasesFrom(sources.phrases, qualified, cldr);
    SystemEmojiTables::UserLanguage userLanguage =
        userLanguageFrom(sources.userLanguage, qualified, cldr);
    tables.userLanguageKeywords = std::move(userLanguage.words);
    tables.userLanguageNames = std::move(userLanguage.names);
    return tables;
}

StringTable
SystemEmojiTables::loadSystemNames(const std::vector<CatalogSources::Annotations>& candidates,
                                   const std::vector<std::string>& qualifiedEmoji) {
    CldrFiles cldr;
    return systemNamesFrom(candidates, qualifiedEmoji, cldr);
}

ListTable SystemEmojiTables::loadEquivalences(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        const std::optional<PropertyListValue> root = readPropertyList(path);
        const PropertyListValue::Array* groups = root ? root->asArray() : nullptr;
        if (groups == nullptr || groups->empty() ||
            !std::all_of(groups->begin(), groups->end(), isStringArray)) {
            continue;
        }
        ListTable table;
        for (const PropertyListValue& group : *groups) {
            const PropertyListValue::Array& members = *group.asArray();
            for (const PropertyListValue& member : members) {
                const std::string& emoji = *member.asString();
                std::vector<std::string>& others = table[emoji];
                for (const PropertyListValue& other : members) {
                    if (*other.asString() != emoji) {
                        others.push_back(*other.asString());
                    }
                }
            }
        }
        return table;
    }
    return {};
}

ListTable SystemEmojiTables::loadPhrases(const std::vector<CatalogSources::Annotations>& candidates,
                                         const std::vector<std::string>& qualifiedEmoji) {
    CldrFiles cldr;
    return phrasesFrom(candidates, qualifiedEmoji, cldr);
}

SystemEmojiTables::UserLanguage
SystemEmojiTables::loadUserLanguage(const std::vector<std::string>& paths,
                                    const std::vector<std::string>& qualifiedEmoji) {
    CldrFiles cldr;
    return userLanguageFrom(paths, qualifiedEmoji, cldr);
}

} // namespace tiklo
