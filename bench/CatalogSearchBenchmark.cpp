// SPDX-License-Identifier: GPL-3.0-or-later
// Search speed on the full system catalog with a realistic history: 36 recents,
// 20 favorites and 200 usage records, in English only and with a second language
// (German), whose keywords lengthen every item's search text. Each query class is also
// measured as a plain substring scan over every item's search text, the floor a linear
// search cannot beat. The popup's search of every kind (emoji, symbols, kaomoji) is measured
// beside the emoji alone, in English.
//
// The popup's give-way check is measured beside them: whether a query with a punctuation key
// added still starts some name, keyword or shortcode (a full scan when it does not), and
// building what it looks in.
#include "catalog/EmojiCatalog.h"
#include "catalog/UserLocale.h"

#include <map>
#include <memory>

#include <benchmark/benchmark.h>

namespace tiklo {
namespace {

constexpr std::size_t recentCount = 36;
constexpr std::size_t favoriteCount = 20;
constexpr std::size_t usageCount = 200;
constexpr double now = 800000000;

struct History {
    std::unordered_set<std::string> favorites;
    std::unordered_map<std::string, EmojiUsage> usage;
    std::vector<std::string> recents;
};

constexpr std::string_view english = UserLocale::none;
constexpr std::string_view german = "de_DE.UTF-8";

const EmojiCatalog& catalog(std::string_view locale) {
    static std::map<std::string_view, std::unique_ptr<EmojiCatalog>> catalogs;
    std::unique_ptr<EmojiCatalog>& instance = catalogs[locale];
    if (!instance) {
        instance = std::make_unique<EmojiCatalog>(CatalogSources::systemDefaults(locale),
                                                  [] { return now; });
    }
    return *instance;
}

// The same picks in both languages: the items and their order do not depend on it.
const History& history() {
    static const History h = [] {
        History made;
        const auto& items = catalog(english).all();
        // Spread the picks over the catalog so they are not all at the front.
        const std::size_t step = items.size() / usageCount;
        for (std::size_t i = 0; i < usageCount; ++i) {
            const EmojiItem& item = items[(i * step + 7) % items.size()];
            made.usage[item.emoji] = {static_cast<std::int64_t>(i % 9 + 1), now - 3600.0 * i};
            if (i < recentCount) {
                made.recents.push_back(item.id());
            }
            if (i % 10 == 3 && made.favorites.size() < favoriteCount) {
                made.favorites.insert(item.id());
            }
        }
        return made;
    }();
    return h;
}

const std::vector<std::string>& haystacks(std::string_view locale) {
    static std::map<std::string_view, std::vector<std::string>> texts;
    std::vector<std::string>& made = texts[locale];
    if (made.empty()) {
        for (const EmojiItem& item : catalog(locale).all()) {
            made.push_back(item.searchableText());
        }
    }
    return made;
}

void search(benchmark::State& state, std::string_view locale, const std::string& query) {
    const History& h = history();
    const EmojiCatalog& searched = catalog(locale);
    searched.index(); // built once, outside the timing
    for (auto _ : state) {
        auto results = searched.search(query, std::nullopt, h.favorites, h.usage, h.recents);
        benchmark::DoNotOptimize(results.data());
    }
}

// What the popup searches per key: emoji, symbols and kaomoji, each in its own index, and
// the group the query may name.
void searchAllKinds(benchmark::State& state, std::string_view locale, const std::string& query) {
    const History& h = history();
    const EmojiCatalog& searched = catalog(locale);
    for (const ItemKind kind : allItemKinds) {
        searched.ofKind(kind).index(); // built once, outside the timing
    }
    for (auto _ : state) {
        auto results = searched.inlineSearch(query, h.favorites, h.usage, h.recents);
        benchmark::DoNotOptimize(results.data());
        auto group = searched.namedGroup(query);
        benchmark::DoNotOptimize(group);
    }
}

void substringFloor(benchmark::State& state, std::string_view locale, const std::string& query) {
    const std::vector<std::string>& texts = haystacks(locale);
    for (auto _ : state) {
        std::size_t matches = 0;
        for (const std::string& text : texts) {
            matches += text.find(query) != std::string::npos ? 1 : 0;
        }
        benchmark::DoNotOptimize(matches);
    }
}

void wordRunStart(benchmark::State& state, std::string_view locale, const std::string& text) {
    const WordRunIndex& words = catalog(locale).wordRuns(); // built once, outside the timing
    for (auto _ : state) {
        benchmark::DoNotOptimize(words.startsWordRun(text));
    }
}

void wordRunsBuild(benchmark::State& state, std::string_view locale) {
    const std::vector<EmojiItem>& items = catalog(locale).all();
    for (auto _ : state) {
        const WordRunIndex words(items);
        benchmark::DoNotOptimize(&words);
    }
}

#define TIKLO_QUERY_BENCHMARK(function, language, label, query)                                    \
    BENCHMARK_CAPTURE(function, language##_##label, language, std::string(query))                  \
        ->Unit(benchmark::kMicrosecond)                                                            \
        ->Repetitions(5)                                                                           \
        ->ReportAggregatesOnly(true);

#define TIKLO_QUERY_BENCHMARKS(label, query)                                                       \
    TIKLO_QUERY_BENCHMARK(search, english, label, query)                                           \
    TIKLO_QUERY_BENCHMARK(search, german, label, query)                                            \
    TIKLO_QUERY_BENCHMARK(searchAllKinds, english, label, query)                                   \
    TIKLO_QUERY_BENCHMARK(substringFloor, english, label, query)                                   \
    TIKLO_QUERY_BENCHMARK(substringFloor, german, label, query)

TIKLO_QUERY_BENCHMARKS(empty, "")
TIKLO_QUERY_BENCHMARKS(one_letter, "s")
TIKLO_QUERY_BENCHMARKS(three_letters, "hea")
TIKLO_QUERY_BENCHMARKS(exact_shortcode, "thumbsup")
TIKLO_QUERY_BENCHMARKS(emoji, "\U0001F525")
TIKLO_QUERY_BENCHMARKS(no_match, "qqxqzz")
TIKLO_QUERY_BENCHMARKS(german_word, "herz")
TIKLO_QUERY_BENCHMARKS(german_umlaut, "gr\u00FCn")
TIKLO_QUERY_BENCHMARKS(emoticon, ":)")
TIKLO_QUERY_BENCHMARKS(any_order, "truck fire")
TIKLO_QUERY_BENCHMARKS(typo, "bananna")
TIKLO_QUERY_BENCHMARKS(typo_two_edits, "fyreworkz")
TIKLO_QUERY_BENCHMARKS(symbol_name, "degree")
TIKLO_QUERY_BENCHMARKS(code_point, "U+2713")
TIKLO_QUERY_BENCHMARKS(group_name, "arrows")

TIKLO_QUERY_BENCHMARK(wordRunStart, english, wink, ")")
TIKLO_QUERY_BENCHMARK(wordRunStart, german, wink, ")")
TIKLO_QUERY_BENCHMARK(wordRunStart, english, code, "i<")
TIKLO_QUERY_BENCHMARK(wordRunStart, german, two_words, "daumen ")
BENCHMARK_CAPTURE(wordRunsBuild, english, english)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wordRunsBuild, german, german)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tiklo

BENCHMARK_MAIN();
