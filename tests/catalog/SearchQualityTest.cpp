// SPDX-License-Identifier: GPL-3.0-or-later
// How well the names of the user's language find their emoji in the real catalog: each CLDR
// name (and derived name: flags, keycaps, clock faces, people with hair or role) searched
// as the query, its emoji's place in the results.
#include "catalog/CldrAnnotations.h"
#include "catalog/EmojiCatalog.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"
#include "catalog/UserLocale.h"

#include <algorithm>
#include <iostream>
#include <numeric>
#include <unordered_map>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

std::string withoutVariationSelectors(std::string_view text) {
    std::u32string scalars = unicode::scalars(text);
    std::erase(scalars, unicode::variationSelector16);
    return unicode::toUtf8(scalars);
}

// 1 / the place of each query's emoji among its results (0 when not found), for a language's
// names and for its keywords, leaving out emoji the catalog lacks.
struct Ranks {
    std::vector<double> names;
    std::vector<double> keywords;
};

double mean(const std::vector<double>& ranks) {
    return std::accumulate(ranks.begin(), ranks.end(), 0.0) / std::max<double>(ranks.size(), 1);
}

Ranks measure(std::string_view locale, const std::vector<std::string>& files) {
    const EmojiCatalog catalog(CatalogSources::systemDefaults(locale));
    std::unordered_map<std::string, std::string> emojiByBareForm;
    for (const EmojiItem& item : catalog.all()) {
        emojiByBareForm.emplace(withoutVariationSelectors(item.emoji), item.emoji);
    }
    const auto rank = [&](const std::string& key, const std::string& query,
                          std::vector<double>& ranks) {
        const auto emoji = emojiByBareForm.find(withoutVariationSelectors(key));
        if (emoji == emojiByBareForm.end()) {
            return;
        }
        const auto results = catalog.search(query, std::nullopt, {}, {}, {});
        const auto at = std::find_if(results.begin(), results.end(), [&](const EmojiItem* item) {
            return item->emoji == emoji->second;
        });
        ranks.push_back(at == results.end() ? 0
                                            : 1.0 / static_cast<double>(at - results.begin() + 1));
    };
    Ranks ranks;
    for (const std::string& file : files) {
        const std::optional<std::string> xml = readWholeFile(file);
        const std::optional<CldrAnnotations> annotations =
            xml ? CldrAnnotations::parse(*xml) : std::nullopt;
        if (!annotations) {
            ADD_FAILURE() << "cannot read " << file;
            continue;
        }
        for (const auto& [key, name] : annotations->names) {
            rank(key, name, ranks.names);
        }
        for (const auto& [key, words] : annotations->keywords) {
            for (const std::string& word : words) {
                rank(key, word, ranks.keywords);
            }
        }
    }
    std::cout << locale << ": " << ranks.names.size() << " names, reciprocal rank "
              << mean(ranks.names) << "; " << ranks.keywords.size() << " keywords, reciprocal rank "
              << mean(ranks.keywords) << "\n";
    return ranks;
}

// The English names and keywords: what the catalog's own CLDR annotations say.
std::vector<std::string> englishFiles() {
    for (const CatalogSources::Annotations& names :
         CatalogSources::systemDefaults(UserLocale::none).names) {
        if (names.format == CatalogSources::AnnotationFormat::cldr) {
            return names.paths;
        }
    }
    return {};
}

// Each language's names find their emoji (the derived ones with their ":" and "," ignored);
// the keywords lose no place to them; English keeps its ranking. The floors are what the
// search reached before it knew names of other languages or words in any order.
TEST(SearchQualityTest, NamesOfTheUsersLanguageFindTheirEmojiAndKeywordsKeepTheirPlaces) {
    struct Floor {
        std::string_view locale;
        double names;
        double keywords;
    };
    for (const Floor& floor : {Floor{"de", 0.95, 0.6586}, Floor{"fr", 0.95, 0.6377},
                               Floor{UserLocale::none, 0.9678, 0.5840}}) {
        const Ranks ranks =
            measure(floor.locale, floor.locale == UserLocale::none
                                      ? englishFiles()
                                      : CatalogSources::userLanguageFiles(floor.locale));
        EXPECT_GE(ranks.names.size(), 1700u) << floor.locale;
        EXPECT_GE(mean(ranks.names), floor.names) << floor.locale;
        EXPECT_GE(mean(ranks.keywords), floor.keywords) << floor.locale;
        // Nearly every keyword finds its emoji somewhere.
        const auto lost = std::count(ranks.keywords.begin(), ranks.keywords.end(), 0.0);
        EXPECT_LE(static_cast<double>(lost), 0.01 * static_cast<double>(ranks.keywords.size()))
            << floor.locale;
    }
}

} // namespace
} // namespace tiklo
