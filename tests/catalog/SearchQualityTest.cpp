// SPDX-License-Identifier: GPL-3.0-or-later
// How well the names of the user's language find their emoji in the real catalog: each CLDR
// name (and derived name: flags, keycaps, clock faces, people with hair or role) searched
// as the query, its emoji's place in the results.
#include "catalog/CldrAnnotations.h"
#include "catalog/EmojiCatalog.h"
#include "catalog/FileReading.h"
#include "catalog/UserLocale.h"

#include <iostream>
#include <unordered_map>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

std::string withoutVariationSelectors(std::string text) {
    const std::string selector = "\xEF\xB8\x8F"; // U+FE0F
    for (std::size_t at = text.find(selector); at != std::string::npos;
         at = text.find(selector, at)) {
        text.erase(at, selector.size());
    }
    return text;
}

struct Quality {
    double nameReciprocalRank = 0; // mean of 1 / the emoji's place, 0 when not found
    double nameFirst = 0;          // share of names whose emoji comes first
    double keywordFound = 0;       // share of keywords whose emoji is among the results
    double keywordReciprocalRank = 0;
    std::size_t names = 0;
    std::size_t keywords = 0;
};

Quality measure(std::string_view locale, const std::vector<std::string>& files) {
    const EmojiCatalog catalog(CatalogSources::systemDefaults(locale));
    std::unordered_map<std::string, std::string> emojiByBareForm;
    for (const EmojiItem& item : catalog.all()) {
        emojiByBareForm.emplace(withoutVariationSelectors(item.emoji), item.emoji);
    }
    const auto placeOf = [&](const std::string& query, const std::string& emoji) {
        const auto results = catalog.search(query, std::nullopt, {}, {}, {});
        for (std::size_t i = 0; i < results.size(); ++i) {
            if (results[i]->emoji == emoji) {
                return i + 1;
            }
        }
        return std::size_t{0};
    };
    Quality quality;
    std::size_t found = 0;
    for (const std::string& file : files) {
        const std::optional<std::string> xml = readWholeFile(file);
        const std::optional<CldrAnnotations> annotations =
            xml ? CldrAnnotations::parse(*xml) : std::nullopt;
        if (!annotations) {
            ADD_FAILURE() << "cannot read " << file;
            continue;
        }
        for (const auto& [key, name] : annotations->names) {
            const auto emoji = emojiByBareForm.find(withoutVariationSelectors(key));
            if (emoji == emojiByBareForm.end()) {
                continue;
            }
            const std::size_t place = placeOf(name, emoji->second);
            quality.nameReciprocalRank += place == 0 ? 0 : 1.0 / static_cast<double>(place);
            quality.nameFirst += place == 1 ? 1 : 0;
            ++quality.names;
        }
        for (const auto& [key, keywords] : annotations->keywords) {
            const auto emoji = emojiByBareForm.find(withoutVariationSelectors(key));
            if (emoji == emojiByBareForm.end()) {
                continue;
            }
            for (const std::string& keyword : keywords) {
                const std::size_t place = placeOf(keyword, emoji->second);
                found += place != 0 ? 1 : 0;
                quality.keywordReciprocalRank += place == 0 ? 0 : 1.0 / static_cast<double>(place);
                ++quality.keywords;
            }
        }
    }
    quality.nameReciprocalRank /= static_cast<double>(std::max<std::size_t>(quality.names, 1));
    quality.nameFirst /= static_cast<double>(std::max<std::size_t>(quality.names, 1));
    quality.keywordReciprocalRank /=
        static_cast<double>(std::max<std::size_t>(quality.keywords, 1));
    quality.keywordFound = static_cast<double>(found) /
                           static_cast<double>(std::max<std::size_t>(quality.keywords, 1));
    std::cout << locale << ": " << quality.names << " names, reciprocal rank "
              << quality.nameReciprocalRank << ", first " << quality.nameFirst << "; "
              << quality.keywords << " keywords, found " << quality.keywordFound
              << ", reciprocal rank " << quality.keywordReciprocalRank << "\n";
    return quality;
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
        const Quality quality =
            measure(floor.locale, floor.locale == UserLocale::none
                                      ? englishFiles()
                                      : CatalogSources::userLanguageFiles(floor.locale));
        EXPECT_GE(quality.names, 1700u) << floor.locale;
        EXPECT_GE(quality.nameReciprocalRank, floor.names) << floor.locale;
        EXPECT_GE(quality.keywordReciprocalRank, floor.keywords) << floor.locale;
        EXPECT_GE(quality.keywordFound, 0.99) << floor.locale;
    }
}

} // namespace
} // namespace tiklo
