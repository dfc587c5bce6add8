#include "catalog/CatalogSources.h"

#include "catalog/UserLocale.h"

namespace tiklo {
namespace {

constexpr const char* coreEmojiVersioned =
    "/System/Library/PrivateFrameworks/CoreEmoji.framework/Versions/A/Resources/";
constexpr const char* coreEmoji =
    "/System/Library/PrivateFrameworks/CoreEmoji.framework/Resources/";
constexpr const char* nlpVersioned =
    "/System/Library/PrivateFrameworks/NLP.framework/Versions/A/Resources/";
constexpr const char* nlp = "/System/Library/PrivateFrameworks/NLP.framework/Resources/";

constexpr const char* emojiTestPath = "/usr/share/unicode/emoji/emoji-test.txt";
constexpr const char* cldrAnnotations = "/usr/share/unicode/cldr/common/annotations/";
constexpr const char* cldrDerivedAnnotations = "/usr/share/unicode/cldr/common/annotationsDerived/";
constexpr const char* englishFile = "en.xml";

std::string join(std::string_view folder, std::string_view file) {
    std::string path(folder);
    path += file;
    return path;
}

} // namespace

std::vector<std::string> CatalogSources::userLanguageFiles(std::string_view locale) {
    std::vector<std::string> files;
    for (const std::string& id : UserLocale::cldrLocales(locale)) {
        const std::string file = id + ".xml";
        files.push_back(join(cldrAnnotations, file));
        files.push_back(join(cldrDerivedAnnotations, file));
    }
    return files;
}

CatalogSources CatalogSources::systemDefaults() {
    return systemDefaults(UserLocale::fromEnvironment());
}

CatalogSources CatalogSources::systemDefaults(std::string_view locale) {
    using Format = AnnotationFormat;
    const Annotations cldr{
        Format::cldr,
        {join(cldrAnnotations, englishFile), join(cldrDerivedAnnotations, englishFile)}};
    CatalogSources sources;
    sources.emojiFiles = {
        {join(coreEmojiVersioned, "emojimeta.dat"), EmojiFileFormat::raw},
        {join(coreEmoji, "emojimeta.dat"), EmojiFileFormat::raw},
        {emojiTestPath, EmojiFileFormat::emojiTest},
    };
    sources.names = {
        {Format::propertyList, {join(coreEmojiVersioned, "en.lproj/AppleName.strings")}},
        {Format::propertyList, {join(coreEmoji, "en.lproj/AppleName.strings")}},
        cldr,
    };
    sources.equivalences = {join(coreEmojiVersioned, "equivalences.plist"),
                            join(coreEmoji, "equivalences.plist")};
    sources.phrases = {
        {Format::propertyList, {join(nlpVersioned, "en_US-phrase-to-emojis.plist")}},
        {Format::propertyList, {join(nlp, "en_US-phrase-to-emojis.plist")}},
        cldr,
    };
    sources.userLanguage = userLanguageFiles(locale);
    return sources;
}

} // namespace tiklo
