// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tiklo {

// Where the catalog's data comes from: for each source an ordered list of candidates,
// tried in order with the fall-through rules of each reader.
struct CatalogSources {
    enum class EmojiFileFormat {
        raw,       // any bytes; every run of valid UTF-8 is scanned for emoji
        emojiTest, // Unicode's emoji-test.txt; only fully-qualified entries
    };
    struct EmojiFile {
        std::string path;
        EmojiFileFormat format = EmojiFileFormat::raw;
    };

    enum class AnnotationFormat {
        propertyList, // one property-list file
        cldr,         // CLDR annotation files read as one set; the first file naming a key wins
    };
    struct Annotations {
        AnnotationFormat format = AnnotationFormat::propertyList;
        std::vector<std::string> paths;
    };

    std::vector<EmojiFile> emojiFiles;
    std::vector<Annotations> names;
    std::vector<std::string> equivalences; // property lists
    std::vector<Annotations> phrases;
    // CLDR annotation files of the user's language, all read: each emoji's names and
    // keywords there become keywords of its item. Missing and broken files add nothing.
    std::vector<std::string> userLanguage;
    // The user's language code ("de"), or empty for English: the project's own symbol
    // keywords are chosen by it.
    std::string language;
    // CLDR main locale files of the user's language, most specific first: the symbol groups'
    // titles in it.
    std::vector<std::string> characterLabels;
    // When set, the items whose emoji it refuses are left out, and an item keeps its skin
    // tones only when it accepts every toned form: the program passes what its emoji font
    // can draw. Called from the thread that builds the catalog.
    std::function<bool(std::string_view emoji)> drawable;
    // The same for symbols and kaomoji, which are text: when set, those it refuses are left
    // out. The program passes whether the installed fonts draw every character.
    std::function<bool(std::string_view text)> textDrawable;

    // The system's own candidates: the vendor emoji folders of each file first, then the
    // Linux Unicode and CLDR data packages; the user's language from the environment.
    static CatalogSources systemDefaults();
    // The same with the user's language given as a locale name (UserLocale).
    static CatalogSources systemDefaults(std::string_view locale);
    // The system's CLDR annotation files for a locale name, most specific locale first, each
    // locale's annotations before its derived annotations. Empty for English and no language.
    static std::vector<std::string> userLanguageFiles(std::string_view locale);
    // The system's CLDR main locale files for a locale name, most specific first.
    static std::vector<std::string> characterLabelFiles(std::string_view locale);
};

} // namespace tiklo
