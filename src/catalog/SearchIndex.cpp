// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SearchIndex.h"

#include "catalog/BuiltinTables.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace tiklo {
namespace {

// "U+2713" with one to six hex digits, or four to six hex digits alone ("2713", "1f600"):
// the way people copy a code point from a table. Fewer bare digits are more likely a number.
std::optional<char32_t> codePointNamed(std::string_view q) {
    constexpr std::string_view marker = "u+";
    constexpr std::size_t minBareDigits = 4;
    constexpr std::size_t maxDigits = 6;
    const bool marked = q.starts_with(marker);
    const std::string_view digits = marked ? q.substr(marker.size()) : q;
    if (digits.empty() || digits.size() > maxDigits || (!marked && digits.size() < minBareDigits) ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; })) {
        return std::nullopt;
    }
    constexpr char32_t lastScalar = 0x10FFFF;
    const auto value = static_cast<char32_t>(std::stoul(std::string(digits), nullptr, 16));
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value > lastScalar || surrogate || value < U' ') {
        return std::nullopt;
    }
    return value;
}

// The named text itself, or its emoji form with U+FE0F after it ("2764" names ❤️).
bool isNamed(const std::string& text, const std::string& named) {
    constexpr std::string_view emojiSelector = "\xEF\xB8\x8F";
    return text.starts_with(named) &&
           (text.size() == named.size() ||
            std::string_view(text).substr(named.size()) == emojiSelector);
}

constexpr double oneDay = 86400;
constexpr double sevenDays = 604800;
constexpr double thirtyDays = 2592000;
constexpr int bonusWithinDay = 40;
constexpr int bonusWithinWeek = 25;
constexpr int bonusWithinMonth = 12;
constexpr int bonusOlder = 4;

std::string underscoresToSpaces(std::string text) {
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

// A prefix match must end on a character boundary: "e" is not a prefix of "é" written
// as e + combining acute.
bool startsWithWholeCharacters(std::string_view text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    if (text.size() == prefix.size() || prefix.empty()) {
        return true;
    }
    return !unicode::continuesCharacter(unicode::scalars(text.substr(prefix.size(), 4)).front());
}

} // namespace

struct SearchIndex::Scores {
    std::vector<int> frecency;
    std::vector<char> favorite;
};

std::string SearchIndex::nameForm(std::string_view text) {
    std::string form;
    form.reserve(text.size());
    for (const char32_t c : unicode::scalars(text)) {
        // French writes "drapeau : Allemagne" with a narrow no-break space.
        if (c != U':' && c != U',' && !unicode::isWhiteSpace(c)) {
            unicode::appendUtf8(form, c);
        } else if (!form.empty() && form.back() != ' ') {
            form += ' ';
        }
    }
    if (!form.empty() && form.back() == ' ') {
        form.pop_back();
    }
    return form;
}

SearchIndex::SearchIndex(const std::vector<EmojiItem>& items, Clock clock,
                         const LocalNames& localNames)
    : clock_(std::move(clock)) {
    const auto& ranks = BuiltinTables::commonRankByEmoji();
    entries_.reserve(items.size());
    for (const EmojiItem& item : items) {
        Indexed entry;
        entry.item = &item;
        entry.nameLower = unicode::nfc(unicode::toLower(item.name));
        entry.shortcodeNorm = underscoresToSpaces(unicode::nfc(unicode::toLower(item.shortcode)));
        entry.keywordsLower.reserve(item.keywords.size());
        for (const std::string& keyword : item.keywords) {
            entry.keywordsLower.push_back(unicode::nfc(unicode::toLower(keyword)));
        }
        std::sort(entry.keywordsLower.begin(), entry.keywordsLower.end());
        entry.haystack = underscoresToSpaces(unicode::nfc(item.searchableText()));
        if (auto rank = ranks.find(item.emoji); rank != ranks.end()) {
            entry.commonRank = rank->second;
        }
        if (auto names = localNames.find(item.emoji); names != localNames.end()) {
            entry.localNames.reserve(names->second.size());
            for (const std::string& name : names->second) {
                entry.localNames.push_back(nameForm(unicode::nfc(unicode::toLower(name))));
            }
        }
        entries_.push_back(std::move(entry));
    }

    std::vector<std::size_t> byName(items.size());
    std::iota(byName.begin(), byName.end(), 0);
    std::vector<std::string> names;
    names.reserve(items.size());
    for (const EmojiItem& item : items) {
        names.push_back(unicode::nfc(item.name));
    }
    std::stable_sort(byName.begin(), byName.end(),
                     [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
    for (std::size_t rank = 0; rank < byName.size(); ++rank) {
        entries_[byName[rank]].nameOrder = static_cast<int>(rank);
    }

    using Postings = std::vector<std::pair<std::string, std::uint32_t>>;
    Postings byEmoji, byId, byKeyword, byLocalName, byWord;
    std::vector<std::vector<std::string>> typoTexts;
    typoTexts.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Indexed& entry = entries_[i];
        const auto position = static_cast<std::uint32_t>(i);
        byEmoji.emplace_back(entry.item->emoji, position);
        byId.emplace_back(entry.item->id(), position);
        for (const std::string& keyword : entry.keywordsLower) {
            byKeyword.emplace_back(keyword, position);
        }
        for (const std::string& name : entry.localNames) {
            byLocalName.emplace_back(name, position);
        }
        std::vector<std::string> words = unicode::words(entry.nameLower);
        for (const std::string& keyword : entry.keywordsLower) {
            std::vector<std::string> keywordWords = unicode::words(keyword);
            words.insert(words.end(), keywordWords.begin(), keywordWords.end());
        }
        for (std::string& word : words) {
            byWord.emplace_back(std::move(word), position);
        }
        // A typo is of a name word, a keyword or the shortcode.
        std::vector<std::string> texts = unicode::words(entry.nameLower);
        texts.insert(texts.end(), entry.keywordsLower.begin(), entry.keywordsLower.end());
        texts.push_back(entry.shortcodeNorm);
        typoTexts.push_back(std::move(texts));
    }
    typos_ = TypoIndex(typoTexts);
    words_ = PostingTable(std::move(byWord));
    entriesByEmoji_ = HashedPostingTable(PostingTable(std::move(byEmoji)));
    entriesById_ = HashedPostingTable(PostingTable(std::move(byId)));
    entriesByKeyword_ = PostingTable(std::move(byKeyword));
    entriesByLocalName_ = PostingTable(std::move(byLocalName));
}

void SearchIndex::markWordsStartingWith(std::string_view prefix,
                                        std::vector<std::uint16_t>& marks) const {
    // Each entry once, however many of its words start so.
    std::vector<char> marked(entries_.size(), 0);
    for (std::size_t word = words_.lowerBound(prefix);
         word < words_.size() && words_.text(word).starts_with(prefix); ++word) {
        for (const std::uint32_t i : words_.positions(word)) {
            if (!marked[i]) {
                marked[i] = 1;
                ++marks[i];
            }
        }
    }
}

std::unordered_map<std::string, std::size_t>
SearchIndex::recentsIndexMap(const std::vector<std::string>& recents) {
    std::unordered_map<std::string, std::size_t> positions;
    for (std::size_t i = 0; i < recents.size(); ++i) {
        positions.emplace(recents[i], i);
    }
    return positions;
}

int SearchIndex::recencyBonus(double ageSeconds) {
    if (ageSeconds < oneDay) {
        return bonusWithinDay; // a last use in the future counts as today
    }
    if (ageSeconds < sevenDays) {
        return bonusWithinWeek;
    }
    if (ageSeconds < thirtyDays) {
        return bonusWithinMonth;
    }
    return bonusOlder;
}

int SearchIndex::usageScore(const EmojiUsage& usage, double now) {
    if (usage.count < 1) {
        return 0;
    }
    const std::int64_t points =
        std::min<std::int64_t>(usage.count, maxUsePoints / pointsPerUse) * pointsPerUse;
    return static_cast<int>(points) + recencyBonus(now - usage.lastUsedAt);
}

int SearchIndex::recentsBonus(std::size_t position) {
    const auto base = static_cast<std::size_t>(recentsBonusBase);
    return position >= base - 1 ? 1 : static_cast<int>(base - position);
}

SearchIndex::Scores
SearchIndex::historyScores(const std::unordered_set<std::string>& favorites,
                           const std::unordered_map<std::string, EmojiUsage>& usage,
                           const std::vector<std::string>& recents) const {
    const double now = clock_();
    Scores scores{std::vector<int>(entries_.size(), 0), std::vector<char>(entries_.size(), 0)};
    for (const auto& [emoji, record] : usage) {
        for (const std::uint32_t i : entriesByEmoji_.find(emoji)) {
            scores.frecency[i] += usageScore(record, now);
        }
    }
    for (const auto& [id, position] : recentsIndexMap(recents)) {
        for (const std::uint32_t i : entriesById_.find(id)) {
            scores.frecency[i] += recentsBonus(position);
        }
    }
    for (const std::string& id : favorites) {
        for (const std::uint32_t i : entriesById_.find(id)) {
            scores.favorite[i] = 1;
        }
    }
    return scores;
}

std::optional<std::string> SearchIndex::namedEmoji(std::string_view q) {
    if (const std::string* emoji = BuiltinTables::emojiNamedBy(q)) {
        return *emoji;
    }
    if (const std::optional<char32_t> c = codePointNamed(q)) {
        std::string text;
        unicode::appendUtf8(text, *c);
        return text;
    }
    // "flag de" or "de flag": a person typing two letters after "flag" means the region.
    constexpr std::string_view flag = "flag";
    constexpr std::size_t codeLength = 2;
    const std::vector<std::string> words = unicode::words(q);
    if (words.size() != 2) {
        return std::nullopt;
    }
    const std::string_view code = words[0] == flag   ? std::string_view(words[1])
                                  : words[1] == flag ? std::string_view(words[0])
                                                     : std::string_view();
    if (code.size() != codeLength ||
        !std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return std::nullopt;
    }
    std::string emoji;
    for (const char c : code) {
        unicode::appendUtf8(emoji,
                            unicode::firstRegionalIndicator + static_cast<char32_t>(c - 'a'));
    }
    return emoji;
}

std::vector<char> SearchIndex::keywordEqualEntries(std::string_view q2, std::string_view q3) const {
    std::vector<char> marks(entries_.size(), 0);
    for (const auto& [table, text] :
         {std::pair{&entriesByKeyword_, q2}, {&entriesByLocalName_, q3}}) {
        for (const std::uint32_t i : table->find(text)) {
            marks[i] = 1;
        }
    }
    return marks;
}

std::optional<int> SearchIndex::tier(const Indexed& entry, std::string_view q2, std::string_view q3,
                                     const std::optional<std::string>& named, bool keywordHit) {
    const auto localName = [&](const auto& matches) {
        return std::any_of(entry.localNames.begin(), entry.localNames.end(), matches);
    };
    if (named && isNamed(entry.item->emoji, *named)) {
        return namedOutright;
    }
    if (entry.item->emoji == q2) {
        return emojiEqual;
    }
    if (entry.shortcodeNorm == q2) {
        return shortcodeEqual;
    }
    if (entry.nameLower == q2) {
        return nameEqual;
    }
    if (startsWithWholeCharacters(entry.shortcodeNorm, q2)) {
        return shortcodePrefix;
    }
    if (startsWithWholeCharacters(entry.nameLower, q2)) {
        return namePrefix;
    }
    // A name of the user's language is one of the item's keywords as well: whole, it ranks
    // as a keyword, so that a keyword that happens to be another emoji's name ("herz" of ❤️,
    // the name of ♥️) keeps its place; by its start, above the text found anywhere.
    if (keywordHit) {
        return keywordEqual;
    }
    if (localName([&](const std::string& name) { return startsWithWholeCharacters(name, q3); })) {
        return localNamePrefix;
    }
    if (entry.haystack.find(q2) != std::string::npos) {
        return textContains;
    }
    return std::nullopt;
}

std::vector<std::pair<std::size_t, int>>
SearchIndex::looserMatches(std::string_view q2, const std::vector<char>& settled,
                           std::size_t foundCount) const {
    std::vector<std::pair<std::size_t, int>> matches;
    std::vector<char> taken = settled;
    std::vector<std::string> queryWords = unicode::words(q2);
    std::sort(queryWords.begin(), queryWords.end());
    queryWords.erase(std::unique(queryWords.begin(), queryWords.end()), queryWords.end());
    if (queryWords.size() >= 2) {
        std::vector<std::uint16_t> marks(entries_.size(), 0);
        for (const std::string& queryWord : queryWords) {
            markWordsStartingWith(queryWord, marks);
        }
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (!taken[i] && marks[i] == queryWords.size()) {
                matches.emplace_back(i, anyOrder);
                taken[i] = 1;
            }
        }
    }
    if (foundCount + matches.size() >= typoResultLimit) {
        return matches;
    }
    const std::u32string typed = unicode::scalars(q2);
    const auto letters = static_cast<std::size_t>(
        std::count_if(typed.begin(), typed.end(), unicode::isAlphanumeric));
    if (letters < minTypoLetters) {
        return matches;
    }
    const int maxEdits = letters >= twoEditLetters ? 2 : 1;
    for (const auto& [i, edits] : typos_.within(typed, maxEdits)) {
        if (!taken[i]) {
            matches.emplace_back(i, typo - edits);
        }
    }
    return matches;
}

std::vector<const EmojiItem*>
SearchIndex::search(std::string_view query, std::optional<EmojiCategory> category,
                    const std::unordered_set<std::string>& favorites,
                    const std::unordered_map<std::string, EmojiUsage>& usage,
                    const std::vector<std::string>& recents) const {
    const std::vector<Found> found = rankedSearch(query, category, favorites, usage, recents);
    std::vector<const EmojiItem*> results;
    results.reserve(found.size());
    for (const Found& one : found) {
        results.push_back(one.item);
    }
    return results;
}

std::vector<SearchIndex::Found>
SearchIndex::rankedSearch(std::string_view query, std::optional<EmojiCategory> category,
                          const std::unordered_set<std::string>& favorites,
                          const std::unordered_map<std::string, EmojiUsage>& usage,
                          const std::vector<std::string>& recents) const {
    const std::string q = unicode::nfc(unicode::toLower(unicode::trimWhiteSpace(query)));
    const Scores scores = historyScores(favorites, usage, recents);
    const auto inPool = [&](const Indexed& entry) {
        return !category || entry.item->category == *category;
    };

    struct Ranked {
        std::size_t entry;
        int primary;  // empty query: score; else tier
        int frecency; // typed query only
        int favorite; // typed query only
        int common;   // typed query only
        int order;
    };
    std::vector<Ranked> ranked;

    if (q.empty()) {
        ranked.reserve(entries_.size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const Indexed& entry = entries_[i];
            if (!inPool(entry)) {
                continue;
            }
            const int f = scores.frecency[i];
            const int score = (scores.favorite[i] ? favoriteBonus : 0) +
                              (f > 0 ? f + usedItemOffset : entry.commonRank);
            ranked.push_back({i, score, 0, 0, 0, entry.nameOrder});
        }
    } else {
        // Before the colons go: ":)" is an emoticon, ")" is not.
        const std::optional<std::string> named = namedEmoji(q);
        std::string q2;
        q2.reserve(q.size());
        for (char c : q) {
            if (c != ':') {
                q2 += c == '_' ? ' ' : c;
            }
        }
        const std::string q3 = nameForm(q2);
        // Ranked already, or outside the pool.
        std::vector<char> settled(entries_.size(), 0);
        const std::vector<char> keywordHits = keywordEqualEntries(q2, q3);
        std::size_t foundCount = 0;
        const auto rank = [&](std::size_t i, int t) {
            const Indexed& entry = entries_[i];
            ranked.push_back(
                {i, t, scores.frecency[i], scores.favorite[i], entry.commonRank, entry.nameOrder});
        };
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const Indexed& entry = entries_[i];
            if (!inPool(entry)) {
                settled[i] = 1;
                continue;
            }
            if (const std::optional<int> t = tier(entry, q2, q3, named, keywordHits[i] != 0)) {
                rank(i, *t);
                settled[i] = 1;
                ++foundCount;
            }
        }
        for (const auto& [i, t] : looserMatches(q2, settled, foundCount)) {
            rank(i, t);
        }
    }

    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.primary != b.primary) {
            return a.primary > b.primary;
        }
        if (a.frecency != b.frecency) {
            return a.frecency > b.frecency;
        }
        if (a.favorite != b.favorite) {
            return a.favorite > b.favorite;
        }
        if (a.common != b.common) {
            return a.common > b.common;
        }
        return a.order < b.order;
    });

    std::vector<Found> results;
    results.reserve(ranked.size());
    for (const Ranked& r : ranked) {
        results.push_back({entries_[r.entry].item, r.primary});
    }
    return results;
}

} // namespace tiklo
