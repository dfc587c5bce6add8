// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Unicode.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <memory>
#include <mutex>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

namespace tiklo::unicode {
namespace {

icu::UnicodeString toUnicodeString(std::string_view utf8) {
    // fromUTF8 turns invalid sequences into U+FFFD, which is what every caller wants.
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

std::string fromUnicodeString(const icu::UnicodeString& s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

// Grapheme iterators are costly to create; keep one per thread.
icu::BreakIterator* characterIterator() {
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> it(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) {
            it.reset();
        }
        return it;
    }();
    return iterator.get();
}

template <typename Visit> void forEachGrapheme(std::string_view utf8, Visit visit) {
    if (utf8.empty()) {
        return;
    }
    const std::string clean = sanitizeUtf8(utf8);
    icu::BreakIterator* it = characterIterator();
    if (it == nullptr) {
        // Without break data every scalar stands alone.
        for (char32_t c : scalars(clean)) {
            std::string one;
            appendUtf8(one, c);
            visit(std::string_view(one));
        }
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    UText text = UTEXT_INITIALIZER;
    utext_openUTF8(&text, clean.data(), static_cast<int64_t>(clean.size()), &status);
    if (U_FAILURE(status)) {
        return;
    }
    it->setText(&text, status);
    int32_t start = it->first();
    for (int32_t end = it->next(); end != icu::BreakIterator::DONE; start = end, end = it->next()) {
        visit(std::string_view(clean).substr(static_cast<std::size_t>(start),
                                             static_cast<std::size_t>(end - start)));
    }
    utext_close(&text);
}

} // namespace

std::u32string scalars(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    // Indexes as wide as the text: a 32-bit one would skip text of 2 GiB and more.
    const std::size_t length = utf8.size();
    std::size_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        out.push_back(c < 0 ? replacementCharacter : static_cast<char32_t>(c));
    }
    return out;
}

void appendUtf8(std::string& out, char32_t scalar) {
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) {
        scalar = replacementCharacter;
    }
    uint8_t buffer[U8_MAX_LENGTH];
    int32_t length = 0;
    // The scalar is valid and the buffer large enough, so this cannot fail.
    U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(scalar));
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 4);
    for (char32_t c : text) {
        appendUtf8(out, c);
    }
    return out;
}

std::string sanitizeUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const std::size_t length = bytes.size();
    // Fast path: most text is already valid.
    std::size_t i = 0;
    bool valid = true;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(data, i, length, c);
        if (c < 0) {
            valid = false;
            break;
        }
    }
    if (valid) {
        return std::string(bytes);
    }
    return toUtf8(scalars(bytes));
}

std::vector<std::string> graphemes(std::string_view utf8) {
    std::vector<std::string> out;
    forEachGrapheme(utf8, [&](std::string_view g) { out.emplace_back(g); });
    return out;
}

std::size_t graphemeCount(std::string_view utf8) {
    // ASCII text, most keywords: every character stands alone except CR LF.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        std::size_t count = utf8.size();
        for (std::size_t at = utf8.find("\r\n"); at != std::string_view::npos;
             at = utf8.find("\r\n", at + 2)) {
            --count;
        }
        return count;
    }
    std::size_t count = 0;
    forEachGrapheme(utf8, [&](std::string_view) { ++count; });
    return count;
}

bool isEmoji(char32_t c) {
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_EMOJI);
}

bool isEmojiPresentation(char32_t c) {
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_EMOJI_PRESENTATION);
}

bool isEmojiModifierBase(char32_t c) {
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_EMOJI_MODIFIER_BASE);
}

bool isAlphanumeric(char32_t c) {
    return (U_GET_GC_MASK(static_cast<UChar32>(c)) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) !=
           0;
}

bool isWhiteSpace(char32_t c) {
    constexpr char32_t firstNonAscii = 0x80;
    if (c < firstNonAscii) {
        return c == ' ' || (c >= '\t' && c <= '\r'); // White_Space in ASCII
    }
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}

bool continuesCharacter(char32_t c) {
    const auto breakClass =
        u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_GRAPHEME_CLUSTER_BREAK);
    return breakClass == U_GCB_EXTEND || breakClass == U_GCB_ZWJ ||
           breakClass == U_GCB_SPACING_MARK || isSkinToneModifier(c);
}

std::optional<std::string> characterName(char32_t c) {
    char buffer[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_charName(static_cast<UChar32>(c), U_UNICODE_CHAR_NAME, buffer, sizeof buffer, &status);
    if (U_FAILURE(status) || length <= 0) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string toLower(std::string_view utf8) {
    bool ascii = true;
    for (char ch : utf8) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        std::string out(utf8);
        for (char& ch : out) {
            if (ch >= 'A' && ch <= 'Z') {
                ch = static_cast<char>(ch - 'A' + 'a');
            }
        }
        return out;
    }
    return fromUnicodeString(toUnicodeString(utf8).toLower(icu::Locale::getRoot()));
}

std::string toUpper(std::string_view utf8) {
    return fromUnicodeString(toUnicodeString(utf8).toUpper(icu::Locale::getRoot()));
}

std::string nfc(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return sanitizeUtf8(utf8);
    }
    // Most text is already composed (all ASCII text is): a check without a copy into UTF-16.
    std::string clean = sanitizeUtf8(utf8);
    if (normalizer->isNormalizedUTF8(
            icu::StringPiece(clean.data(), static_cast<int32_t>(clean.size())), status) &&
        U_SUCCESS(status)) {
        return clean;
    }
    status = U_ZERO_ERROR;
    icu::UnicodeString result = normalizer->normalize(toUnicodeString(utf8), status);
    if (U_FAILURE(status)) {
        return sanitizeUtf8(utf8);
    }
    return fromUnicodeString(result);
}

namespace {

// Case-folded, mark-free form of one scalar (é -> e, ß -> ss).
std::u32string foldScalar(char32_t c) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString decomposed(static_cast<UChar32>(c));
    if (U_SUCCESS(status)) {
        decomposed = nfd->normalize(decomposed, status);
    }
    icu::UnicodeString kept;
    for (int32_t i = 0; i < decomposed.length();) {
        const UChar32 part = decomposed.char32At(i);
        i += U16_LENGTH(part);
        if ((U_GET_GC_MASK(part) & U_GC_M_MASK) == 0) {
            kept.append(part);
        }
    }
    kept.foldCase();
    std::u32string folded;
    for (int32_t i = 0; i < kept.length();) {
        const UChar32 part = kept.char32At(i);
        i += U16_LENGTH(part);
        folded.push_back(static_cast<char32_t>(part));
    }
    return folded;
}

} // namespace

std::vector<std::string> words(std::string_view utf8) {
    std::vector<std::string> found;
    std::string word;
    for (const char32_t c : scalars(utf8)) {
        if (isAlphanumeric(c)) {
            appendUtf8(word, c);
        } else if (!word.empty()) {
            found.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) {
        found.push_back(std::move(word));
    }
    return found;
}

std::string foldCaseAndDiacritics(std::string_view utf8) {
    constexpr auto firstNonAscii = static_cast<unsigned char>(0x80);
    std::string folded;
    folded.reserve(utf8.size());
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < firstNonAscii; })) {
        // Most texts are plain ASCII: no need to ask ICU about them.
        std::transform(utf8.begin(), utf8.end(), std::back_inserter(folded), [](char c) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        });
        return folded;
    }
    for (const char32_t c : scalars(utf8)) {
        for (const char32_t part : foldScalar(c)) {
            appendUtf8(folded, part);
        }
    }
    return folded;
}

std::optional<std::pair<std::size_t, std::size_t>>
findIgnoringCaseAndDiacritics(std::string_view text, std::string_view needle) {
    std::u32string foldedNeedle;
    for (char32_t c : scalars(needle)) {
        foldedNeedle += foldScalar(c);
    }
    if (foldedNeedle.empty()) {
        return std::nullopt;
    }
    // The folded text, and for each of its scalars the byte range of the source scalar.
    std::u32string folded;
    std::vector<std::pair<std::size_t, std::size_t>> sourceBytes;
    const std::string clean = sanitizeUtf8(text);
    const auto* bytes = reinterpret_cast<const uint8_t*>(clean.data());
    const auto length = static_cast<int32_t>(clean.size());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        for (char32_t part : foldScalar(static_cast<char32_t>(c))) {
            folded.push_back(part);
            sourceBytes.emplace_back(static_cast<std::size_t>(start), static_cast<std::size_t>(i));
        }
    }
    const std::size_t at = folded.find(foldedNeedle);
    if (at == std::u32string::npos) {
        return std::nullopt;
    }
    const std::size_t begin = sourceBytes[at].first;
    const std::size_t end = sourceBytes[at + foldedNeedle.size() - 1].second;
    return std::make_pair(begin, end - begin);
}

std::string trimWhiteSpace(std::string_view utf8) {
    // One pass over the bytes, without decoding the text into a copy: every CLDR value
    // and keyword of a cold start comes through here.
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
    const std::size_t length = utf8.size();
    std::size_t begin = length;
    std::size_t end = 0;
    std::size_t i = 0;
    while (i < length) {
        const std::size_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        // An invalid sequence becomes U+FFFD, which is not white space.
        if (c < 0 || !isWhiteSpace(static_cast<char32_t>(c))) {
            begin = std::min(begin, start);
            end = i;
        }
    }
    return begin < end ? sanitizeUtf8(utf8.substr(begin, end - begin)) : std::string();
}

std::optional<std::string> regionName(std::string_view code) {
    if (code.size() != 2) {
        return std::nullopt;
    }
    const std::string region(code);
    icu::Locale locale("", region.c_str());
    icu::UnicodeString name;
    locale.getDisplayCountry(icu::Locale("en", "US"), name);
    std::string result = fromUnicodeString(name);
    // ICU answers the code itself when it has no name for it.
    if (result.empty() || result == region) {
        return std::nullopt;
    }
    return result;
}

} // namespace tiklo::unicode
