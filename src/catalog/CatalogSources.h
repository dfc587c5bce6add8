#pragma once

#include <string>
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

    // The system's own candidates: the two macOS locations of each file first, then the
    // Linux Unicode and CLDR data packages.
    static CatalogSources systemDefaults();
};

} // namespace tiklo
