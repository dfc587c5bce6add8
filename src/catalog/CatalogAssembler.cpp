// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CatalogAssembler.h"

#include "catalog/BuiltinTables.h"
#include "catalog/EmojiFileScanner.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tiklo {
namespace {

// Words tested against the upper-cased display name by plain substring containment.
constexpr std::array<std::string_view, 4> smileysWords{"FACE", "SMILE", "HEART EYES", "CAT FACE"};

struct CategoryWords {
    EmojiCategory category;
    std::vector<std::string_view> words;
};

const std::array<CategoryWords, 6>& categoryWordLists() {
    static const std::array<CategoryWords, 6> lists{{
        {EmojiCategory::people,
         {"PERSON", "MAN", "WOMAN", "BOY", "GIRL", "BABY", "HAND", "FINGER", "FIST", "BICEPS",
          "BODY", "HAIR", "FAMILY", "COUPLE"}},
        {EmojiCategory::animals, {"DOG",  "CAT",  "MONKEY", "BIRD",  "FISH",  "WHALE",  "HORSE",
                                  "COW",  "PIG",  "FROG",   "BEAR",  "PLANT", "FLOWER", "TREE",
                                  "LEAF", "MOON", "SUN",    "CLOUD", "RAIN",  "SNOW",   "FIRE"}},
        {EmojiCategory::food,
         {"FOOD", "DRINK", "APPLE", "BANANA", "BREAD", "CAKE", "PIZZA", "BURGER", "TACO", "SUSHI",
          "COFFEE", "BEER", "WINE", "CUP", "BOWL"}},
        {EmojiCategory::activity,
         {"BALL", "GAME", "SPORT", "TROPHY", "MEDAL", "MUSIC", "MICROPHONE", "ART", "THEATER",
          "SKI", "SWIM"}},
        {EmojiCategory::travel,
         {"CAR", "BUS", "TRAIN", "AIRPLANE", "ROCKET", "SHIP", "BICYCLE", "HOUSE", "BUILDING",
          "HOTEL", "EARTH", "GLOBE", "MAP", "MOUNTAIN"}},
        {EmojiCategory::symbols,
         {"HEART", "ARROW", "SIGN", "SYMBOL", "BUTTON", "MARK", "NUMBER", "LETTER", "SQUARE",
          "CIRCLE", "TRIANGLE"}},
    }};
    return lists;
}

constexpr std::array<std::string_view, 14> skinToneWords{
    "HAND", "FIST", "FINGER", "PERSON", "MAN",  "WOMAN", "BOY",
    "GIRL", "BABY", "BICEPS", "LEG",    "FOOT", "EAR",   "NOSE"};

// Removed from Unicode character names when a name is built from them.
constexpr std::array<std::string_view, 3> nameCleanupPhrases{
    "EMOJI MODIFIER FITZPATRICK TYPE-", "VARIATION SELECTOR-16", "ZERO WIDTH JOINER"};

constexpr std::string_view flagNamePrefix = "flag ";
constexpr std::string_view flagKeywordPrefix = "flag_";
constexpr std::string_view unnamedPrefix = "emoji ";
constexpr std::string_view unnamedShortcodePrefix = "emoji_";
constexpr std::size_t minimumKeywordLength = 3;

template <typename Words> bool containsAny(std::string_view upper, const Words& words) {
    return std::any_of(words.begin(), words.end(), [upper](std::string_view word) {
        return upper.find(word) != std::string_view::npos;
    });
}

// The region letters of the regional indicators in `emoji`, in order (A..Z).
std::string regionLetters(std::string_view emoji) {
    std::string letters;
    for (char32_t c : unicode::scalars(emoji)) {
        if (unicode::isRegionalIndicator(c)) {
            letters.push_back(static_cast<char>('A' + (c - unicode::firstRegionalIndicator)));
        }
    }
    return letters;
}

void removeAll(std::string& text, std::string_view phrase) {
    for (std::size_t at = text.find(phrase); at != std::string::npos; at = text.find(phrase, at)) {
        text.erase(at, phrase.size());
    }
}

} // namespace

CatalogAssembler::Assembly
CatalogAssembler::assemble(const std::vector<CatalogSources::EmojiFile>& files) const {
    Assembly assembly;
    std::vector<EmojiItem>& items = assembly.items;
    std::unordered_set<std::string> seen;
    std::unordered_set<std::string> used;
    EmojiFileScanner::scan(files, seen,
                           [&](const std::string& emoji, std::optional<EmojiCategory> group) {
                               items.push_back(makeItem(emoji, used, group));
                           });
    assembly.scannedItems = items.size();
    if (items.size() >= minimumSystemItems) {
        return assembly;
    }
    for (const EmojiItem& fallback : BuiltinTables::fallbackItems()) {
        if (!seen.contains(fallback.emoji)) {
            items.push_back(fallback);
        }
    }
    return assembly;
}

EmojiItem CatalogAssembler::makeItem(const std::string& emoji,
                                     std::unordered_set<std::string>& used,
                                     std::optional<EmojiCategory> group) const {
    static const std::vector<std::string> noAliases;
    const auto& aliasTable = BuiltinTables::aliasesByEmoji();
    const auto found = aliasTable.find(emoji);
    const std::vector<std::string>& aliases = found != aliasTable.end() ? found->second : noAliases;

    EmojiItem item;
    item.emoji = emoji;
    item.name = displayName(emoji, aliases);
    const std::string preferred = aliases.empty() ? slug(item.name) : aliases.front();
    item.shortcode = uniqueShortcode(preferred, emoji, used);
    item.category = group ? *group : category(emoji, item.name);
    item.keywords = extraKeywords(emoji, item.name, aliases);
    item.supportsSkinTone = supportsSkinTone(emoji, item.name);
    return item;
}

std::string CatalogAssembler::displayName(std::string_view emoji,
                                          const std::vector<std::string>& aliases) const {
    if (auto found = tables_.systemNames.find(std::string(emoji));
        found != tables_.systemNames.end() && !found->second.empty()) {
        return unicode::toLower(found->second);
    }
    if (!aliases.empty()) {
        std::string name = aliases.front();
        std::replace(name.begin(), name.end(), '_', ' ');
        return name;
    }
    std::u32string cleaned = unicode::scalars(emoji);
    std::erase_if(cleaned, [](char32_t c) {
        return c == unicode::zeroWidthJoiner || c == unicode::combiningEnclosingKeycap ||
               c == unicode::variationSelector16 || unicode::isSkinToneModifier(c);
    });
    if (isFlag(emoji)) {
        const std::string letters = regionLetters(unicode::toUtf8(cleaned));
        if (!letters.empty()) {
            return std::string(flagNamePrefix) + unicode::toLower(letters);
        }
    }
    std::string joined;
    bool anyNamed = false;
    for (char32_t c : cleaned) {
        std::optional<std::string> characterName = unicode::characterName(c);
        if (!characterName) {
            continue;
        }
        for (std::string_view phrase : nameCleanupPhrases) {
            removeAll(*characterName, phrase);
        }
        if (anyNamed) {
            joined += ' ';
        }
        anyNamed = true;
        joined += unicode::toLower(*characterName);
    }
    if (anyNamed) {
        return joined;
    }
    return std::string(unnamedPrefix) + hexID(emoji);
}

std::string CatalogAssembler::hexID(std::string_view emoji) {
    std::string id;
    for (char32_t c : unicode::scalars(emoji)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(c));
        if (!id.empty()) {
            id += '_';
        }
        id += buffer;
    }
    return id;
}

std::string CatalogAssembler::slug(std::string_view text) {
    std::string result;
    bool pendingSeparator = false;
    for (char32_t c : unicode::scalars(unicode::toLower(text))) {
        if (!unicode::isAlphanumeric(c)) {
            pendingSeparator = true;
            continue;
        }
        if (pendingSeparator && !result.empty()) {
            result += '_';
        }
        pendingSeparator = false;
        unicode::appendUtf8(result, c);
    }
    return result;
}

std::string CatalogAssembler::uniqueShortcode(std::string_view preferred, std::string_view emoji,
                                              std::unordered_set<std::string>& used) {
    std::string base = slug(preferred);
    if (base.empty()) {
        base = std::string(unnamedShortcodePrefix) + hexID(emoji);
    }
    if (used.insert(base).second) {
        return base;
    }
    for (unsigned suffix = 2;; ++suffix) {
        std::string candidate = base + "_" + std::to_string(suffix);
        if (used.insert(candidate).second) {
            return candidate;
        }
    }
}

bool CatalogAssembler::isFlag(std::string_view emoji) {
    const std::u32string scalars = unicode::scalars(emoji);
    return std::count_if(scalars.begin(), scalars.end(), unicode::isRegionalIndicator) >= 2;
}

EmojiCategory CatalogAssembler::category(std::string_view emoji, std::string_view name) {
    if (isFlag(emoji)) {
        return EmojiCategory::flags;
    }
    const std::string upper = unicode::toUpper(name);
    if (containsAny(upper, smileysWords)) {
        return EmojiCategory::smileys;
    }
    for (const CategoryWords& list : categoryWordLists()) {
        if (containsAny(upper, list.words)) {
            return list.category;
        }
    }
    return EmojiCategory::objects;
}

bool CatalogAssembler::supportsSkinTone(std::string_view emoji, std::string_view name) {
    const std::u32string scalars = unicode::scalars(emoji);
    if (std::any_of(scalars.begin(), scalars.end(), unicode::isEmojiModifierBase)) {
        return true;
    }
    return containsAny(unicode::toUpper(name), skinToneWords);
}

std::vector<std::string> CatalogAssembler::keywords(std::string_view text) {
    std::string spaced(text);
    std::replace(spaced.begin(), spaced.end(), '-', ' ');
    std::set<std::string> words;
    std::string_view rest = spaced;
    while (!rest.empty()) {
        const std::size_t space = std::min(rest.find(' '), rest.size());
        const std::string_view piece = rest.substr(0, space);
        rest.remove_prefix(std::min(space + 1, rest.size()));
        if (piece.empty()) {
            continue;
        }
        std::string lowered = unicode::toLower(piece);
        if (unicode::graphemeCount(lowered) >= minimumKeywordLength) {
            words.insert(std::move(lowered));
        }
    }
    return {words.begin(), words.end()};
}

void CatalogAssembler::insertKeywords(std::set<std::string>& into, std::string_view text) {
    for (std::string& word : keywords(text)) {
        into.insert(std::move(word));
    }
}

std::vector<std::string> CatalogAssembler::flagRegionKeywords(std::string_view emoji) {
    const std::string code = regionLetters(emoji);
    if (code.size() != 2) {
        return {};
    }
    const std::string lower = unicode::toLower(code);
    std::set<std::string> result{lower, std::string(flagKeywordPrefix) + lower};
    if (const std::optional<std::string> region = unicode::regionName(code)) {
        result.insert(unicode::toLower(*region));
        insertKeywords(result, *region);
    }
    const auto& regionAliases = BuiltinTables::regionAliases();
    if (auto found = regionAliases.find(code); found != regionAliases.end()) {
        for (const std::string& alias : found->second) {
            result.insert(alias);
            insertKeywords(result, alias);
        }
    }
    return {result.begin(), result.end()};
}

std::vector<std::string>
CatalogAssembler::extraKeywords(std::string_view emoji, std::string_view name,
                                const std::vector<std::string>& aliases) const {
    std::set<std::string> result;
    if (aliases.size() >= 2) {
        result.insert(aliases.begin() + 1, aliases.end());
    }
    insertKeywords(result, name);
    const std::string key(emoji);
    if (auto found = tables_.phraseAliasesByEmoji.find(key);
        found != tables_.phraseAliasesByEmoji.end()) {
        for (const std::string& phrase : found->second) {
            result.insert(phrase);
            insertKeywords(result, phrase);
        }
    }
    if (auto found = tables_.equivalentByEmoji.find(key);
        found != tables_.equivalentByEmoji.end()) {
        const auto& aliasTable = BuiltinTables::aliasesByEmoji();
        for (const std::string& other : found->second) {
            if (auto named = tables_.systemNames.find(other); named != tables_.systemNames.end()) {
                insertKeywords(result, named->second);
            }
            if (auto otherAliases = aliasTable.find(other); otherAliases != aliasTable.end()) {
                result.insert(otherAliases->second.begin(), otherAliases->second.end());
            }
        }
    }
    for (std::string& keyword : flagRegionKeywords(emoji)) {
        result.insert(std::move(keyword));
    }
    if (auto found = tables_.userLanguageKeywords.find(key);
        found != tables_.userLanguageKeywords.end()) {
        result.insert(found->second.begin(), found->second.end());
    }
    return {result.begin(), result.end()};
}

} // namespace tiklo
