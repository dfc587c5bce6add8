#include "CatalogSources.h"

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
constexpr const char* cldrAnnotationsPath = "/usr/share/unicode/cldr/common/annotations/en.xml";
constexpr const char* cldrDerivedAnnotationsPath =
    "/usr/share/unicode/cldr/common/annotationsDerived/en.xml";

std::string join(const char* folder, const char* file) {
    return std::string(folder) + file;
}

} // namespace

CatalogSources CatalogSources::systemDefaults() {
    using Format = AnnotationFormat;
    const Annotations cldr{Format::cldr, {cldrAnnotationsPath, cldrDerivedAnnotationsPath}};
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
    return sources;
}

} // namespace tiklo
