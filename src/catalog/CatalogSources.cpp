// SPDX-License-Identifier: GPL-3.0-or-later
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
// The vendor's files in those folders, by the names they ship under.
constexpr const char* emojiFile = "emojimeta.dat";
constexpr const char* namesFile = "en.lproj/AppleName.strings";
constexpr const char* equivalencesFile = "equivalences.plist";
constexpr const char* phrasesFile = "en_US-phrase-to-emojis.plist";

constexpr const char* emojiTestPath = "/usr/share/unicode/emoji/emoji-test.txt";
constexpr const char* cldrAnnotations = "/usr/share/unicode/cldr/common/annotations/";
constexpr const char* cldrDerivedAnnotations = "/usr/share/unicode/cldr/common/annotationsDerived/";
constexpr const char* cldrMain = "/usr/share/unicode/cldr/common/main/";
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

std::vector<std::string> CatalogSources::characterLabelFiles(std::string_view locale) {
    std::vector<std::string> files;
    for (const std::string& id : UserLocale::cldrLocales(locale)) {
        files.push_back(join(cldrMain, id + ".xml"));
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
        {join(coreEmojiVersioned, emojiFile), EmojiFileFormat::raw},
        {join(coreEmoji, emojiFile), EmojiFileFormat::raw},
        {emojiTestPath, EmojiFileFormat::emojiTest},
    };
    sources.names = {
        {Format::propertyList, {join(coreEmojiVersioned, namesFile)}},
        {Format::propertyList, {join(coreEmoji, namesFile)}},
        cldr,
    };
    sources.equivalences = {join(coreEmojiVersioned, equivalencesFile),
                            join(coreEmoji, equivalencesFile)};
    sources.phrases = {
        {Format::propertyList, {join(nlpVersioned, phrasesFile)}},
        {Format::propertyList, {join(nlp, phrasesFile)}},
        cldr,
    };
    sources.userLanguage = userLanguageFiles(locale);
    if (const std::vector<std::string> locales = UserLocale::cldrLocales(locale);
        !locales.empty()) {
        sources.language = locales.back();
    }
    sources.characterLabels = characterLabelFiles(locale);
    return sources;
}

} // namespace tiklo
